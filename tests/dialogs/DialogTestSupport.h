#pragma once

#include <QByteArray>
#include <QObject>

class QDialog;

// Counts how often a dialog is shown and closes it each time at once, so a
// flow that may or may not show it neither blocks nor needs an arranged
// action.
class ShowCounter : public QObject {
public:
    explicit ShowCounter(QDialog* dialog);
    int shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog* dialog_;
};

// A 16-bit mono PCM WAV of `ms` milliseconds of silence.
QByteArray silentWav(int ms);
