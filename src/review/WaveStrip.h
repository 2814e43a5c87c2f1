#pragma once

#include "review/PeakSummary.h"
#include "review/TimeLine.h"

#include <QWidget>

// The two waveforms of a pass on one time line: the lesson above, the
// student's recording below, the syntagms' turns and their German text
// under them. The student's speech is marked under the recording, its long
// pauses in red. Ctrl+wheel zooms around the mouse, the wheel scrolls, a
// click selects the syntagm under it.
class WaveStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int RulerHeight = 16;
    static constexpr int TextHeight = 44;

    explicit WaveStrip(QWidget* parent = nullptr);

    // The material and the peak summaries of its two sounds must outlive the strip.
    void setMaterial(const ReviewMaterial* material, const PeakSummary* lesson,
                     const PeakSummary* recording);

    const TimeView& view() const { return view_; }
    qint64 lengthMs() const { return lengthMs_; }
    void setView(const TimeView& view);
    // The whole pass in the window, as far as the coarsest scale allows.
    void fitWhole();
    // Zooms around the middle (Ctrl+plus/minus) or the given x (Ctrl+wheel).
    void zoomBy(double factor);
    void zoomBy(double factor, double x);

    // Where a lane is drawn: 0 the lesson, 1 the recording.
    QRect laneRect(int lane) const;

    qsizetype selected() const { return selected_; }
    // Selects the syntagm and brings its turn into view.
    void select(qsizetype index);

signals:
    void viewChanged();
    void selectedChanged(qsizetype index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool showsWhole(int width) const;
    void paintRuler(QPainter& painter) const;
    void paintTurns(QPainter& painter) const;
    void paintLesson(QPainter& painter) const;
    void paintRecording(QPainter& painter) const;
    void paintSpeech(QPainter& painter) const;
    void paintTexts(QPainter& painter) const;

    const ReviewMaterial* material_ = nullptr;
    const PeakSummary* lesson_ = nullptr;
    const PeakSummary* recording_ = nullptr;
    TimeView view_;
    qint64 lengthMs_ = 0;
    qsizetype selected_ = -1;
};

// Draws the peaks as one vertical line a column, in the rectangle.
void drawPeaks(QPainter& painter, const QRect& lane, const std::vector<Peak>& peaks, int firstX);
