#include "MainWindowDriver.h"
// What a student and a teacher do with the report and the console on the demo
// course, from the main window's commands.
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "common/Paths.h"
#include "listening/FormWorkText.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "users/DlgChPassPrep.h"
#include "users/DlgPassWord.h"
#include "users/FormPrepod.h"
#include "users/FormReport.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/TeacherPassword.h"
#include "users/UserSession.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/Memo.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
// Mode B of the demo course: an interpretation with its recording and the
// after-text questions of lesson 1.
constexpr int Interpretation = 5;
constexpr int Questions = 8;

struct Program {
    UserSession session;
    TFormMain main{session};
    TOKBottomDlgNewUser newUser{session, &main};
    TDlgPassWord password{&main};
    TOKBottomDlgSelectUsers selectUsers{session, newUser, password, &main};
    TOKBottomDlgChengeReg chengeReg{&main};
    TFormProgress progress{&main};

    Program()
    {
        main.setWindows({nullptr, &selectUsers, &newUser, &chengeReg, &password, &progress});
        showMainWindow(main);
    }
};

QString said(QWidget* box)
{
    QStringList parts{box->windowTitle()};
    for (QLabel* label : box->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            parts << label->text();
    for (TMemo* memo : box->findChildren<TMemo*>())
        parts << memo->Lines();
    return parts.join('|');
}

// Under a real screen (TOLVAREN_SCREENSHOTS=folder, QT_QPA_PLATFORM=xcb) the
// flows leave pictures of the windows.
void snap(const char* name)
{
    const QString folder = qEnvironmentVariable("TOLVAREN_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300);
    QGuiApplication::primaryScreen()->grabWindow(0).save(
        QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png")));
}

QListWidgetItem* rowOfEntry(QListWidget* list, int entry)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(Qt::UserRole).toInt() == entry)
            return list->item(i);
    return nullptr;
}

class ReportFlows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!builtDemoCourseReady())
            GTEST_SKIP() << "the demo course is not made: " << builtDemoCourse().toStdString();
        copyBuiltDemoCourse(course);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        qputenv("CUPS_SERVER", QDir(settings.path()).filePath("no-cups.sock").toLocal8Bit());
        VirtualSound::use();
        VirtualSound::reset();
        program = std::make_unique<Program>();
        NewUserInput anna{"Anna", "", "", defaultProgressPath(course.path(), "Anna"), "B"};
        const int index = p().session.addUser(anna).index.value_or(-1);
        p().main.ChangeUser(index);
    }
    void TearDown() override
    {
        EXPECT_TRUE(modalActionsDone());
        program.reset();
        VirtualSound::use(false);
    }
    Program& p() { return *program; }
    QString annaFolder() const { return course.filePath("Report/Anna/"); }

    // The interpretation's recording: the lesson's own sound and timing.
    QString record()
    {
        const CatalogueEntry& entry = courseCatalogues().entry('B', Interpretation);
        const QString recording = annaFolder() + "Anna5.wav";
        QFile::copy(coursePath("DataTest\\" + entry.SoundFile), recording);
        QFile::copy(coursePath("DataTest\\" + entry.TimingFile), annaFolder() + "Anna5.txt");
        return recording;
    }

    TempCourse course;
    QTemporaryDir settings;
    std::unique_ptr<Program> program;
};
} // namespace

TEST_F(ReportFlows, StudentTakesBackARecordingAndTheTreeShowsItWhenTheReportCloses)
{
    const QString recording = record();
    ASSERT_TRUE(p().session.markDone(Questions, ExerciseKind::Questions, {2, 7, ""}).isEmpty());
    ASSERT_TRUE(
        p().session.markDone(Interpretation, ExerciseKind::Interpretation, {0, 0, recording})
            .isEmpty());
    p().main.setTreeImages([&](int entry) { return p().main.treeImageOf(entry); });
    ASSERT_EQ(imageOfEntry(p().main, Interpretation), TreeImage::Done);
    whenModal([&](QWidget* window) {
        auto* report = qobject_cast<TFormReport*>(window);
        ASSERT_TRUE(report);
        QListWidget* list = report->ListBoxReport;
        EXPECT_TRUE(rowOfEntry(list, Questions)->text().endsWith(" - Выполнено, Ошибок - 28%"));
        QListWidgetItem* row = rowOfEntry(list, Interpretation);
        EXPECT_TRUE(row->text().endsWith(" - Выполнено"));
        list->setCurrentItem(row);
        snap("report");
        QTest::mouseClick(report->BtnImgDeleteFile, Qt::LeftButton);
        EXPECT_EQ(row->text(), "       Перевод с записью - Не выполнено");
        EXPECT_EQ(imageOfEntry(p().main, Interpretation), TreeImage::Done)
            << "the tree waits for the close";
        clickButton(report, "Закрыть");
    });
    QTest::mouseClick(part<QToolButton>(p().main, "ToolButtonReport"), Qt::LeftButton);
    EXPECT_EQ(imageOfEntry(p().main, Interpretation), TreeImage::ToDo);
    EXPECT_EQ(imageOfEntry(p().main, Questions), TreeImage::Done);
    EXPECT_FALSE(QFile::exists(recording));
}

TEST_F(ReportFlows, TeacherSetsAPasswordThenSeesTheStudentAsInMemoryAndPlaysTheRecording)
{
    const QString recording = record();
    ASSERT_TRUE(
        p().session.markDone(Interpretation, ExerciseKind::Interpretation, {0, 0, recording})
            .isEmpty());
    // The file says nothing is done: the console must show memory.
    ASSERT_FALSE(
        WriteProgress(annaFolder() + "Anna.rep", ProgressTable(courseCatalogues().count('B'))));

    // No password yet: the console opens at once; the teacher sets one.
    whenModal([&](QWidget* window) {
        auto* console = qobject_cast<TFormPrepod*>(window);
        ASSERT_TRUE(console);
        whenModal([&](QWidget* change) {
            auto* dialog = qobject_cast<TDlgChPassPrep*>(change);
            ASSERT_TRUE(dialog);
            QTest::keyClicks(dialog->Edit1, "Lehrer");
            QTest::keyClicks(dialog->Edit2, "Lehrer");
            snap("teacher-password");
            clickButton(dialog, "Подтверждние");
        });
        QTest::mouseClick(console->BitBtn2, Qt::LeftButton);
        clickButton(console, "Выход");
    });
    QTest::mouseClick(part<QToolButton>(p().main, "ToolButton1"), Qt::LeftButton);
    EXPECT_EQ(storedTeacherPassword(), "Lehrer");

    QStringList messages;
    whenModal([&](QWidget* prompt) {
        whenModal([&](QWidget* box) {
            messages << said(box);
            clickButton(box, "OK");
        });
        QTest::keyClicks(p().password.EditPassWord, "lehrer");
        clickButton(prompt, "OK");
    });
    p().main.N6Click();
    EXPECT_EQ(messages, QStringList{"Ошибка|Неправильный пароль"});

    bool played = false;
    whenModal([&](QWidget* prompt) {
        whenModal([&](QWidget* window) {
            auto* console = qobject_cast<TFormPrepod*>(window);
            ASSERT_TRUE(console);
            QListWidgetItem* row = rowOfEntry(console->ListBoxReport, Interpretation);
            ASSERT_TRUE(row);
            EXPECT_TRUE(row->text().endsWith(" - Выполнено")) << "memory, not the file";
            console->ListBoxReport->setCurrentItem(row);
            snap("console");
            whenModal([&](QWidget* lesson) {
                played = qobject_cast<TFormWorkText*>(lesson) != nullptr;
                EXPECT_FALSE(console->isVisible());
                lesson->close();
            });
            QTest::mouseClick(console->BitBtnPlay, Qt::LeftButton);
            EXPECT_TRUE(console->isVisible());
            // No printer on this machine: told, nothing hangs.
            whenModal([&](QWidget* box) {
                messages << said(box);
                clickButton(box, "OK");
            });
            QTest::mouseClick(console->BitBtn3, Qt::LeftButton);
            clickButton(console, "Выход");
        });
        QTest::keyClicks(p().password.EditPassWord, "Lehrer");
        clickButton(prompt, "OK");
    });
    p().main.N6Click();
    EXPECT_TRUE(played);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].contains("принтер")) << messages[1].toStdString();
}
