#include "app/FormBegin.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "app/HelpViewer.h"
#include "app/OKBottomDlgAbout.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "users/UserSession.h"

#include "widgets/PrgssBarQF.h"
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const QByteArray HelpHtml =
    "<html><body><h1 id=\"ctx-0\">Top</h1><p>...</p>"
    "<h2 id=\"ctx-10\">Main</h2><h2 id=\"SelUser\">Select</h2></body></html>";

QString helpFragment()
{
    QWidget* viewer = helpViewer();
    if (!viewer)
        return QStringLiteral("(no help window)");
    EXPECT_TRUE(viewer->isVisible());
    return viewer->findChild<QTextBrowser*>()->source().fragment();
}

class VirtualSoundScope {
public:
    VirtualSoundScope()
    {
        VirtualSound::use();
        VirtualSound::reset();
    }
    ~VirtualSoundScope() { VirtualSound::use(false); }
};

} // namespace

TEST(AboutDialog, HasTwoPagesThatEachClose)
{
    TOKBottomDlgAbout about;
    ASSERT_EQ(about.PageControl1->count(), 2);
    EXPECT_EQ(about.PageControl1->tabText(0), QStringLiteral("О программе"));
    EXPECT_EQ(about.PageControl1->tabText(1), QStringLiteral("Разработчики"));
    for (int page = 0; page < 2; ++page) {
        about.PageControl1->setCurrentIndex(page);
        whenModal([](QWidget* window) { clickButton(window, QStringLiteral("OK")); });
        EXPECT_EQ(about.exec(), QDialog::Accepted);
        EXPECT_TRUE(modalActionsDone());
    }
}

TEST(ProgressWindow, SizeAndText)
{
    TFormProgress progress;
    EXPECT_EQ(progress.size(), QSize(409, 67));
    EXPECT_EQ(progress.Label1->text(), QStringLiteral("Пожалуйста, подождите..."));
    EXPECT_EQ(progress.ProgressBarTree->size(), QSize(401, 31));
}

TEST(Help, ContentsAndTopicsOpenTheirAnchors)
{
    TempCourse course;
    course.write(QStringLiteral("DEU_HELP.HLP"), HelpHtml);
    setHelpFile(QStringLiteral("DEU_HELP.HLP"));
    UserSession session;
    TFormMain main(session);
    main.N2Click();
    EXPECT_EQ(helpFragment(), QStringLiteral("ctx-0"));
    showHelpTopic(QStringLiteral("SelUser"));
    EXPECT_EQ(helpFragment(), QStringLiteral("SelUser"));
    EXPECT_TRUE(helpViewer()->findChild<QTextBrowser*>()->toPlainText().contains("Select"));
    helpViewer()->close();
}

TEST(Help, F1OpensTheContextOfTheFocusedWindow)
{
    TempCourse course;
    course.write(QStringLiteral("DEU_HELP.HLP"), HelpHtml);
    setHelpFile(QStringLiteral("DEU_HELP.HLP"));
    installHelpKey();
    UserSession session;
    TFormMain main(session);
    main.show();
    QTest::keyClick(main.TreeView, Qt::Key_F1);
    EXPECT_EQ(helpFragment(), QStringLiteral("ctx-10"));
    helpViewer()->close();
}

TEST(Help, MissingHelpFileIsReported)
{
    TempCourse course;
    setHelpFile(QStringLiteral("DEU_HELP.HLP"));
    QString message;
    whenModal([&message](QWidget* window) {
        message = qobject_cast<QMessageBox*>(window)->text();
        clickButton(window, QStringLiteral("OK"));
    });
    showHelpContext(10);
    EXPECT_TRUE(modalActionsDone());
    EXPECT_TRUE(message.contains(QLatin1String("DEU_HELP.HLP"))) << message.toStdString();
}

TEST(Splash, ClosesAfterItsTimeWhileTheMusicPlaysOn)
{
    VirtualSoundScope sound;
    TempCourse course;
    course.write(QStringLiteral("music.wav"), QByteArray());
    VirtualSound::setLength(QStringLiteral("music.wav"), 10000);
    TFormBegin splash;
    ASSERT_TRUE(splash.musicReady());
    EXPECT_EQ(splash.size(), QSize(600, 400));
    EXPECT_EQ(splash.TimerBegin->interval(), 4500);
    splash.TimerBegin->setInterval(20); // the real wait is too long for a test
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    EXPECT_FALSE(splash.TimerBegin->isActive());
    EXPECT_EQ(splash.MediaPlayerBegin->Mode(), MediaPlayer::PlayerMode::Playing);
    VirtualSound::advance(10000);
    EXPECT_NE(splash.MediaPlayerBegin->Mode(), MediaPlayer::PlayerMode::Playing);
}

TEST(Splash, MissingMusicIsNamed)
{
    VirtualSoundScope sound;
    TempCourse course;
    TFormBegin splash;
    EXPECT_FALSE(splash.musicReady());
    EXPECT_TRUE(splash.musicError().contains(QLatin1String("music.wav")));
}
