#include "drills/Lexicon.h"

#include "common/LineFile.h"
#include "drills/DrawOpen.h"

#include <variant>

namespace {
CourseError noItems(const QString& path)
{
    return CourseError{path, 0, QStringLiteral("в файле нет ни одной строки")};
}

} // namespace

DrillLoad<LexiconItem> loadLexicon(const DrillFiles& files)
{
    DrillLoad<LexiconItem> load;
    auto expressions = readCourseLines(files.text, CodePage::Cp1250);
    if (auto* error = std::get_if<CourseError>(&expressions)) {
        load.error = *error;
        return load;
    }
    for (const QString& line : std::get<QStringList>(expressions))
        load.items.append(LexiconItem{line, {}, false, 0, 0});
    if (load.items.isEmpty()) {
        load.error = noItems(files.text);
        return load;
    }
    auto translations = readCourseLines(files.trans, CodePage::Cp1251);
    if (auto* error = std::get_if<CourseError>(&translations)) {
        load.error = *error;
        return load;
    }
    const QStringList lines = std::get<QStringList>(translations);
    for (int i = 0; i < load.items.size() && i < lines.size(); ++i)
        load.items[i].translation = lines[i];
    if (lines.size() > load.items.size()) {
        // Extra translations mean the two files do not belong together; the
        // drill can still run on the pairs it has.
        load.error = CourseError{files.trans, int(load.items.size()) + 1,
                                 QStringLiteral("перевод без исходного выражения")};
    }
    if (!files.timing.isEmpty())
        applyDrillTiming(load.items, files.timing, load.error);
    load.runnable = true;
    return load;
}

LexiconDrill::LexiconDrill(QList<LexiconItem> items) : items_(std::move(items)) {}

void LexiconDrill::start()
{
    for (LexiconItem& item : items_)
        item.done = false;
    correct_ = 0;
    errors_ = 0;
    selectNext();
}

void LexiconDrill::selectNext()
{
    const int next = drawOpen(items_, [](const LexiconItem& item) { return !item.done; });
    if (next >= 0)
        current_ = next;
    retryPending_ = false;
}

LexiconDrill::Answer LexiconDrill::answer(const QString& chosen)
{
    LexiconItem& item = items_[current_];
    const QString expected = item.translation;
    if (chosen == expected) {
        item.done = true;
        ++correct_;
        if (correct_ >= count())
            return {Outcome::Right, expected, true};
        selectNext();
        return {Outcome::Right, expected};
    }
    if (!retryPending_) {
        retryPending_ = true;
        return {Outcome::FirstMiss, expected};
    }
    selectNext();
    ++errors_;
    return {Outcome::SecondMiss, expected};
}

QStringList LexiconDrill::translations() const
{
    QStringList list;
    for (const LexiconItem& item : items_)
        list.append(item.translation);
    return list;
}
