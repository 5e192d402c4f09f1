#include "patterns/ui/PatternListCommands.h"

#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/CommandHost.h"
#include "calendar/ui/Months.h"
#include "output/ui/OutputCommands.h"
#include "output/ui/preview.h"
#include "patterns/ui/PatternWindows.h"

#include <QEvent>
#include <QTimer>

namespace custodex {

namespace {

// Makes a window modal while it is shown and ordinary again once it is hidden.
class ModalWhileShown : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            auto* window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, window, [window] {
                if (!window->isVisible())
                    window->setWindowModality(Qt::NonModal);
            });
        }
        return false;
    }
};

// The preview from inside a modal pattern dialog: Qt would block its clicks and scrolling
// behind the dialog, so it is modal itself until it is closed, and shows the marks applied
// so far.
void ShowPreviewOverDialog(CommandHost& host)
{
    TPreviewer& preview = PreviewWindow(host);
    if (!preview.isVisible()) {
        preview.setWindowModality(Qt::ApplicationModal);
        const char* watched = "ModalWhileShown";
        if (!preview.property(watched).toBool()) {
            preview.installEventFilter(new ModalWhileShown(&preview));
            preview.setProperty(watched, true);
        }
    }
    RunPreview(host);
}

template <typename Window> Window& PatternWindowOf(CommandHost& host)
{
    return KeptWindow<Window>(host, [&host](QWidget* parent) {
        auto* window = new Window(
            host.Services().Messages, host.Clock(), [&host] { ShowPreviewOverDialog(host); },
            [&host] { host.RedrawMonth(); }, parent);
        if (auto* main = qobject_cast<TQDLMainCalendar*>(parent))
            QObject::connect(main, &TQDLMainCalendar::CalendarReplaced, window,
                             &TPatternWindow::ResetDialog);
        return window;
    });
}

template <typename Window> void RunPatternWindow(CommandHost& host)
{
    RunDayChangingCommand(host, DayChangingGroup::Patterns, [&host] {
        return PatternWindowOf<Window>(host).Execute(host.Document());
    });
    // An Apply may have added its reason to the main window's list.
    host.RefreshWindow();
}

} // namespace

void RunOddEvenAllOvernights(CommandHost& host)
{
    RunPatternWindow<TOddEvenAllON>(host);
}

void RunOddEvenAllDayVisits(CommandHost& host)
{
    RunPatternWindow<TOddEvenAllDV>(host);
}

void RunMonthlyOvernights(CommandHost& host)
{
    RunPatternWindow<TOversPerMonth>(host);
}

void RunMonthlyDayVisits(CommandHost& host)
{
    RunPatternWindow<TDaysPerMonth>(host);
}

TOddEvenAllON& OddEvenAllOvernightWindow(CommandHost& host)
{
    return PatternWindowOf<TOddEvenAllON>(host);
}

TOddEvenAllDV& OddEvenAllDayVisitWindow(CommandHost& host)
{
    return PatternWindowOf<TOddEvenAllDV>(host);
}

TOversPerMonth& MonthlyOvernightWindow(CommandHost& host)
{
    return PatternWindowOf<TOversPerMonth>(host);
}

TDaysPerMonth& MonthlyDayVisitWindow(CommandHost& host)
{
    return PatternWindowOf<TDaysPerMonth>(host);
}

} // namespace custodex
