#pragma once

#include <functional>

class QWidget;

// Help contexts of windows. The help viewer lives with the main window; the
// controls only find the context and hand it to the handler the program set.
void SetHelpContext(QWidget* window, int context);
// The context of the widget or of its nearest parent that has one; 0 if none.
int HelpContextOf(const QWidget* widget);
void SetHelpHandler(std::function<void(int context)> handler);
void ShowHelpContext(int context);
