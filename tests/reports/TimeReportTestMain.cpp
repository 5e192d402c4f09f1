#include <QGuiApplication>
#include <gtest/gtest.h>

// The report pages are painted with real fonts, which need a GUI application.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
