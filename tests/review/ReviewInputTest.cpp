#include "review/ReviewInput.h"

#include "../sound/SoundFiles.h"
#include "PassMaterial.h"
#include "support/TempCourse.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
constexpr int Rate = 22050;

// A lesson of a title and four syntagms, a heading among them, its sound a
// tone, and the student's recording with speech at known places.
class ReviewInputTest : public ::testing::Test {
public:
    void SetUp() override
    {
        course.writeLines(QStringLiteral("text.txt"),
                          {QStringLiteral("Titel"), QStringLiteral("Guten Tag."),
                           QStringLiteral("Abschnitt"), QStringLiteral("Wie geht's?"),
                           QStringLiteral("Schön, danke.")},
                          true);
        course.writeLines(QStringLiteral("timing.txt"),
                          {QStringLiteral("#\t#"), QStringLiteral("0\t2000"),
                           QStringLiteral("#\t#"), QStringLiteral("2000\t4000"),
                           QStringLiteral("4000\t6000")});
        ASSERT_TRUE(writeTone(course.filePath(QStringLiteral("lesson.wav")), {Rate, 1, 6000}));
        ASSERT_TRUE(writeTemplate(course.filePath(QString::fromLatin1(RecordingTemplateFile))));
        request = studentPass(course);
    }

    void record(qint32 ms, const QList<SpeechSpan>& speech, int rate = Rate)
    {
        ASSERT_TRUE(writeSamples(request.recording, rate, speechLike(ms, speech, 30, rate)));
    }

    static QList<int> lines(const ReviewMaterial& m)
    {
        QList<int> numbers;
        for (const ReviewSyntagm& s : m.syntagms)
            numbers.append(s.line);
        return numbers;
    }

    TempCourse course;
    ReviewRequest request;
};

TEST_F(ReviewInputTest, SharedTimeLineGivesLessonTurnsAndLags)
{
    record(6000, {{600, 1800}, {2900, 3900}, {4300, 5800}});
    const ReviewMaterial m = loadReview(request);
    EXPECT_TRUE(m.problems.isEmpty()) << m.problems.value(0).userText().toStdString();
    ASSERT_EQ(lines(m), QList<int>({2, 4, 5}));
    EXPECT_EQ(m.syntagms[1].text, QStringLiteral("Wie geht's?"));
    EXPECT_EQ(m.syntagms[1].student.begin, 2000);
    EXPECT_EQ(m.figures.lessonMs, 6000);
    ASSERT_EQ(m.figures.lags.size(), 3);
    EXPECT_NEAR(m.figures.lags[0].value_or(-1), 600, 20);
    EXPECT_NEAR(m.figures.lags[1].value_or(-1), 900, 20);
    EXPECT_NEAR(m.figures.lags[2].value_or(-1), 300, 20);
    EXPECT_NEAR(m.figures.medianLag.value_or(-1), 600, 20);
    EXPECT_NEAR(m.figures.speakingMs, 3700, 60);
    EXPECT_EQ(m.figures.pauseCount, 1) << "1.1 s after the first turn; 0.4 s is no pause";
}

TEST_F(ReviewInputTest, WaitingPassFollowsTheStudentTimingFile)
{
    request.kind = ExerciseKind::TrainerWithWait;
    request.studentTiming = course.filePath(QStringLiteral("Ivan4.txt"));
    course.writeLines(QStringLiteral("Ivan4.txt"),
                      {QStringLiteral("#\t#"), QStringLiteral("0\t2000"), QStringLiteral("#\t#"),
                       QStringLiteral("5000\t7000"), QStringLiteral("7000\t9000")});
    record(9000, {{500, 1900}, {6500, 6800}, {7200, 8800}});
    const ReviewMaterial m = loadReview(request);
    EXPECT_TRUE(m.problems.isEmpty()) << m.problems.value(0).userText().toStdString();
    ASSERT_EQ(lines(m), QList<int>({2, 4, 5}));
    EXPECT_EQ(m.syntagms[1].lesson.begin, 2000);
    EXPECT_EQ(m.syntagms[1].student.begin, 5000);
    EXPECT_NEAR(m.figures.lags[1].value_or(-1), 1500, 20);
    EXPECT_NEAR(m.figures.lags[2].value_or(-1), 200, 20);
}

TEST_F(ReviewInputTest, BadInputIsNamedAndTheRestShown)
{
    struct Case {
        const char* name;
        std::function<void(ReviewInputTest&)> spoil;
        QString file; // named by the one problem
        QList<int> shown;
    };
    const Case cases[] = {
        {"a timing file shorter than the text",
         [](ReviewInputTest& t) {
             t.course.writeLines(QStringLiteral("timing.txt"),
                                 {QStringLiteral("#\t#"), QStringLiteral("0\t2000"),
                                  QStringLiteral("#\t#"), QStringLiteral("2000\t4000")});
             t.record(6000, {{600, 1800}});
         },
         QStringLiteral("timing.txt"),
         {2, 4}},
        {"a recording shorter than its timing",
         [](ReviewInputTest& t) {
             t.record(3000, {{600, 1800}});
         },
         QStringLiteral("Ivan4.wav"),
         {2, 4}},
        {"a recording in another format than the template",
         [](ReviewInputTest& t) {
             t.record(6000, {{600, 1800}}, 44100);
         },
         QStringLiteral("Ivan4.wav"),
         {2, 4, 5}},
        {"no recording", [](ReviewInputTest&) {}, QStringLiteral("Ivan4.wav"), {2, 4, 5}},
        {"a waiting pass without its student timing file",
         [](ReviewInputTest& t) {
             t.request.kind = ExerciseKind::TrainerWithWait;
             t.record(6000, {{600, 1800}});
         },
         QStringLiteral("Ivan4.wav"),
         {2, 4, 5}},
    };
    for (const Case& c : cases) {
        SetUp();
        c.spoil(*this);
        const ReviewMaterial m = loadReview(request);
        ASSERT_EQ(m.problems.size(), 1) << c.name;
        EXPECT_EQ(m.problems[0].file, course.filePath(c.file)) << c.name;
        EXPECT_EQ(lines(m), c.shown) << c.name;
        QFile::remove(request.recording);
    }
}

TEST_F(ReviewInputTest, APassIsKeptOncePerRecording)
{
    record(6000, {{600, 1800}});
    const ReviewMaterial m = loadReview(request);
    ASSERT_FALSE(keepPass(request, m.figures));
    ASSERT_FALSE(keepPass(request, m.figures));
    EXPECT_EQ(readPassHistory(request.historyFile).records.size(), 1);
    // The next pass writes the recording anew.
    QFile file(request.recording);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(60),
                                 QFileDevice::FileModificationTime));
    file.close();
    ASSERT_FALSE(keepPass(request, m.figures));
    const PassHistory history = readPassHistory(request.historyFile);
    ASSERT_EQ(history.records.size(), 2);
    EXPECT_EQ(history.records[0].exercise, request.exercise);
    request.historyFile.clear(); // the anonymous user keeps nothing
    EXPECT_FALSE(keepPass(request, m.figures));
}
} // namespace
