#include "app/Launch.h"
#include "app/CourseCheck.h"
#include "common/Paths.h"
#include "support/TempCourse.h"
#include "users/ReportPrint.h"
#include "users/UserSession.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

TEST(Launch, DataFolderGoesBeforeTheFileNames)
{
    CatalogueEntry entry;
    entry.Kind = 2;
    entry.TextFile = QStringLiteral("L01\\Lex.txt");
    entry.TransFile = QStringLiteral("L01\\LexR.txt");
    entry.SoundFile = QStringLiteral("L01\\Lex.wav");
    entry.TimingFile = QStringLiteral("L01\\LexT.txt");
    const CatalogueEntry copy = prefixedEntry(entry, QStringLiteral("DataTest\\"));
    EXPECT_EQ(copy.TextFile, coursePath(QStringLiteral("DataTest/L01/Lex.txt")));
    EXPECT_EQ(copy.TransFile, coursePath(QStringLiteral("DataTest/L01/LexR.txt")));
    EXPECT_EQ(copy.SoundFile, coursePath(QStringLiteral("DataTest/L01/Lex.wav")));
    EXPECT_EQ(copy.TimingFile, coursePath(QStringLiteral("DataTest/L01/LexT.txt")));
    EXPECT_EQ(copy.Kind, 2);
}

TEST(Launch, EmptySoundAndTimingStayEmpty)
{
    const CatalogueEntry copy = prefixedEntry(CatalogueEntry{}, QStringLiteral("DataTest\\"));
    EXPECT_TRUE(copy.SoundFile.isEmpty());
    EXPECT_TRUE(copy.TimingFile.isEmpty());
    // The other names always get the folder, as the windows expect.
    EXPECT_EQ(copy.TextFile, coursePath(QStringLiteral("DataTest/")));
    EXPECT_EQ(copy.PictureFile, coursePath(QStringLiteral("DataTest/")));
}

namespace {
// A kind the course does not have: the trainer with the text and the
// translation at hand, recording. Its row is all that makes it work.
const ExerciseKind NewKind = ExerciseKind(9);
const KindTraits NewRow{.kind = NewKind,
                        .window = ExerciseWindow::Trainer,
                        .storesRecordingName = true,
                        .recordsVoice = true,
                        .trainer = {.textAllowed = true, .transAllowed = true, .helpTopic = 180},
                        .outcome = u"Вы перевели текст с подсказками."};

std::vector<KindTraits> tableWithNewRow()
{
    std::vector<KindTraits> rows(ExerciseKinds.begin(), ExerciseKinds.end());
    rows.push_back(NewRow);
    return rows;
}

// A course whose catalogues hold a heading, the new kind and lesson listening
// after it; the lessons' files are missing.
void writeNewKindCourse(const TempCourse& course)
{
    const QStringList lines{
        "Урок\t0\t0\t9\t\t0\t\t\t\t\t",
        "Перевод\t1\t1\t9\t\t9\tN1.txt\tN1R.txt\tN1.wav\tN1T.txt\tN1P.txt",
        "Разбор\t1\t1\t9\t\t5\tL1.txt\tL1R.txt\tL1.wav\tL1T.txt\tL1P.txt",
    };
    for (const char* mode : {"A", "B", "C", "D"})
        course.writeLines(QStringLiteral("InitReg%1.txt").arg(QLatin1String(mode)), lines);
}

// What the course check finds at line 2 of catalogue A, the new kind's entry.
QStringList faultsOfTheNewEntry(const QString& course)
{
    QStringList found;
    for (const CourseError& problem : checkCourse(course).problems)
        if (problem.file == QStringLiteral("InitRegA.txt") && problem.line == 2)
            found << problem.what;
    return found;
}
} // namespace

TEST(Launch, ANewKindIsOneRowOfTheTable)
{
    TempCourse course;
    writeNewKindCourse(course);
    ASSERT_TRUE(courseCatalogues().LoadCatalogues().empty());
    UserSession session;
    const LaunchPlace place{QRect(0, 0, 800, 600), u'A', QStringLiteral("DataTest\\")};
    ASSERT_FALSE(exerciseLaunch(session, 2, place)) << "without its row the code opens nothing";
    ASSERT_TRUE(faultsOfTheNewEntry(course.path()).isEmpty());

    const std::vector<KindTraits> rows = tableWithNewRow();
    const KindTableForTest lent(rows);
    // The launcher opens the trainer with the row's options.
    EXPECT_TRUE(exerciseLaunch(session, 2, place));
    const TrainerTraits options = trainerTraits(NewKind, u'A');
    EXPECT_TRUE(options.textAllowed && options.transAllowed && !options.waitAllowed);
    EXPECT_EQ(options.helpTopic, 180);
    // The completion dialog's text, and the record keeps the recording.
    EXPECT_EQ(judgeRun(NewKind, 0, 0).text, QStringLiteral("Вы перевели текст с подсказками."));
    ProgressRecord record;
    ASSERT_TRUE(markProgress(record, NewKind, {0, 0, QStringLiteral("Ivan9.wav")}));
    EXPECT_TRUE(record.done());
    EXPECT_EQ(record.text(), QStringLiteral("Ivan9.wav"));
    // Lesson listening after it follows its recording.
    ProgressTable progress(3);
    progress.record(2) = record;
    EXPECT_EQ(
        previousRecordingName(
            [&](int i) { return courseCatalogues().entry(u'A', i).exerciseKind(); }, &progress, 3),
        QStringLiteral("Ivan9.wav"));
    // The report and its print show it as an exercise.
    const ReportEntry entry{QStringLiteral("Перевод"), NewKind};
    EXPECT_EQ(reportLine(entry, record), QStringLiteral("       Перевод - Выполнено"));
    ReportPrintInput print{
        1200, 1800, "Ivan", "A", QDateTime::currentDateTime(), {entry}, ProgressTable(1), false};
    print.progress.record(1) = record;
    const QList<PrintText> texts = reportPrintLayout(print).first().texts;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const PrintText& text) {
        return text.text == QStringLiteral("       Перевод");
    }));
    // The course check reads the lesson it plays.
    const QStringList faults = faultsOfTheNewEntry(course.path());
    ASSERT_FALSE(faults.isEmpty());
    EXPECT_TRUE(faults.first().contains("N1.txt")) << faults.first().toStdString();
}
