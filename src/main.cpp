#include "app/AppStart.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const StartOptions options = parseStartOptions(app.arguments());
    QString message = options.error;
    if (message.isEmpty() && enterCourseFolder(options.courseFolder, &message))
        return 0;
    QMessageBox::critical(nullptr, QStringLiteral("Ошибка"), message);
    return 1;
}
