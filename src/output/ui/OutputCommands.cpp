#include "output/ui/OutputCommands.h"

#include "calendar/MenuChecks.h"
#include "calendar/ui/CommandHost.h"
#include "output/ui/Csvcnvrt.h"
#include "output/ui/preview.h"

#include <QDateTime>
#include <QLocale>

namespace custodex {

TPreviewer& PreviewWindow(CommandHost& host)
{
    return KeptWindow<TPreviewer>(host, [](QWidget* parent) { return new TPreviewer(parent); });
}

TCsvConvert& CsvWindow(CommandHost& host)
{
    return KeptWindow<TCsvConvert>(host, [&host](QWidget* parent) {
        return new TCsvConvert(host.Services().Messages, host.Services().Dialogs, parent);
    });
}

void RunPreview(CommandHost& host)
{
    CalendarDocument& doc = host.Document();
    if (!CheckPreview(doc, host.Services().Messages))
        return;
    RecountCounters(doc);
    PreviewWindow(host).ShowFor(doc, [&host] {
        if (host.Services().GeneratedStamp)
            return host.Services().GeneratedStamp();
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale;
        return QStringLiteral("Generated ") + locale.toString(now.date(), QLocale::ShortFormat) +
               QStringLiteral("  ") + locale.toString(now.time(), QLocale::LongFormat);
    });
}

void RunCsvExport(CommandHost& host)
{
    if (!CheckCsvExport(host.Document(), host.Services().Messages))
        return;
    CsvWindow(host).Execute(host.Document());
    host.RedrawMonth();
}

} // namespace custodex
