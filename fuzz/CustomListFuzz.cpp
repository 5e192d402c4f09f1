// libFuzzer target for the custom list (".tcl") reader. Besides crashes it checks what the
// reader promises: every line after the header is kept, an entry it calls applicable has a
// month, a day and a year in range and a reason, and the others say why they are not.
#include "calendar/TextCodec.h"
#include "patterns/CustomLists.h"

#include <cstdlib>

using namespace custodex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bool ok = false;
    const QString text = DecodeText(bytes, &ok);
    const CustomListTemplate list = ParseCustomListTemplate(text);
    int previous = 1;
    for (const TemplateEntry& entry : list.Entries) {
        if (entry.LineNumber <= previous)
            std::abort();
        previous = entry.LineNumber;
        if (entry.Applicable) {
            if (entry.MonthIndex < 0 || entry.MonthIndex > 11 || entry.DayNumber < 1 ||
                entry.DayNumber > 31 || entry.YearNumber < 0 || entry.Reason.isEmpty())
                std::abort();
        }
        else if (entry.Problem.isEmpty()) {
            std::abort();
        }
        (void)TemplateEntryText(entry);
    }
    (void)TemplateCaption(list.Header);
    return 0;
}
