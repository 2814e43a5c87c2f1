#include "app/ReviewLaunch.h"
#include "common/PassHistoryName.h"
#include "common/Paths.h"
#include "support/TempCourse.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
CatalogueEntry waitingTrainer()
{
    CatalogueEntry entry;
    entry.Kind = quint8(ExerciseKind::TrainerWithWait);
    entry.TextFile = QStringLiteral("L01\\Text.txt");
    entry.SoundFile = QStringLiteral("L01\\Text.wav");
    entry.TimingFile = QStringLiteral("L01\\TextTim.txt");
    return entry;
}

TEST(ReviewLaunch, TheRequestNamesTheLessonTheStudentTimingAndTheHistory)
{
    TempCourse course;
    const QString sep = QDir::separator();
    const QString recording = QStringLiteral("Report/Ivan/Ivan4.wav");
    ReviewRequest request = reviewRequest(waitingTrainer(), QStringLiteral("DataTest\\"), recording,
                                          {QStringLiteral("Ivan"), "Report/Ivan/Ivan.rep", false});
    EXPECT_EQ(request.text, "DataTest" + sep + "L01" + sep + "Text.txt");
    EXPECT_EQ(request.lessonSound, "DataTest" + sep + "L01" + sep + "Text.wav");
    EXPECT_EQ(request.lessonTiming, "DataTest" + sep + "L01" + sep + "TextTim.txt");
    EXPECT_EQ(request.studentTiming, "") << "the pass kept no timing file";
    EXPECT_EQ(request.historyFile, passHistoryName(coursePath("Report/Ivan/Ivan.rep")));
    EXPECT_EQ(request.exercise, (PassExercise{12, QStringLiteral("L01\\Text.txt")}));
    EXPECT_FALSE(request.keepsPass);
    course.write("Report/Ivan/Ivan4.txt", "#\t#\r\n");
    request = reviewRequest(waitingTrainer(), QStringLiteral("DataTest\\"), recording,
                            {QStringLiteral("Ivan"), "Report/Ivan/Ivan.rep", true});
    EXPECT_EQ(request.studentTiming, coursePath("Report/Ivan/Ivan4.txt"));
    EXPECT_EQ(reviewRequest(waitingTrainer(), {}, recording, {}).historyFile, "")
        << "the anonymous user has no history";
}

TEST(ReviewLaunch, TheTipIsTheHistorysLineOfThatVeryRecording)
{
    TempCourse course;
    course.write("Report/Ivan/Ivan4.wav", "not read: the history has its line");
    ReviewRequest request = reviewRequest(waitingTrainer(), QStringLiteral("DataTest\\"),
                                          "Report/Ivan/Ivan4.wav",
                                          {QStringLiteral("Ivan"), "Report/Ivan/Ivan.rep", true});
    PassRecord record = passRecordOf(request, {});
    record.lessonMs = 20000;
    record.speakingMs = 15000;
    record.medianLag = 900;
    record.largestLag = 2100;
    ASSERT_FALSE(appendPass(request.historyFile, record));
    EXPECT_EQ(passFiguresTip(request), QStringLiteral("Речь: 15,0 с из 20,0 с (75 %)\n"
                                                      "Паузы длиннее 0,5 с: 0, всего 0,0 с\n"
                                                      "Отставание: медиана 0,9 с, наибольшее 2,1 с"));
    // Another recording under the name (a later pass) has no line: it cannot
    // be read here, so there is no tip rather than a wrong one.
    QFile file(request.recording);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(90),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(passFiguresTip(request), "");
}
} // namespace
