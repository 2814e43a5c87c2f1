// The review's keys heard through the test sound server: Enter plays the
// lesson's syntagm and then the student's version of it, F2 the lesson's
// only, F3 the student's only.
#include "review/FormReview.h"
#include "review/WaveStrip.h"

#include "../sound/SoundFiles.h"
#include "PassMaterial.h"
#include "support/HeardSound.h"
#include "support/SoundServer.h"
#include "support/TempCourse.h"

#include <QTest>
#include <gtest/gtest.h>

#include <regex>

namespace {
constexpr int Rate = MonitorCapture::Rate;
constexpr double LessonHz = 440;
constexpr double StudentHz = 660;

// Which of the two tones sounds in each 100 ms of what was heard, from the
// first sound on: 'L' the lesson's, 'S' the student's, '.' silence.
std::string tonesHeard(const std::vector<float>& heard)
{
    const std::vector<HeardPiece> pieces = soundingPieces(heard, Rate, 20);
    std::string tones;
    if (pieces.empty())
        return tones;
    const qint64 step = Rate / 10;
    for (qint64 at = pieces.front().captureFrame; at + step <= qint64(heard.size()); at += step) {
        const float* window = heard.data() + at;
        const double lesson = amplitudeAt(window, step, Rate, LessonHz);
        const double student = amplitudeAt(window, step, Rate, StudentHz);
        tones += std::max(lesson, student) < 0.05 ? '.' : lesson > student ? 'L' : 'S';
    }
    return tones;
}

TEST(ReviewSound, EnterPlaysTheLessonThenTheStudentF2AndF3OneEach)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    TempCourse course;
    course.writeLines(QStringLiteral("text.txt"),
                      {QStringLiteral("Titel"), QStringLiteral("Eins."), QStringLiteral("Zwei.")},
                      true);
    course.writeLines(
        QStringLiteral("timing.txt"),
        {QStringLiteral("#\t#"), QStringLiteral("0\t1000"), QStringLiteral("1000\t2000")});
    ASSERT_TRUE(
        writeTone(course.filePath(QStringLiteral("lesson.wav")), {Rate, 1, 2000, LessonHz, 0.5}));
    ASSERT_TRUE(
        writeTone(course.filePath(QStringLiteral("Ivan4.wav")), {Rate, 1, 2000, StudentHz, 0.5}));
    ReviewRequest request = studentPass(course);
    request.historyFile.clear();
    TFormReview form(request, {});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(form.Strip, Qt::Key_Right);
    QTest::keyClick(form.Strip, Qt::Key_Right);
    ASSERT_EQ(form.Strip->selected(), 1);

    // Each letter is 100 ms: a second of each syntagm, give or take a window
    // at its edges, and at most half a second between the two players.
    struct Case {
        Qt::Key key;
        const char* heard;
    };
    for (const Case& c : {Case{Qt::Key_Return, "^L{9,11}\\.{0,5}S{9,11}\\.*$"},
                          Case{Qt::Key_F2, "^L{9,11}\\.*$"}, Case{Qt::Key_F3, "^S{9,11}\\.*$"}}) {
        MonitorCapture capture;
        ASSERT_TRUE(capture.recording());
        QTest::qWait(200);
        QTest::keyClick(form.Strip, c.key);
        QTest::qWait(3000);
        const std::string tones = tonesHeard(capture.samples());
        EXPECT_TRUE(std::regex_match(tones, std::regex(c.heard))) << c.heard << ": heard " << tones;
    }
}
} // namespace
