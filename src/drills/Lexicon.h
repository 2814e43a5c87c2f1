#pragma once

#include "drills/DrillFiles.h"
#include "drills/DrillTiming.h"
#include "drills/Preview.h"

#include <QStringList>

// One expression of a lesson's lexicon with its translation and the bounds of
// its recording.
struct LexiconItem {
    QString expression;
    QString translation;
    bool done = false;
    qint32 start = 0;
    qint32 end = 0;
};

// Reads the lexicon: expressions (code page 1250) one a line, translations
// (1251) line by line beside them, and, when the timing file is named, the
// segments. Items without a translation line get an empty translation; items
// after a bad timing line keep 0, 0.
DrillLoad<LexiconItem> loadLexicon(const DrillFiles& files);

// The drill: an expression at random, the student picks its translation. It
// ends when every expression was translated right once.
class LexiconDrill {
public:
    using Outcome = DrillOutcome;
    using Answer = DrillAnswer;

    explicit LexiconDrill(QList<LexiconItem> items);

    // Resets the counters and draws the first expression.
    void start();
    // Draws the next expression among those not yet done; the one just missed
    // may come again at once.
    void selectNext();
    // Checks a chosen translation by its text: a duplicate translation of
    // another item counts as right too.
    Answer answer(const QString& chosen);

    int count() const { return int(items_.size()); }
    int correct() const { return correct_; }
    int errors() const { return errors_; }
    int remaining() const { return count() - correct_; }
    bool retryPending() const { return retryPending_; }
    int current() const { return current_; }
    const LexiconItem& currentItem() const { return items_[current_]; }
    const QList<LexiconItem>& items() const { return items_; }
    QStringList translations() const;

private:
    QList<LexiconItem> items_;
    int current_ = 0;
    int correct_ = 0;
    int errors_ = 0;
    bool retryPending_ = false;
};

// The preview: the expressions one after the other in file order.
using LexiconPreview = Preview<LexiconItem>;
