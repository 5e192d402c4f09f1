// libFuzzer target for the "CustomPats.txt" reader. Besides crashes it checks what the reader
// promises: every item it reads splits into a name and letters, the letter check never grows
// a string, and the items it returns are written and read back unchanged.
#include "patterns/RepeatPatterns.h"

#include <cstdlib>

using namespace custodex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList items = RepeatPatternsFromBytes(bytes);
    for (const QString& item : items) {
        const RepeatPattern pattern = SplitRepeatPatternItem(item);
        const RepeatLettersCheck check = CheckRepeatLetters(pattern.Letters);
        if (check.Letters.size() != pattern.Letters.size() ||
            check.Carets.size() != pattern.Letters.size())
            std::abort();
    }
    // Lines without a line break inside read back as they were written.
    QStringList plain;
    for (const QString& item : items)
        if (!item.contains(QLatin1Char('\r')) && !item.contains(QLatin1Char('\n')) &&
            !item.trimmed().isEmpty())
            plain.append(item);
    if (RepeatPatternsFromBytes(RepeatPatternBytes(plain)) != plain)
        std::abort();
    return 0;
}
