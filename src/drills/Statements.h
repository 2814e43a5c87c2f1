#pragma once

#include "drills/DrillFiles.h"
#include "drills/DrillTiming.h"

#include <QStringList>

// A true/false statement: `key` is true when the right answer is "Да".
struct TrueFalseItem {
    QString text;
    bool key = false;
    bool answered = false;
    bool right = false;
    qint32 start = 0;
    qint32 end = 0;
};

// One statement line: the statement, TAB, the key character ("0" for a true
// statement, anything else for a false one). A line without TAB gives an
// empty statement keyed by its first character. Empty for an empty line or one
// that ends right after its TAB.
std::optional<TrueFalseItem> parseStatementLine(const QString& line);

// Reads the statements (code page 1250) up to the first bad line, checks that
// the second file exists and reads the timing file when it is named, stopping
// at the first fault. The statements read before it are asked; a missing second
// or timing file leaves them without sound.
DrillLoad<TrueFalseItem> loadStatements(const DrillFiles& files);

// The true/false exercise: each statement once, at random; no second try.
class TrueFalseDrill {
public:
    explicit TrueFalseDrill(QList<TrueFalseItem> items);

    // Resets the counters and draws the first statement.
    void start();
    // Draws another unanswered statement (perhaps the same); used to skip,
    // which changes no counter.
    void selectNext();
    // Answers the current statement with "Да" (true) or "Нет" (false);
    // returns true when that was the last one.
    bool answer(bool yes);

    int count() const { return int(items_.size()); }
    int remaining() const { return remaining_; }
    int errors() const { return errors_; }
    int current() const { return current_; }
    const TrueFalseItem& currentItem() const { return items_[current_]; }
    const QList<TrueFalseItem>& items() const { return items_; }

private:
    QList<TrueFalseItem> items_;
    int current_ = 0;
    int remaining_ = 0;
    int errors_ = 0;
};

// The rows of the results table in file order: the statement, the right
// answer ("Да"/"Нет") and whether the student's answer was right ("Да"/"Нет").
QList<QStringList> resultRows(const QList<TrueFalseItem>& items);
