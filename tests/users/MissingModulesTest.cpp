// This test program links the program's module loaders, and no module lies
// where they look from here: sound and printing must each fail with the
// program's message naming the module's file and the reason, and nothing
// else may break.
#include "dialogs/NoSoundNotice.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "users/FormPrepod.h"
#include "users/NewUser.h"
#include "users/UserSession.h"
#include "widgets/BtnImgTransD1QF.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
// The module's file and why it did not open.
void expectNamesModule(const QString& message, const QString& file)
{
    EXPECT_TRUE(message.contains(file) && message.contains("нет такого файла"))
        << message.toStdString();
}
} // namespace

TEST(MissingModules, EverySoundCommandFailsAndTheWindowTellsOnceWhy)
{
    TempCourse course;
    course.write("s.wav", "not needed: the module is missing");
    QWidget window;
    MediaPlayer player(&window);
    int notified = 0;
    QObject::connect(&player, &MediaPlayer::Notify, [&] { ++notified; });
    player.SetFileName(course.filePath("s.wav"));
    player.Open();
    EXPECT_EQ(player.Error(), SoundNoModule);
    player.Play(0, 1000);
    EXPECT_EQ(player.Error(), SoundNoModule);
    MessageAnswers messages;
    tellIfNoSound(&window, player);
    tellIfNoSound(&window, player);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notified == 1 && !messages.said.isEmpty(); }));
    ASSERT_EQ(messages.said.size(), 1);
    EXPECT_TRUE(messages.said[0].startsWith("Нет звука|")) << messages.said[0].toStdString();
    expectNamesModule(messages.said[0], "tolvaren-sound.so");
    EXPECT_EQ(notified, 1);
}

TEST(MissingModules, PrintingTellsTheTeacherWhichModuleDidNotLoad)
{
    TempCourse course;
    course.writeLines("InitRegD.txt", QStringList(2, "e"));
    UserSession session;
    session.loadUserList();
    session.addUser({"Ivan", "", "", defaultProgressPath(course.path(), "Ivan"), "D"});
    const QList<ReportEntry> entries{{"Урок 1", ExerciseKind::Heading},
                                     {"Лексика", ExerciseKind::LexiconPreview}};
    TFormPrepod prepod(session, {[&](const QString&) { return entries; }, {}});
    MessageAnswers messages;
    whenModal([&](QWidget*) {
        QTest::mouseClick(prepod.BitBtn3, Qt::LeftButton);
        clickButton(&prepod, "Выход");
    });
    prepod.exec();
    ASSERT_EQ(messages.said.size(), 1);
    EXPECT_TRUE(messages.said[0].startsWith("Ошибка|")) << messages.said[0].toStdString();
    expectNamesModule(messages.said[0], "tolvaren-print.so");
    EXPECT_TRUE(modalActionsDone());
}
