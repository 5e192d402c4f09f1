#include "app/MainWindow.h"

#include "calendar/WindowPlacement.h"

#include "app/StartWizard.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace custodex {

// The main window's first showing: it is centred, the program settings are read, and then a
// calendar named on the command line is opened through Open's checks, or else the start wizard
// runs. Part of TQDLMainCalendar (Months.h), kept apart from the month view and file commands.

void TQDLMainCalendar::OpenAtStart(const QString& path)
{
    StartFile = path;
}

void TQDLMainCalendar::OpenNamedCalendar(const QString& path)
{
    LifecycleContext context = Lifecycle();
    AfterOpen(OpenCalendarFile(context, path));
}

void TQDLMainCalendar::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!Activated) {
        Activated = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const WindowPlacement placement =
                ChoosePlacement(ReadWindowPlacement(PlacementPath()), screen->availableGeometry(),
                                minimumSizeHint());
            setGeometry(placement.Geometry);
            if (placement.Maximized)
                setWindowState(windowState() | Qt::WindowMaximized);
        }
        QTimer::singleShot(0, this, &TQDLMainCalendar::FirstActivation);
    }
}

void TQDLMainCalendar::FirstActivation()
{
    // The frame is known only once the window manager has framed the window: the title bar
    // must be on the screen too.
    if (const QScreen* screen = this->screen(); screen && !isMaximized() && !isFullScreen()) {
        const QRect frame = frameGeometry();
        const QRect inner = geometry();
        const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                               frame.right() - inner.right(), frame.bottom() - inner.bottom());
        const QRect available = screen->availableGeometry();
        if (!available.contains(frame))
            setGeometry(FitInside(frame, available, minimumSizeHint().grownBy(margins))
                            .marginsRemoved(margins));
    }
    ProgramSetup.ClientFolder = Doc.ClientFolder;
    if (ReadProgramSettingsFile(ProgramSetup, WindowServices.Paths.SettingsFile) &&
        !ProgramSetup.ClientFolder.isEmpty())
        Doc.ClientFolder = ProgramSetup.ClientFolder;
    Menu.StartWizard->setChecked(ProgramSetup.Wizard);
    ShowRecentFiles();
    // Work a crash left behind comes before anything else.
    if (OfferRecoveryAtStart())
        return;
    if (!StartFile.isEmpty())
        OpenNamedCalendar(StartFile);
    else if (ProgramSetup.Wizard)
        Wizard().exec();
}

} // namespace custodex
