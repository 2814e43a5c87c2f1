#pragma once

#include <QString>

class QWidget;

// Help is one HTML document; a context number or a topic name is an anchor in
// it. The viewer is a separate window beside the one that asked for help.

// Sets the help file (relative to the current folder), before any window exists,
// and makes the help buttons of the controls and the windows open it. Windows
// give their context number or topic with SetHelpContext or SetHelpTopic
// (widgets/HelpContext.h).
void setHelpFile(const QString& name);
// Opens the help at a window's context number (F1) or at a named topic (help buttons).
void showHelpContext(int context);
void showHelpTopic(const QString& topic);
// Makes F1 open the help topic or context of the window it is pressed in.
void installHelpKey();
// The help window now open, if any (for tests).
QWidget* helpViewer();
