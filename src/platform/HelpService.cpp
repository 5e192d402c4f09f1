#include "platform/HelpService.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

// The help pages live in a static library's resources, which must be registered by hand.
static void RegisterHelpPages()
{
    Q_INIT_RESOURCE(help);
}

namespace custodex {

namespace {

// Room the window manager's frame takes around a window.
const QSize FrameAllowance(16, 48);

// Beside the owner's window where there is room, always wholly on the owner's screen.
void PlaceOnScreen(QWidget* window, const QWidget* owner)
{
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = QSize(640, 560).boundedTo(area.size() - FrameAllowance);
    window->resize(size);
    const QSize outer = size + FrameAllowance;
    QPoint topLeft = area.center() - QPoint(outer.width() / 2, outer.height() / 2);
    if (owner) {
        const QRect ownerFrame = owner->window()->frameGeometry();
        topLeft = QPoint(ownerFrame.center().x() - outer.width() / 2,
                         ownerFrame.top() + FrameAllowance.height());
    }
    topLeft.setX(std::clamp(topLeft.x(), area.left(), area.right() + 1 - outer.width()));
    topLeft.setY(std::clamp(topLeft.y(), area.top(), area.bottom() + 1 - outer.height()));
    window->move(topLeft);
}

} // namespace

void HelpWindows::ShowHelpTopic(QWidget* owner, const QString& topic)
{
    static const bool registered = (RegisterHelpPages(), true);
    (void)registered;
    if (QWidget* open = Windows.value(topic)) {
        open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new QWidget(owner, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("HelpWindow"));
    window->setWindowTitle(QStringLiteral("Custodex Calendar Help"));
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    browser->setOpenLinks(true);
    browser->setSearchPaths({QStringLiteral(":/help/html")});
    browser->setSource(QUrl(QStringLiteral("qrc:/help/") + topic));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    // Escape closes the help as it closes every other window of the program.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
    PlaceOnScreen(window, owner);
    window->show();
    window->raise();
    Windows.insert(topic, window);
}

void HelpWindows::CloseAllHelp()
{
    for (const QPointer<QWidget>& window : std::as_const(Windows))
        if (window)
            window->close();
    Windows.clear();
}

int HelpWindows::OpenCount() const
{
    int count = 0;
    for (const QPointer<QWidget>& window : Windows)
        if (window && window->isVisible())
            ++count;
    return count;
}

} // namespace custodex
