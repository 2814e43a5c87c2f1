#include "listening/LevelMeter.h"

#include "widgets/Look.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

LevelMeter::LevelMeter(QWidget* parent) : QWidget(parent)
{
    resize(110, 14);
}

void LevelMeter::setLevel(float peak)
{
    if (peak == level_)
        return;
    level_ = peak;
    update();
}

void LevelMeter::setRecording(bool on)
{
    if (!on)
        level_ = 0;
    recording_ = on;
    update();
}

double LevelMeter::filled() const
{
    if (level_ <= 0)
        return 0;
    return std::clamp((20 * std::log10(double(level_)) - FloorDb) / -FloorDb, 0.0, 1.0);
}

void LevelMeter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int light = height() - 2;
    painter.setPen(look::ShadowGrey);
    painter.setBrush(recording_ ? QColor(220, 0, 0) : QColor(120, 120, 120));
    painter.drawEllipse(QRectF(1, 1, light, light));
    const QRect track(light + 6, 2, width() - light - 7, height() - 4);
    painter.setBrush(Qt::white);
    painter.drawRect(track);
    const int bar = int(std::lround(filled() * (track.width() - 2)));
    // Green for a voice, red near the top of the scale, where it clips.
    painter.fillRect(track.x() + 1, track.y() + 1, bar, track.height() - 1,
                     level_ > 0.9f ? QColor(220, 0, 0) : QColor(0, 170, 0));
}
