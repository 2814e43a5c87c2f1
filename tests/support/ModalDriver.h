#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

// Flows that open a modal window block inside its event loop. Before starting
// such a flow, a test says what to do with the next modal window that appears;
// the action runs inside that window's loop. Actions may arrange the next one,
// for a modal window opened from a modal window.
//
// whenModal(action) acts on the next modal widget that is not the one active now.
void whenModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);

// True when no arranged action is still waiting (so every expected window came).
bool modalActionsDone();

// Answers the program's message windows while it lives, whichever modal
// window they open over, so a flow needs no handler nested inside the one of
// the dialog that shows the message. Keeps what each said ("caption|text",
// the text's lines joined by "|") and closes it with OK.
class MessageAnswers : public QObject {
public:
    MessageAnswers();
    ~MessageAnswers() override;
    QStringList said;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Presses the button whose text is `text` inside the widget (a dialog's own
// button or a QMessageBox button). Fails the test when there is none.
void clickButton(QWidget* window, const QString& text);
