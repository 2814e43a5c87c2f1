#include "drills/Statements.h"

#include "common/LineFile.h"
#include "common/ShortString.h"
#include "drills/DrawOpen.h"

#include <QFile>
#include <variant>

std::optional<TrueFalseItem> parseStatementLine(const QString& line)
{
    if (line.isEmpty())
        return std::nullopt;
    const qsizetype tab = line.indexOf(u'\t');
    if (tab == line.size() - 1)
        return std::nullopt;
    TrueFalseItem item;
    item.text = tab < 0 ? QString() : cutShort(line.left(tab));
    item.key = line[tab + 1] == u'0';
    return item;
}

namespace {
bool readStatements(QList<TrueFalseItem>& items, const QString& path,
                    std::optional<CourseError>& error)
{
    auto read = readCourseLines(path, CodePage::Cp1250);
    if (auto* fault = std::get_if<CourseError>(&read)) {
        error = *fault;
        return false;
    }
    const QStringList lines = std::get<QStringList>(read);
    for (int i = 0; i < lines.size(); ++i) {
        const std::optional<TrueFalseItem> item = parseStatementLine(lines[i]);
        if (!item) {
            error =
                CourseError{path, i + 1, QStringLiteral("строка не вида «утверждение, TAB, ключ»")};
            return false;
        }
        items.append(*item);
    }
    if (items.isEmpty()) {
        error = CourseError{path, 0, QStringLiteral("в файле нет ни одного утверждения")};
        return false;
    }
    return true;
}

bool exists(const QString& path, std::optional<CourseError>& error)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return true;
    error = CourseError{path, 0, QStringLiteral("файл не найден или не читается")};
    return false;
}
} // namespace

DrillLoad<TrueFalseItem> loadStatements(const DrillFiles& files)
{
    DrillLoad<TrueFalseItem> load;
    // Reading stops at the first fault. Whatever statements were read are
    // asked: a missing second or timing file costs only the sound.
    if (readStatements(load.items, files.text, load.error) && exists(files.trans, load.error) &&
        !files.timing.isEmpty())
        applyDrillTiming(load.items, files.timing, load.error);
    load.runnable = !load.items.isEmpty();
    return load;
}

TrueFalseDrill::TrueFalseDrill(QList<TrueFalseItem> items) : items_(std::move(items)) {}

void TrueFalseDrill::start()
{
    for (TrueFalseItem& item : items_)
        item.answered = item.right = false;
    remaining_ = count();
    errors_ = 0;
    selectNext();
}

void TrueFalseDrill::selectNext()
{
    const int next = drawOpen(items_, [](const TrueFalseItem& item) { return !item.answered; });
    if (next >= 0)
        current_ = next;
}

bool TrueFalseDrill::answer(bool yes)
{
    TrueFalseItem& item = items_[current_];
    item.right = yes == item.key;
    item.answered = true;
    if (!item.right)
        ++errors_;
    if (--remaining_ <= 0)
        return true;
    selectNext();
    return false;
}

QList<QStringList> resultRows(const QList<TrueFalseItem>& items)
{
    const QString yes = QStringLiteral("Да");
    const QString no = QStringLiteral("Нет");
    QList<QStringList> rows;
    for (const TrueFalseItem& item : items)
        rows.append({item.text, item.key ? yes : no, item.right ? yes : no});
    return rows;
}
