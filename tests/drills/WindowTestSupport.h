#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class TempCourse;

// True when some control inside the window shows the text (a memo line of
// exactly that text, or a text or plainText holding it), so a test can tell what a dialog says
// without knowing its layout.
bool showsText(QWidget* window, const QString& text);

// Closes one of the shared dialogs with its (only or first) picture button.
void pressDialogButton(QWidget* dialog);

// Arranges: the next modal window is the read-error message with this text;
// it is closed with its button.
void expectReadError(const QString& text);

// Presses the key as the keyboard does: on the window's focus control (the
// one that has the focus while the window is active), or on the window when
// it has none; the event goes on to the parents when the control leaves it.
void pressKey(QWidget* window, int key);
