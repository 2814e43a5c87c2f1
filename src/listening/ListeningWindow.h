#pragma once

#include "listening/Lesson.h"
#include "listening/TextZoom.h"
#include "listening/WindowFitting.h"

#include <QDialog>

class QKeyEvent;
class TempoBox;
class QLabel;

// What both listening windows are built on: the framed text and translation
// pages side by side above a lower panel, each page with a picture that
// covers it while its text is hidden, and the lesson picture of the moment.
class ListeningWindow : public QDialog {
    Q_OBJECT
public:
    const Lesson& lessonData() const { return lesson_; }
    int shownPicture() const { return shownPicture_; }
    const TextZoom& textZoom() const { return zoom_; }

    QWidget* PanelText;
    QWidget* PanelTrans;
    QLabel* ImageStatic;
    QLabel* ImageChange;
    TempoBox* TempoChoice = nullptr;

protected:
    ListeningWindow(const PageLayout& design, const QString& dataFolder, const QString& student,
                    QWidget* parent);

    // What the window does when first shown.
    virtual void FormShow() = 0;
    // Places what lies on the pages and in the lower panel after a resize;
    // the pages themselves are placed already.
    virtual void arrange() = 0;
    int panelTop() const { return height() - design_.lowerPanel; }
    // Draws the texts at the size the student chose.
    virtual void applyTextSize() = 0;
    // The text one step larger (+1) or smaller (-1), both panes together.
    void zoomBy(int steps);
    // Ctrl+minus, Ctrl+plus and Ctrl+0; true when the key was one of them.
    bool zoomKey(QKeyEvent* event);

    // The "Темп" choice with its caption in the lower panel; Ctrl+Down and
    // Ctrl+Up reach it from anywhere in the window.
    void addTempoChoice(QWidget* panel);
    void placeTempoChoice(const QRect& place);
    void showPicture(int index);
    // The lesson picture of syntagm `n`, chosen by the lesson's own timing
    // whichever recording plays.
    void followPictures(int n);

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    Lesson lesson_;

private:
    void arrangePages();

    PageLayout design_;
    QWidget* tempoPanel_ = nullptr;
    TextZoom zoom_;
    QString dataFolder_;
    int shownPicture_ = 0;
};
