// The interpretation trainer on the real sound device. The test server's
// default input is the monitor of its output, so a recording pass records the
// lesson itself: each tone of the lesson then lies in the recording where the
// student timing file says its syntagm ended, the student's waits included.
#include "../sound/SoundFiles.h"
#include "listening/FormTransNoText.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFile.h"
#include "support/ModalDriver.h"
#include "support/SoundServer.h"
#include "support/TempCourse.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/Memo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>

namespace {
constexpr int Rate = 44100;
// Syntagm k (2..6) is a tone of its own frequency, 600 ms, after 437 ms of
// silence: not a multiple of the 50 ms tick.
constexpr int Syntagms = 6;
constexpr qint32 ToneMs = 600;
constexpr qint32 GapMs = 437;
qint32 toneStart(int k)
{
    return GapMs + (k - 2) * (ToneMs + GapMs);
}
double toneHz(int k)
{
    return 600.0 * k - 700;
}
constexpr qint64 TickMs = 50;
constexpr qint64 SlackMs = 30;

std::vector<float> lessonSamples()
{
    std::vector<float> samples(size_t(qint64(toneStart(Syntagms + 1)) * Rate / 1000), 0.0f);
    for (int k = 2; k <= Syntagms; ++k) {
        const qint64 first = qint64(toneStart(k)) * Rate / 1000;
        for (qint64 i = 0; i < qint64(ToneMs) * Rate / 1000; ++i)
            samples[size_t(first + i)] = float(0.5 * std::sin(2 * M_PI * toneHz(k) * i / Rate));
    }
    return samples;
}

// Where in the recording (ms) the tone is last heard, 1 ms apart; -1 if never.
double toneEndMs(const ReadBack& sound, double hz)
{
    const qint64 window = sound.sampleRate / 100; // 10 ms
    std::vector<float> mono(size_t(sound.frames()));
    for (qint64 i = 0; i < sound.frames(); ++i)
        mono[size_t(i)] = sound.samples[size_t(i * sound.channels)];
    double end = -1;
    for (qint64 at = 0; at + window <= qint64(mono.size()); at += sound.sampleRate / 1000)
        if (amplitudeAt(mono.data() + at, window, sound.sampleRate, hz) > 0.15)
            end = double(at + window / 2) * 1000 / sound.sampleRate;
    return end;
}

struct TrainerRun {
    TempCourse course;
    QString oldFolder = QDir::currentPath();
    std::unique_ptr<TFormTransNoText> form;

    TrainerRun()
    {
        QStringList text{"#Titel"}, trans{QStringLiteral("#Заголовок")}, timing{"#\t#"};
        for (int k = 2; k <= Syntagms; ++k) {
            text.append(QStringLiteral("Ton %1.").arg(k));
            trans.append(QStringLiteral("Тон %1.").arg(k));
            timing.append(QStringLiteral("%1\t%2").arg(toneStart(k)).arg(toneStart(k) + ToneMs));
        }
        course.writeLines("T.txt", text, true);
        course.writeLines("T.ru", trans);
        course.writeLines("T.tim", timing);
        course.writeLines("T.pic", {});
        EXPECT_TRUE(writeSamples(course.filePath("T.wav"), Rate, lessonSamples()));
        EXPECT_TRUE(writeTemplate(course.filePath("TSBegin.wav")));
        QDir::setCurrent(course.path());
        TransNoTextSettings settings{course.filePath("T.wav"),
                                     course.filePath("Anna12.wav"),
                                     LessonFileNames{"T.txt", "T.ru", "T.tim", "T.pic", {}},
                                     false,
                                     false,
                                     true,
                                     course.path() + "/",
                                     140};
        form = std::make_unique<TFormTransNoText>(settings);
        form->show();
    }
    ~TrainerRun()
    {
        form.reset();
        QDir::setCurrent(oldFolder);
    }
    bool waitFor(const std::function<bool()>& done, int ms)
    {
        QElapsedTimer wall;
        wall.start();
        while (!done() && wall.elapsed() < ms)
            QTest::qWait(5);
        return done();
    }
};
} // namespace

namespace {
// A kind 12 pass with a wait of two seconds after the third syntagm, left to
// end by itself 10 s after the lesson, the lesson at the tempo. On a sound
// server of its own, just started: such a server stalls the first streams
// for a second or so, after which a recorder position taken from the
// device's clock alone ran ahead of the recording and put the first entry
// past its syntagm.
void expectTimingOfAPassAt(int tempo)
{
    const OwnSoundServer server;
    ASSERT_TRUE(server.started());
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    TrainerRun run;
    TFormTransNoText& f = *run.form;
    f.MediaPlayerPlay->SetTempo(tempo);
    QTest::mouseClick(f.BitBtnPlay, Qt::LeftButton);
    ASSERT_TRUE(f.recording());
    ASSERT_TRUE(run.waitFor([&] { return f.N() == 4; }, 5000 * 100 / tempo));
    QTest::mouseClick(f.BtnImgWait, Qt::LeftButton);
    ASSERT_TRUE(f.waiting());
    QTest::qWait(2000);
    QTest::mouseClick(f.BtnImgWait, Qt::LeftButton);
    QElapsedTimer lessonEnd;
    ASSERT_TRUE(
        run.waitFor([&] { return f.MediaPlayerPlay->Mode() != MediaPlayer::PlayerMode::Playing; },
                    8000 * 100 / tempo));
    lessonEnd.start();
    ASSERT_TRUE(run.waitFor([&] { return !f.running(); }, 15000)) << "recording stops by itself";
    EXPECT_NEAR(double(lessonEnd.elapsed()), 10000, 300) << "10 s past the lesson";
    QTest::qWait(100);

    const std::optional<SoundFileInfo> info = probeSoundFile(run.course.filePath("Anna12.wav"));
    ASSERT_TRUE(info);
    const std::optional<SoundFileInfo> model = probeSoundFile(run.course.filePath("TSBegin.wav"));
    EXPECT_EQ(info->sampleRate, model->sampleRate);
    EXPECT_EQ(info->channels, model->channels);
    EXPECT_EQ(info->format, model->format);
    const ReadBack recording = readSound(run.course.filePath("Anna12.wav"));
    const QStringList lines =
        QString::fromLatin1(run.course.read("Anna12.txt")).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), Syntagms) << lines.join('|').toStdString();
    EXPECT_EQ(lines[0], "#\t#");
    EXPECT_EQ(lines[1].section('\t', 0, 0), "0");
    for (int k = 2; k < Syntagms; ++k) {
        const double heard = toneEndMs(recording, toneHz(k));
        const qint64 written = lines[k - 1].section('\t', 1).toLongLong();
        std::cout << "syntagm " << k << ": tone ends at " << heard << " ms of the recording, "
                  << "timing file says " << written << " (" << written - heard << " ms after)\n";
        ASSERT_GE(heard, 0) << "tone " << k << " recorded";
        EXPECT_GE(written, heard - 10) << "syntagm " << k;
        EXPECT_LE(written, heard + TickMs + SlackMs) << "syntagm " << k;
        EXPECT_EQ(lines[k].section('\t', 0, 0), lines[k - 1].section('\t', 1)) << k;
    }
    // The wait lies between syntagms 3 and 4 in the recording.
    EXPECT_GT(toneEndMs(recording, toneHz(4)) - toneEndMs(recording, toneHz(3)), 2000 + 900);
}
} // namespace

TEST(TrainerSound, StudentTimingMatchesTheRecording)
{
    expectTimingOfAPassAt(100);
}

// The lesson slowed down, the recording not: the entries still lie where
// the syntagms end in the recording.
TEST(TrainerSound, StudentTimingMatchesTheRecordingAtASlowerTempo)
{
    expectTimingOfAPassAt(75);
}

// The sound server dies two seconds into a recording pass: the pass ends with
// a message that says where the recording is, what was recorded stays in it,
// and nothing hangs.
TEST(TrainerSound, AServerLostMidPassKeepsTheRecordingAndSaysSo)
{
    OwnSoundServer server;
    ASSERT_TRUE(server.started());
    TrainerRun run;
    TFormTransNoText& f = *run.form;
    QString message;
    whenModal([&message](QWidget* window) {
        for (TMemo* memo : window->findChildren<TMemo*>())
            message += memo->Lines().join(u'|');
        for (TBtnImgD1QF* button : window->findChildren<TBtnImgD1QF*>())
            if (button->isVisible())
                return QTest::mouseClick(button, Qt::LeftButton);
    });
    QTest::mouseClick(f.BitBtnPlay, Qt::LeftButton);
    ASSERT_TRUE(f.recording());
    ASSERT_TRUE(run.waitFor([&] { return f.N() == 4; }, 5000));
    server.kill();
    EXPECT_TRUE(run.waitFor([&] { return !f.running() && modalActionsDone(); }, 8000));
    EXPECT_TRUE(message.contains(QStringLiteral("сохранена в файле"))) << message.toStdString();
    EXPECT_TRUE(message.contains("Anna12.wav")) << message.toStdString();
    EXPECT_TRUE(f.BitBtnPlay->isEnabled());
    const ReadBack recording = readSound(run.course.filePath("Anna12.wav"));
    EXPECT_GT(toneEndMs(recording, toneHz(3)), 0) << "the syntagms before the fault are kept";
}

// The disk fills two seconds into a recording pass (a file size limit, so the
// write fails as on a full disk): the pass ends with a message naming the
// recording, and what was recorded stays playable in it.
TEST(TrainerSound, AFullDiskMidPassKeepsTheRecordingAndSaysSo)
{
    TrainerRun run;
    TFormTransNoText& f = *run.form;
    MessageAnswers messages;
    QTest::mouseClick(f.BitBtnPlay, Qt::LeftButton);
    ASSERT_TRUE(f.recording());
    ASSERT_TRUE(run.waitFor([&] { return f.N() == 4; }, 5000));
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = previous;
    full.rlim_cur = rlim_t(QFileInfo(run.course.filePath("Anna12.wav")).size() + 20000);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const bool ended = run.waitFor([&] { return !f.running(); }, 8000);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(ended);
    const QString said = messages.said.join(u'|');
    std::cout << "told: " << said.toStdString() << "\n";
    EXPECT_TRUE(said.contains("Anna12.wav")) << said.toStdString();
    EXPECT_TRUE(f.BitBtnPlay->isEnabled());
    const ReadBack recording = readSound(run.course.filePath("Anna12.wav"));
    EXPECT_GT(toneEndMs(recording, toneHz(3)), 0) << "the syntagms before the fault are kept";
}

// The program killed with SIGKILL three seconds into a recording pass: the
// recording opens and holds the sound up to within a second of the kill, and
// the timing file has only complete, well-formed lines. The pass runs in a
// child process: this test again, told so by its environment.
TEST(TrainerSound, AKilledPassLeavesAPlayableRecording)
{
    if (qEnvironmentVariableIsSet("TRAINER_PASS_CHILD")) {
        TrainerRun run;
        QTest::mouseClick(run.form->BitBtnPlay, Qt::LeftButton);
        std::cout << "course " << run.course.path().toStdString() << std::endl;
        QTest::qWait(60000);
        return;
    }
    OwnSoundServer server;
    ASSERT_TRUE(server.started());
    // A server just started records nothing for its first second or so: a
    // tone played first gets it going, so that the child's pass records from
    // its start.
    QTemporaryDir warm;
    ASSERT_TRUE(writeTone(warm.filePath("tone.wav"), Tone{}));
    MediaPlayer player;
    QSignalSpy played(&player, &MediaPlayer::Notify);
    player.SetFileName(warm.filePath("tone.wav"));
    player.Open();
    player.Play(0, 300);
    ASSERT_TRUE(played.wait(5000));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TRAINER_PASS_CHILD", "1");
    child.setProcessEnvironment(environment);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    child.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    QString course;
    QElapsedTimer wall;
    wall.start();
    while (course.isEmpty() && wall.elapsed() < 15000 && child.waitForReadyRead(1000))
        course =
            QRegularExpression("course (\\S+)").match(child.readAllStandardOutput()).captured(1);
    ASSERT_FALSE(course.isEmpty()) << "the pass did not start";
    QElapsedTimer ran;
    ran.start();
    QTest::qWait(3000);
    ::kill(pid_t(child.processId()), SIGKILL);
    const qint64 ranMs = ran.elapsed();
    child.waitForFinished();

    const ReadBack recording = readSound(course + "/Anna12.wav");
    ASSERT_GT(recording.sampleRate, 0) << "the recording does not open";
    std::cout << "killed " << ranMs << " ms into the pass; the recording holds "
              << recording.frames() * 1000 / recording.sampleRate << " ms" << std::endl;
    EXPECT_GE(recording.frames() * 1000 / recording.sampleRate, ranMs - 1000);
    QFile timing(course + "/Anna12.txt");
    ASSERT_TRUE(timing.open(QIODevice::ReadOnly));
    const QByteArray text = timing.readAll();
    EXPECT_TRUE(text.endsWith("\r\n"));
    for (const QByteArray& line : text.split('\n'))
        EXPECT_TRUE(line.isEmpty() ||
                    QRegularExpression("^(#\t#|\\d+\t\\d+)\r$").match(line).hasMatch())
            << line.toStdString();
    QDir(course).removeRecursively();
}

// No sound server: the socket the environment names is there, but nothing
// listens on it. A student who starts a pass over a recording of entry 12
// keeps that recording and its timing file byte for byte, is told so, and no
// file of the pass stays behind.
TEST(TrainerSound, APassThatCannotRecordKeepsThePreviousRecording)
{
    QTemporaryDir sockets;
    const QByteArray socketPath = QFile::encodeName(sockets.filePath("native"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd); // bound, never listening: every connection is refused
    qputenv("PULSE_SERVER", "unix:" + socketPath);

    TrainerRun run;
    ASSERT_TRUE(writeTone(run.course.filePath("Anna12.wav"), Tone{Rate, 1, 3000}));
    const QByteArray previous = run.course.read("Anna12.wav");
    run.course.write("Anna12.txt", "#\t#\r\n0\t1500\r\n#\t#\r\n");
    MessageAnswers messages;
    TFormTransNoText& f = *run.form;
    QTest::mouseClick(f.BitBtnPlay, Qt::LeftButton);
    EXPECT_TRUE(run.waitFor([&] { return !f.running() && !messages.said.isEmpty(); }, 5000));
    ASSERT_EQ(messages.said.size(), 1);
    const QString said = messages.said[0];
    EXPECT_TRUE(said.contains(QStringLiteral("Звуковое устройство недоступно")))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("Прежняя запись сохранена без изменений")))
        << said.toStdString();
    EXPECT_EQ(run.course.read("Anna12.wav"), previous);
    EXPECT_EQ(run.course.read("Anna12.txt"), "#\t#\r\n0\t1500\r\n#\t#\r\n");
    EXPECT_EQ(QDir(run.course.path()).entryList({"Anna12*"}),
              QStringList({"Anna12.txt", "Anna12.wav"}));
}
