// The one main of every test program that paints text or makes windows: fonts and widgets need
// an application object for the whole run. Programs of windows build it with
// CUSTODEX_TEST_WIDGETS; the others need no more than the GUI application.
#ifdef CUSTODEX_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#include <gtest/gtest.h>

#include <csignal>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    // A test that frees a command stuck on a FIFO may close the reading end under it.
    std::signal(SIGPIPE, SIG_IGN);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
