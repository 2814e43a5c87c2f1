#include "drills/Questions.h"

#include "common/LineFile.h"
#include "common/ShortString.h"
#include "drills/DrawOpen.h"

#include <variant>

namespace {
enum class AnswersRead { Whole, UpToFault, Refused };

// Reads the answer blocks into the questions. Lines before the first "#" line
// belong to no question and are dropped once checked. A fault is recorded in
// `error`; answers for questions that do not exist mean the files do not
// belong together, and the questions are refused.
AnswersRead readAnswerBlocks(QList<QuestionRecord>& questions, const QString& path,
                             std::optional<CourseError>& error)
{
    auto read = readCourseLines(path, CodePage::Cp1250);
    if (auto* fault = std::get_if<CourseError>(&read)) {
        error = *fault;
        return AnswersRead::Refused;
    }
    const QStringList lines = std::get<QStringList>(read);
    int block = 0;
    int answers = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        auto fail = [&](const QString& what, AnswersRead result = AnswersRead::UpToFault) {
            error = CourseError{path, i + 1, what};
            return result;
        };
        if (line.isEmpty())
            return fail(QStringLiteral("пустая строка"));
        if (line.startsWith(u'#')) {
            if (++block > questions.size())
                return fail(QStringLiteral("блок ответов без вопроса"), AnswersRead::Refused);
            answers = 0;
            continue;
        }
        if (++answers > MaxAnswers)
            return fail(QStringLiteral("больше четырех ответов на вопрос"));
        if (block > 0)
            questions[block - 1].answers.append(cutShort(line));
    }
    return AnswersRead::Whole;
}

bool askable(const QList<QuestionRecord>& questions)
{
    for (const QuestionRecord& question : questions)
        if (question.answers.isEmpty() || question.answers.size() > MaxAnswers)
            return false;
    return true;
}
} // namespace

DrillLoad<QuestionRecord> loadQuestions(const DrillFiles& files, bool withAnswers)
{
    DrillLoad<QuestionRecord> load;
    auto texts = readCourseLines(files.text, CodePage::Cp1250);
    if (auto* error = std::get_if<CourseError>(&texts)) {
        load.error = *error;
        return load;
    }
    for (const QString& line : std::get<QStringList>(texts))
        load.items.append(QuestionRecord{cutShort(line), {}, false, 0, 0});
    if (load.items.isEmpty()) {
        load.error = CourseError{files.text, 0, QStringLiteral("в файле нет ни одного вопроса")};
        return load;
    }
    // Like any fault, one in the answers ends the reading there.
    const AnswersRead answers =
        withAnswers ? readAnswerBlocks(load.items, files.trans, load.error) : AnswersRead::Whole;
    if (answers == AnswersRead::Refused)
        return load;
    if (answers == AnswersRead::Whole && !files.timing.isEmpty())
        applyDrillTiming(load.items, files.timing, load.error);
    load.runnable = !withAnswers || askable(load.items);
    if (!load.runnable && !load.error)
        load.error = CourseError{files.trans, 0, QStringLiteral("вопрос без ответов")};
    return load;
}

QuestionDrill::QuestionDrill(QList<QuestionRecord> questions) : questions_(std::move(questions)) {}

void QuestionDrill::start()
{
    for (QuestionRecord& question : questions_)
        question.done = false;
    remaining_ = count();
    errors_ = 0;
    selectNext();
}

void QuestionDrill::selectNext()
{
    const int next = drawOpen(questions_, [](const QuestionRecord& q) { return !q.done; });
    if (next >= 0)
        current_ = next;
    retryPending_ = false;
    QList<int> unplaced;
    for (int slot = 0; slot < questions_[current_].answers.size(); ++slot)
        unplaced.append(slot);
    order_.clear();
    while (!unplaced.isEmpty()) {
        const int slot = unplaced.takeAt(drawUniform(0, int(unplaced.size()) - 1));
        if (slot == 0)
            correctSlot_ = int(order_.size());
        order_.append(slot);
    }
    checked_ = {true, false, false, false};
}

void QuestionDrill::click(int position)
{
    if (position < 0 || position >= order_.size())
        return;
    const bool wasChecked = checked_[position];
    checked_.fill(false);
    checked_[position] = !wasChecked;
}

void QuestionDrill::choose(int position)
{
    if (position < 0 || position >= order_.size())
        return;
    checked_.fill(false);
    checked_[position] = true;
}

std::optional<int> QuestionDrill::chosen() const
{
    for (int p = 0; p < MaxAnswers; ++p)
        if (checked_[p])
            return p;
    return std::nullopt;
}

QuestionDrill::Answer QuestionDrill::confirm()
{
    if (checked_[correctSlot_])
        return counted(Outcome::Right);
    if (!retryPending_ && currentQuestion().answers.size() > 2) {
        retryPending_ = true;
        return {Outcome::FirstMiss, currentQuestion().answers.first()};
    }
    ++errors_;
    return counted(Outcome::SecondMiss);
}

QuestionDrill::Answer QuestionDrill::counted(Outcome outcome)
{
    QuestionRecord& question = questions_[current_];
    const Answer answer{outcome, question.answers.first(), --remaining_ <= 0};
    question.done = true;
    if (!answer.finished)
        selectNext();
    return answer;
}

QStringList QuestionDrill::shownAnswers() const
{
    QStringList shown;
    for (int slot : order_)
        shown.append(questions_[current_].answers[slot]);
    return shown;
}
