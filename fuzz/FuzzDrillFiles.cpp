// Any bytes as a drill's files (split at zero bytes into the text, second and
// timing file): loading never fails hard, and a drill that is declared
// runnable can be gone through to its end without touching a missing item.
#include "FuzzSupport.h"
#include "drills/DrillRandom.h"
#include "drills/Lexicon.h"
#include "drills/Questions.h"
#include "drills/Statements.h"

namespace {
void runLexicon(const DrillFiles& files)
{
    const DrillLoad<LexiconItem> load = loadLexicon(files);
    if (!load.runnable)
        return;
    LexiconDrill drill(load.items);
    drill.start();
    for (int step = 0;; ++step) {
        check(step < 4 * drill.count() + 4);
        if (step % 3 == 0) {
            drill.answer(QStringLiteral("\x01 no translation"));
            continue;
        }
        if (drill.answer(drill.currentItem().translation).finished)
            break;
    }
    check(drill.remaining() == 0);
}

void runQuestions(const DrillFiles& files)
{
    const DrillLoad<QuestionRecord> load = loadQuestions(files, true);
    if (!load.runnable)
        return;
    QuestionDrill drill(load.items);
    drill.start();
    for (int step = 0;; ++step) {
        check(step < 3 * drill.count() + 3);
        check(drill.correctSlot() < drill.shownAnswers().size());
        drill.click(step % MaxAnswers);
        if (drill.confirm().finished)
            break;
    }
    check(drill.errors() <= drill.count());
}

void runStatements(const DrillFiles& files)
{
    const DrillLoad<TrueFalseItem> load = loadStatements(files);
    if (!load.runnable)
        return;
    TrueFalseDrill drill(load.items);
    drill.start();
    int answers = 1;
    while (!drill.answer(answers % 2 == 0))
        ++answers;
    check(answers == drill.count());
    check(resultRows(drill.items()).size() == drill.count());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir dir;
    seedDrillRandom(size);
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    const DrillFiles files{
        writeFuzzFile(dir, "text", parts.value(0)), writeFuzzFile(dir, "trans", parts.value(1)),
        parts.size() > 2 ? writeFuzzFile(dir, "timing", parts.value(2)) : QString(), QString()};
    runLexicon(files);
    runQuestions(files);
    runStatements(files);
    return 0;
}
