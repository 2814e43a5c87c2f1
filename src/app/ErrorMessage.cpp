#include "app/ErrorMessage.h"

#include <QApplication>
#include <QMessageBox>

void showError(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Ошибка"), text);
}
