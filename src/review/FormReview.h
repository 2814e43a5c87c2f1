#pragma once

#include "common/PrintPage.h"
#include "review/PeakSummary.h"
#include "review/ReviewInput.h"

#include <QDialog>
#include <functional>
#include <memory>

class MediaPlayer;
class PassChart;
class QLabel;
class QScrollBar;
class TBtnImgD1QF;
class WaveStrip;

// Prints pages laid out for the printer's page size (width, height in device
// units) through the program's print path, over the given window; the
// report's printing provides it.
using ReviewPrinter = std::function<void(
    QWidget* parent, const std::function<QList<PrintPage>(int width, int height)>& layout)>;

// The review of one pass ("Разбор перевода"): the lesson's and the student's
// waveforms on one time line with the syntagms under them, the pass's
// figures, and the chart of the exercise's passes. Enter plays the selected
// syntagm from the lesson and then the student's version, F2 the lesson's
// only, F3 the student's only; Left and Right select the previous and next
// syntagm; Ctrl+wheel and Ctrl+plus/minus zoom.
class TFormReview : public QDialog {
    Q_OBJECT
public:
    TFormReview(const ReviewRequest& request, ReviewPrinter printer, QWidget* parent = nullptr);
    ~TFormReview() override;

    const ReviewMaterial& material() const { return material_; }
    // The pages the print would give for a page of this size.
    QList<PrintPage> printLayout(int pageWidth, int pageHeight) const;

    WaveStrip* Strip;
    QScrollBar* ScrollBar;
    QLabel* LabelFigures;
    QLabel* LabelProblems;
    PassChart* Chart;
    TBtnImgD1QF* BtnPrint;
    TBtnImgD1QF* BtnClose;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BtnPrintClick();
    void playLesson(bool thenStudent);
    void playStudent();
    void playerNotify();
    // A sound that cannot play is told under the window, not in a message
    // that would stop the keys.
    void tellSoundError(const MediaPlayer& player);
    void syncScrollBar();
    void showFigures();
    QStringList problemTexts(const QList<CourseError>& history) const;
    MediaPlayer& player(std::unique_ptr<MediaPlayer>& player, const QString& file);

    ReviewRequest request_;
    ReviewPrinter printer_;
    ReviewMaterial material_;
    PeakSummary lessonPeaks_;
    PeakSummary recordingPeaks_;
    std::unique_ptr<MediaPlayer> lessonPlayer_;
    std::unique_ptr<MediaPlayer> studentPlayer_;
    bool studentNext_ = false;
    int lessonRuns_ = 0; // lesson runs not yet notified
};

// Opens the review of a pass over the parent and returns when it is closed:
// what the trainer's "Разбор перевода", the report and the console call.
void showReview(const ReviewRequest& request, const ReviewPrinter& printer, QWidget* parent);
