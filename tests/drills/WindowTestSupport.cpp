#include "WindowTestSupport.h"

#include "dialogs/DlgxMessage.h"
#include "support/ModalDriver.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/Memo.h"

#include <QTest>
#include <QVariant>
#include <gtest/gtest.h>

bool showsText(QWidget* window, const QString& text)
{
    for (TMemo* memo : window->findChildren<TMemo*>())
        if (memo->Lines().contains(text))
            return true;
    for (QObject* child : window->findChildren<QObject*>()) {
        for (const char* name : {"text", "plainText"}) {
            const QVariant value = child->property(name);
            if (value.isValid() && value.toString().contains(text))
                return true;
        }
    }
    return false;
}

void pressDialogButton(QWidget* dialog)
{
    for (TBtnImgD1QF* button : dialog->findChildren<TBtnImgD1QF*>()) {
        if (button->isVisible() && button->isEnabled()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no button in " << dialog->metaObject()->className();
}

void expectReadError(const QString& text)
{
    whenModal([text](QWidget* window) {
        EXPECT_TRUE(qobject_cast<TDlgxMessage*>(window)) << window->metaObject()->className();
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Ошибка чтения файла"));
        EXPECT_TRUE(showsText(window, text));
        pressDialogButton(window);
    });
}

void pressKey(QWidget* window, int key)
{
    QWidget* focused = window->focusWidget();
    QTest::keyClick(focused ? focused : window, Qt::Key(key));
}
