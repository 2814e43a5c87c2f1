#pragma once

#include <QDialog>

class MediaPlayer;
class QTimer;

// The start-up splash: one picture for 4.5 seconds while music.wav plays.
// The music is opened when the window is made and plays on to its end after
// the splash has closed.
class TFormBegin : public QDialog {
    Q_OBJECT
public:
    explicit TFormBegin(QWidget* parent = nullptr);

    // False when music.wav could not be opened; the start then ends.
    bool musicReady() const;
    QString musicError() const;

    MediaPlayer* MediaPlayerBegin;
    QTimer* TimerBegin;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void TimerBeginTimer();
    void MediaPlayerBeginNotify();
};
