#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {
// Notes that the window active when an action was arranged has closed since:
// shown again, it is the next window.
class HideWatch : public QObject {
public:
    bool hidden = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        hidden = hidden || event->type() == QEvent::Hide;
        return false;
    }
};

int pending = 0;
int answering = 0; // MessageAnswers alive: their windows are not for whenModal

bool answeredElsewhere(const QWidget* modal)
{
    return answering > 0 && modal->objectName() == QLatin1String("DlgxMessage");
}

void poll(QPointer<QWidget> before, std::shared_ptr<HideWatch> watch,
          std::function<void(QWidget*)> action, QElapsedTimer clock, int timeoutMs)
{
    QWidget* modal = QApplication::activeModalWidget();
    const bool next = modal && (modal != before || watch->hidden);
    if (next && modal->isVisible() && !answeredElsewhere(modal)) {
        --pending;
        action(modal);
        return;
    }
    if (clock.elapsed() > timeoutMs) {
        --pending;
        ADD_FAILURE() << "no modal window appeared within " << timeoutMs << " ms";
        return;
    }
    QTimer::singleShot(10, [=] { poll(before, watch, action, clock, timeoutMs); });
}
} // namespace

void whenModal(std::function<void(QWidget*)> action, int timeoutMs)
{
    ++pending;
    QElapsedTimer clock;
    clock.start();
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto watch = std::make_shared<HideWatch>();
    if (before)
        before->installEventFilter(watch.get());
    QTimer::singleShot(0, [=] { poll(before, watch, action, clock, timeoutMs); });
}

bool modalActionsDone()
{
    return pending == 0;
}

MessageAnswers::MessageAnswers()
{
    ++answering;
    qApp->installEventFilter(this);
}

MessageAnswers::~MessageAnswers()
{
    --answering;
}

bool MessageAnswers::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || watched->objectName() != QLatin1String("DlgxMessage"))
        return false;
    auto* window = static_cast<QWidget*>(watched);
    QStringList parts{window->windowTitle()};
    for (QTextEdit* text : window->findChildren<QTextEdit*>())
        parts << text->toPlainText().replace(QChar::LineSeparator, u'\n').split(u'\n');
    said << parts.join(QLatin1Char('|'));
    // Pressed once the window's own loop runs, as a user would.
    QTimer::singleShot(0, window, [window] { clickButton(window, QStringLiteral("OK")); });
    return false;
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
