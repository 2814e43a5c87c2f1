#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
int pending = 0;

void poll(QPointer<QWidget> before, std::function<void(QWidget*)> action, QElapsedTimer clock,
          int timeoutMs)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != before && modal->isVisible()) {
        --pending;
        action(modal);
        return;
    }
    if (clock.elapsed() > timeoutMs) {
        --pending;
        ADD_FAILURE() << "no modal window appeared within " << timeoutMs << " ms";
        return;
    }
    QTimer::singleShot(10, [=] { poll(before, action, clock, timeoutMs); });
}
} // namespace

void whenModal(std::function<void(QWidget*)> action, int timeoutMs)
{
    ++pending;
    QElapsedTimer clock;
    clock.start();
    QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer::singleShot(0, [=] { poll(before, action, clock, timeoutMs); });
}

bool modalActionsDone()
{
    return pending == 0;
}

void clickButton(QWidget* window, const QString& text)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->text().remove(QLatin1Char('&')) == text && button->isVisible()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no button \"" << text.toStdString() << "\" in "
                  << window->metaObject()->className();
}
