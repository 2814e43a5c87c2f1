#pragma once

#include <QStringList>
#include <QTextEdit>

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

private:
    void refresh();

    QStringList lines_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
};
