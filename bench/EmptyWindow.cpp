// The yardstick of the start benchmark: an empty Qt main window of the main
// window's size, ending as soon as it is shown and idle.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(775, 545);
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);
    return app.exec();
}
