#pragma once

#include <QString>

// The help file: one HTML document in the course folder. Each window's help
// context number and each named topic is an anchor in it.
inline const QString HelpFileName = QStringLiteral("DEU_HELP.HLP");

// The anchor of a context number: context 10 is "ctx-10".
inline QString helpAnchor(int context)
{
    return QStringLiteral("ctx-%1").arg(context);
}
