// What a screen reader hears of each drill window: a table of the controls
// it must find, with their roles, names and states.
#include "drills/DrillLaunch.h"
#include "drills/FormQuestEnd.h"
#include "support/AccessibleRows.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"

#include <QDialog>
#include <QTableWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {
using Role = QAccessible::Role;

struct WindowCase {
    const char* window;
    std::function<void()> launch;
    QString title;
    QList<AccessibleRow> expected;
};

AccessibleRow row(Role role, const QString& name, const QString& description = {},
                  bool checked = false, bool focusable = false)
{
    return {role, name, description, checked, focusable};
}

AccessibleRow button(const QString& name)
{
    return row(Role::Button, name, {}, false, true);
}

AccessibleRow text(const QString& name)
{
    return row(Role::EditableText, name);
}

// The rows a screen reader gets of the next modal window, which is then left.
QList<AccessibleRow> rowsOfWindow(const std::function<void()>& launch, QString* title)
{
    QList<AccessibleRow> rows;
    whenModal([&](QWidget* window) {
        rows = accessibleRows(window);
        *title = QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name);
        static_cast<QDialog*>(window)->reject();
    });
    launch();
    return rows;
}

void writeDrillFiles(const TempCourse& course)
{
    course.writeLines("Lex.txt", {"der Hund", "die Katze"}, true);
    course.writeLines("LexTr.txt", {QStringLiteral("собака"), QStringLiteral("кошка")});
    course.writeLines("Quest.txt", {"Wer bellt?"}, true);
    course.writeLines("Answ.txt", {"#", "der Hund", "die Katze"}, true);
    course.writeLines("TrFl.txt", {"Der Hund bellt.\t0"}, true);
    course.writeLines("TrFlTr.txt", {QStringLiteral("перевод")});
    course.writeLines("TrFlTim.txt", {"0\t800"});
}
} // namespace

TEST(AccessibleDrillWindows, EveryControlHasItsRoleAndName)
{
    TempCourse course;
    writeDrillFiles(course);
    const QString question = QStringLiteral("Wer bellt?");
    const QString statement = QStringLiteral("Der Hund bellt.");
    const QString yes = QStringLiteral("Да");
    const QList<WindowCase> cases = {
        {"lexicon drill",
         [] { ExecuteLexic(400, 300, "Lex.txt", "LexTr.txt", "", ""); },
         QStringLiteral("Тренировка лексики"),
         {text(QStringLiteral("Исходное выражение")),
          row(Role::List, QStringLiteral("Выберите правильный перевод"), {}, false, true),
          button(QStringLiteral("Подтверждение")), button(QStringLiteral("Помощь")),
          button(QStringLiteral("Выход"))}},
        {"lexicon preview",
         [] { ExecuteLexicDemo(400, 300, "Lex.txt", "LexTr.txt", "", ""); },
         QStringLiteral("Просмотр лексики"),
         {text(QStringLiteral("Исходное выражение")), text(QStringLiteral("Перевод")),
          button(QStringLiteral("Далее")), button(QStringLiteral("Помощь")),
          button(QStringLiteral("Выход"))}},
        {"question preview",
         [] { ExecuteQuestDemo(400, 300, "Quest.txt", "", "", ""); },
         QStringLiteral("Просмотр вопросов"),
         {text(QStringLiteral("Вопрос")), button(QStringLiteral("Далее")),
          button(QStringLiteral("Помощь")), button(QStringLiteral("Выход"))}},
        {"after-text questions",
         [] { ExecuteQuestDown(400, 300, "Quest.txt", "Answ.txt", "", ""); },
         QStringLiteral("Послетекстовые вопросы"),
         {text(QStringLiteral("Вопрос")), row(Role::Grouping, QStringLiteral("Варианты ответов")),
          row(Role::RadioButton, QStringLiteral("der Hund"), question, false, true),
          row(Role::RadioButton, QStringLiteral("die Katze"), question, false, true),
          button(QStringLiteral("Подтверждение")), button(QStringLiteral("Помощь")),
          button(QStringLiteral("Выход"))}},
        {"true or false",
         [] { ExecuteQuestTrFl(400, 300, "TrFl.txt", "TrFlTr.txt", "TrFlTim.txt", ""); },
         QStringLiteral("Верно или неверно"),
         {row(Role::EditableText, QStringLiteral("Утверждение")),
          row(Role::RadioButton, yes, statement, true, true),
          row(Role::RadioButton, QStringLiteral("Нет"), statement, false, true),
          button(QStringLiteral("OK")), button(QStringLiteral("Пропустить")),
          button(QStringLiteral("Проиграть"))}},
    };
    for (const WindowCase& c : cases) {
        QString title;
        const QList<AccessibleRow> rows = rowsOfWindow(c.launch, &title);
        EXPECT_EQ(title, c.title) << c.window;
        for (const AccessibleRow& want : c.expected) {
            AccessibleRow seen = want;
            // The first box is checked at each question; which answer it
            // shows is drawn at random.
            if (want.role == Role::RadioButton && want.name != yes) {
                for (const AccessibleRow& row : rows)
                    if (row.role == want.role && row.name == want.name)
                        seen.checked = row.checked;
            }
            EXPECT_TRUE(rows.contains(seen))
                << c.window << ": no " << describeRows({want}) << "in\n"
                << describeRows(rows);
        }
    }
    EXPECT_TRUE(modalActionsDone());
}

TEST(AccessibleDrillWindows, TheResultsGridIsNamedAndReadCellByCell)
{
    TFormQuestEnd results;
    results.show();
    results.StringGridRes->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Der Hund bellt.")));
    const QList<AccessibleRow> rows = accessibleRows(&results);
    EXPECT_TRUE(
        rows.contains(row(Role::Table, QStringLiteral("Результаты упражнения"), {}, false, true)))
        << describeRows(rows);
    EXPECT_EQ(accessibleRow(&results, Role::Cell, QStringLiteral("Der Hund bellt.")).role,
              Role::Cell)
        << describeRows(rows);
}
