#pragma once

#include <QStringList>
#include <QTextEdit>

#include <optional>

// A read-only text box filled line by line, as the dialogs fill theirs:
// Clear, then Add. Lines() gives back exactly what was added; on screen a CR
// inside a line breaks it, since the program's messages use it that way.
class TMemo : public QTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    void Clear();
    void Add(const QString& line);
    QStringList Lines() const { return lines_; }
    void SetLines(const QStringList& lines);

    // Left, centred or right, for every line.
    void SetAlignment(Qt::Alignment alignment);
    void SetTextColor(const QColor& color);
    // For a text that must show whole: the memo never scrolls, and where
    // `designed` would need it, the text is set smaller (widgets/FitText.h).
    // With `wrap` false each line stays one line on screen. A hidden memo
    // gets its font when shown: dialogs made at the start and filled line by
    // line before each showing measure their text once.
    void setFittedFont(const QFont& designed, bool wrap = true);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    void fill();
    void fit();
    bool showsWhole(const QFont& font) const;

    QStringList lines_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    std::optional<QFont> designed_;
    bool fitWhenShown_ = false;
    // Until its first showing a memo keeps its lines to itself: the hidden
    // dialogs made at start lay out no text they may never show.
    bool shownOnce_ = false;
    bool fillWhenShown_ = false;
};
