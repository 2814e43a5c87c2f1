#pragma once

#include <QWidget>

// The microphone's level while a pass or the microphone check records: a
// light that is red while recording, and a bar of the loudest sample of the
// last moment, on a scale of decibels so that a voice fills about half.
class LevelMeter : public QWidget {
    Q_OBJECT
public:
    // The quietest level the bar shows, in decibels of full scale.
    static constexpr double FloorDb = -60;

    explicit LevelMeter(QWidget* parent = nullptr);

    // A peak of 0 to 1 of full scale.
    void setLevel(float peak);
    float level() const { return level_; }
    void setRecording(bool on);
    bool recording() const { return recording_; }
    // How much of the bar the level fills, 0 to 1.
    double filled() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float level_ = 0;
    bool recording_ = false;
};
