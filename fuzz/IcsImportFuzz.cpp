// libFuzzer target for the list builder's .ics import. Besides crashes it checks what the import
// promises: a refusal says why and gives nothing; otherwise every entry lies in the span, in
// date order, each once, every event left out is named with a line of the file and a reason,
// the counts add up, and the template written from them reads back entry for entry.
// fuzz/make-ics-seeds.py writes the seeds in fuzz/seeds/ics_import_fuzz.
#include "calendar/TextCodec.h"
#include "patterns/CustomLists.h"
#include "patterns/IcsImport.h"
#include "patterns/ListTemplate.h"

#include <cstdlib>

using namespace custodex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ListTemplate list;
    list.ClientName = QStringLiteral("Garcia");
    list.StartYear = 2025;
    list.StartMonthIndex = 8;
    const IcsImportRequest request{size % 2 ? ListEntryKind::DayVisit : ListEntryKind::Overnight,
                                   QString()};
    const IcsImportResult result = ImportIcsEntries(bytes, list, request);
    if (!result.Ok) {
        if (result.Error.isEmpty() || !result.Entries.empty())
            std::abort();
        return 0;
    }
    const int lines = static_cast<int>(bytes.count('\n')) + 1;
    for (const IcsLeftOut& left : result.LeftOut)
        if (left.Line < 1 || left.Line > lines || left.Reason.isEmpty())
            std::abort();
    if (result.EventsOutside + result.EventsCancelled + static_cast<int>(result.LeftOut.size()) >
        result.Events)
        std::abort();
    for (std::size_t i = 0; i < result.Entries.size(); ++i) {
        const ListLine& entry = result.Entries[i];
        if (!entry.IsEntry || !IsInSpan(list, entry.Date) || entry.Reason.isEmpty() ||
            ListReasonProblem(entry.Reason))
            std::abort();
        if (i > 0 && (entry.Date < result.Entries[i - 1].Date || entry == result.Entries[i - 1]))
            std::abort();
        list.Lines.push_back(entry);
    }
    const CustomListTemplate read = ParseCustomListTemplate(DecodeText(TemplateFileBytes(list)));
    if (read.Entries.size() != list.Lines.size())
        std::abort();
    for (std::size_t i = 0; i < read.Entries.size(); ++i)
        if (!read.Entries[i].Applicable || read.Entries[i].Reason != list.Lines[i].Reason ||
            read.Entries[i].DayNumber != list.Lines[i].Date.day())
            std::abort();
    return 0;
}
