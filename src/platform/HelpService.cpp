#include "platform/HelpService.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

// The help pages live in a static library's resources, which must be registered by hand.
static void RegisterHelpPages()
{
    Q_INIT_RESOURCE(help);
}

namespace custodex {

void HelpWindows::ShowHelpTopic(QWidget* owner, const QString& topic)
{
    static const bool registered = (RegisterHelpPages(), true);
    (void)registered;
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
    window->resize(640, 560);
    window->show();
    window->raise();
    Windows.append(window);
}

void HelpWindows::CloseAllHelp()
{
    for (const QPointer<QWidget>& window : Windows)
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
