#pragma once

#include "drills/DrillFiles.h"
#include "drills/DrillTiming.h"
#include "drills/Preview.h"

#include <QStringList>
#include <array>
#include <optional>

inline constexpr int MaxAnswers = 4;

// An after-text question with its answers; the first answer is the right one.
struct QuestionRecord {
    QString text;
    QStringList answers;
    bool done = false;
    qint32 start = 0;
    qint32 end = 0;
};

// Reads the questions (one a line, code page 1250, cut to 255 characters), the
// answer blocks when `withAnswers` (a "#" line opens each block, then one to
// four answers, the right one first) and the segments when the timing file is
// named. An empty answer line or a fifth answer stops the reading; so does a
// block without a question to belong to. The questions can be asked only when
// each has one to four answers.
DrillLoad<QuestionRecord> loadQuestions(const DrillFiles& files, bool withAnswers);

// The after-text questions: each question once, at random, with its answers in
// random order at the four display positions; the student checks one box and
// confirms.
class QuestionDrill {
public:
    using Outcome = DrillOutcome;
    using Answer = DrillAnswer;

    explicit QuestionDrill(QList<QuestionRecord> questions);

    // Resets the counters and draws the first question.
    void start();
    // Draws an unanswered question, shuffles its answers and checks the first
    // box.
    void selectNext();
    // A click on the choice box at a display position (0-based): the other
    // boxes are unchecked, then the box toggles, so clicking the checked box
    // leaves none checked.
    void click(int position);
    // A choice by key: the box at the position is checked, the others not.
    void choose(int position);
    // The checked box's position; none when the student unchecked them all.
    std::optional<int> chosen() const;
    // Confirms the choice: right when the box at the right answer's position
    // is checked. A question with more than two answers gets a second try.
    Answer confirm();

    int count() const { return int(questions_.size()); }
    int remaining() const { return remaining_; }
    int errors() const { return errors_; }
    bool retryPending() const { return retryPending_; }
    int current() const { return current_; }
    const QuestionRecord& currentQuestion() const { return questions_[current_]; }
    // The answers of the current question in display order.
    QStringList shownAnswers() const;
    int correctSlot() const { return correctSlot_; }
    const std::array<bool, MaxAnswers>& checked() const { return checked_; }

private:
    Answer counted(Outcome outcome);

    QList<QuestionRecord> questions_;
    QList<int> order_;
    std::array<bool, MaxAnswers> checked_{};
    int current_ = 0;
    int correctSlot_ = 0;
    int remaining_ = 0;
    int errors_ = 0;
    bool retryPending_ = false;
};

// The question preview: the questions in file order, without answers.
using QuestionPreview = Preview<QuestionRecord>;
