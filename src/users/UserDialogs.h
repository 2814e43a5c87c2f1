#pragma once

class QGroupBox;
class QRadioButton;

#include "widgets/BtnImgD1QF.h"

#include <QString>
#include <QStringList>

class QLineEdit;

// What the user dialogs share: their bitmap buttons, their background and the
// descriptions of the work modes.

// A wide bitmap button with its label; its kind brings its modal result (OK is
// also the default button, Cancel answers Escape, Help opens the window's help).
TBtnImgD1QF* makeDialogButton(const QString& label, TBtnImgD1QF::ButtonKind kind, QWidget* parent);

// A password field: each typed character shows as "*".
QLineEdit* makePasswordEdit(QWidget* parent);

// The light grey the program's dialogs share.
void setDialogBackground(QWidget* dialog);

// The description lines of a work mode "A" to "D".
QStringList modeDescription(const QString& mode);

// The group "Режим работы пользователя": each mode's radio button (whose text
// is its letter) beside the description of that mode.
QGroupBox* makeModeGroup(const QList<QRadioButton*>& radios, QWidget* parent);
