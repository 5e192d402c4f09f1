#include <QApplication>
#include <QMainWindow>

// The peer of the start-up measurement: a bare Qt main window and nothing else.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt Main Window"));
    window.resize(1200, 750);
    window.show();
    return QApplication::exec();
}
