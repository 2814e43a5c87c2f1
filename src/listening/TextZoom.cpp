#include "listening/TextZoom.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

namespace {
QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillfern"),
                     QStringLiteral("TolvarenDemo"));
}
} // namespace

// Names may hold any character; the settings' keys keep only some, so the
// name goes in as hexadecimal, and "_" stands for the anonymous student.
TextZoom::TextZoom(const QString& student)
    : key_(QStringLiteral("TextSize/") + (student.isEmpty()
                                              ? QStringLiteral("_")
                                              : QString::fromLatin1(student.toUtf8().toHex())))
{
    step_ = std::clamp(settings().value(key_, 0).toInt(), Smallest, Largest);
}

bool TextZoom::change(int steps)
{
    const int wanted = step_ + steps;
    if (wanted < Smallest || wanted > Largest)
        return false;
    step_ = wanted;
    save();
    return true;
}

void TextZoom::reset()
{
    step_ = 0;
    save();
}

int TextZoom::scaled(int designed) const
{
    return int(std::lround(designed * (1 + step_ / 8.0)));
}

void TextZoom::save() const
{
    settings().setValue(key_, step_);
}
