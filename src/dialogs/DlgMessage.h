#pragma once

#include <QString>

// The program's message window: text, caption and an icon code
// (16 error, 32 question, 48 warning, 64 information; any other code, 0
// included, shows the information picture). Modal; returns
// when the user closed it.
void ShowDlgMessage(const QString& text, const QString& caption, int iconCode);
