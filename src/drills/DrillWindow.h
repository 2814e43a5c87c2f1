#pragma once

#include "common/LaunchResult.h"
#include "dialogs/DlgMessage.h"
#include "drills/DrillFiles.h"

#include "widgets/DialogResult.h"

#include <QDialog>

class MediaPlayer;
class QFrame;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QTextEdit;
class TBtnImgD1QF;
class TBtnImgTransD1QF;
class TempoBox;

// Our own symbols for the round buttons.
inline const QString SymbolHelp = QStringLiteral(":/drills/pictures/help.svg");
inline const QString SymbolNext = QStringLiteral(":/drills/pictures/next.svg");

// The common frame of the exercise windows: a borderless window of a fixed
// client size, light grey with a bevel around it, centred on a point of the
// main window, with a bottom bar of picture buttons and counters, and a
// hidden media player for the item's recording.
class DrillWindow : public QDialog {
    Q_OBJECT
public:
    DrillWindow(QSize client, QWidget* parent);

    // Centres the window on a screen point; halves are truncated.
    void placeAt(int centreX, int centreY);

    MediaPlayer* MediaPlayerPlay;
    // The tempo the items are played at; nullptr in windows without it.
    TempoBox* TempoChoice = nullptr;

    // End of playback, however it ended: the player lets the file go and
    // Play can be pressed again.
    void MediaPlayerPlayNotify();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Escape and closing the window leave the exercise.
    void reject() override { closeDialog(*this, DialogResult::Cancel); }

    // Plays the segment of the sound file; the Play button stays disabled
    // until the notification.
    void playSegment(qint32 start, qint32 end);
    // The tempo choice, if the window has one, shows with the button.
    void setPlayButton(QAbstractButton* button, const QString& soundFile);
    // The choice of the tempo with its caption "Темп" on the left, in `area`.
    void addTempoChoice(const QRect& area);
    // The button that Enter presses. It may be hidden: the window's picture
    // buttons stand for it on screen.
    void setEnterButton(QAbstractButton* button) { enter_ = button; }

    // A round picture button of the bottom bar with its caption under it,
    // centred on x.
    TBtnImgTransD1QF* addBarButton(const QString& symbol, const QString& caption, int x);
    // A counter of the bottom bar: the number in a white box, the caption under it.
    QLabel* addCounter(const QString& caption, int x);
    // The default button of the previews' bottom bar, with its caption.
    TBtnImgD1QF* addNextButton(const QString& caption, int x);
    // A caption above a control, at its designed place.
    void addCaption(const QString& caption, QPoint at);
    // A raised panel over the area of the parent (the window when none).
    QFrame* addRaisedPanel(const QRect& area, QWidget* parent = nullptr);
    // A read-only memo in the panel that leaves Enter to the window.
    static QTextEdit* addReadOnlyMemo(QWidget* panel, const QRect& area, const QFont& font);
    // A raised panel with a caption and a read-only line for an item's text.
    QLineEdit* addTextPanel(const QString& caption, const QRect& area);
    // A raised panel holding a read-only memo for a question.
    QTextEdit* addMemoPanel(const QRect& area);
    // The font of the items' texts.
    static QFont itemFont();
    int barTop() const { return height() - 78; }

    // Reports a fault in the files with the drills' read-error message;
    // true when the items read are enough to run the window.
    template <typename Item>
    bool acceptLoad(const DrillLoad<Item>& load, const QString& message = ReadErrorText)
    {
        if (load.error)
            showFileProblems({message}, FileFault::Error, ReadErrorCaption);
        return load.runnable;
    }

private:
    // Centres a bar control on x with its caption under it.
    void placeOnBar(QWidget* button, const QString& caption, int x);
    void addBarCaption(const QString& caption, int x, int width);

    QAbstractButton* play_ = nullptr;
    QWidget* tempoPanel_ = nullptr; // the choice and its caption
    QAbstractButton* enter_ = nullptr;
    QString soundFile_;
};

// Maps a window's modal result to what a launch returns: gone through for OK,
// cancelled for Ignore, `left` for anything else.
LaunchResult launchResultOf(DialogResult closed, LaunchResult left);
