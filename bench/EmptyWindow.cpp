// The yardstick of the start benchmark: an empty Qt main window of the main
// window's size, saying on its output when it is shown and idle.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(775, 545);
    window.show();
    QTimer::singleShot(0, [] {
        std::fputs("idle\n", stdout);
        std::fflush(stdout);
    });
    return app.exec();
}
