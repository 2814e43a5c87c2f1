#pragma once

#include "widgets/HelpContext.h"

#include <QString>

class QWidget;

// Help is one HTML document; a context number or a topic name is an anchor in
// it. The viewer is a separate window beside the one that asked for help.

// Sets the help file (relative to the current folder), before any window exists,
// and makes showHelpContext and showHelpTopic (widgets/HelpContext.h), and so the
// help buttons and the windows, open it.
void setHelpFile(const QString& name);
// Makes F1 open the help topic or context of the window it is pressed in.
void installHelpKey();
// The help window now open, if any (for tests).
QWidget* helpViewer();
