#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The MIME tests look the calendar type up through the program's own shared-mime-info file:
// it goes into a data folder searched before the system's, which still gives every other
// type (text/plain, executables). No user folder takes part.
int main(int argc, char* argv[])
{
    QTemporaryDir data;
    QDir(data.path()).mkpath(QStringLiteral("share/mime/packages"));
    QDir(data.path()).mkpath(QStringLiteral("home"));
    QFile::copy(QStringLiteral(CUSTODEX_MIME_XML),
                data.filePath(QStringLiteral("share/mime/packages/custodex-calendar.xml")));
    QByteArray system = qgetenv("XDG_DATA_DIRS");
    if (system.isEmpty())
        system = "/usr/local/share:/usr/share";
    qputenv("XDG_DATA_DIRS",
            QFile::encodeName(data.filePath(QStringLiteral("share"))) + ':' + system);
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.filePath(QStringLiteral("home"))));
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
