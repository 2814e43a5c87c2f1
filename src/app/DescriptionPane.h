#pragma once

#include "common/CourseError.h"

#include <QFrame>
#include <optional>

class QLabel;
class QTextEdit;

// A grey panel whose margins hold the decorative frame around its content.
class FramedPanel : public QFrame {
public:
    FramedPanel(QWidget* parent, QMargins margins);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The pane beside the course tree that describes the selected entry: either
// a formatted text or a picture, the other one hidden.
class TDescriptionPane : public FramedPanel {
public:
    explicit TDescriptionPane(QWidget* parent);

    // Shows the text file in place of whatever was shown; on a fault the pane
    // stays empty and the fault is returned.
    std::optional<CourseError> showText(const QString& path);
    // Shows the picture, made smaller where it does not fit; a fault leaves the
    // picture shown before.
    std::optional<CourseError> showPicture(const QString& path);

    QLabel* ImageAbout;
    QTextEdit* RichEditAboutLern;
};

// Paints a widget's background (window and base colours) one colour.
void fillPane(QWidget* widget, const QColor& colour);
