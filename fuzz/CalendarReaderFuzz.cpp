// libFuzzer target for the calendar reader. Besides crashes it checks what the reader
// promises: either no calendar or a complete span; a calendar it accepts is written and read
// back to the same text, and that file resaves byte for byte. The text codec underneath
// reads back every text it writes.
#include "calendar/CalendarFile.h"
#include "calendar/TextCodec.h"

#include <cstdlib>

using namespace custodex;

namespace {

void CheckCodec(const QByteArray& bytes)
{
    bool ok = false;
    const QString text = DecodeText(bytes, &ok);
    if (!ok)
        return;
    bool again = false;
    if (DecodeText(EncodeText(text), &again) != text || !again)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckCodec(bytes);
    const QString path = QStringLiteral("/clients/Fuzz.cdb");
    CalendarDocument doc;
    const FileResult result = ReadCalendarFromBytes(doc, bytes, path);
    if (!result.Ok) {
        if (doc.HasCalendar() || result.Message != ReadErrorMessage(path))
            std::abort();
        return 0;
    }
    const auto count = static_cast<int>(doc.Days.size());
    if ((count != 730 && count != 731) || doc.DayCount != count || doc.SecondYearFirstDay < 365 ||
        doc.SecondYearFirstDay > 366 || doc.MonthTable[23].FirstDay < 0)
        std::abort();

    const QByteArray written = CalendarFileBytes(doc);
    CalendarDocument again;
    if (!ReadCalendarFromBytes(again, written, path).Ok)
        std::abort();
    if (CalendarFileText(again) != CalendarFileText(doc) || CalendarFileBytes(again) != written)
        std::abort();
    return 0;
}
