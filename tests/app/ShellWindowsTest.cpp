#include "MainWindowDriver.h"
#include "app/FormBegin.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "app/HelpTopics.h"
#include "app/HelpViewer.h"
#include "app/OKBottomDlgAbout.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "users/UserSession.h"

#include "widgets/DialogResult.h"
#include "widgets/PrgssBarQF.h"
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
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
        EXPECT_EQ(execDialog(about), DialogResult::OK);
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
    QTest::keyClick(treeOf(main), Qt::Key_F1);
    EXPECT_EQ(helpFragment(), QStringLiteral("ctx-10"));
    helpViewer()->close();
}

// The block that carries an anchor, and where it stands in the viewer's view.
static QTextBlock anchorBlock(const QTextDocument& document, const QString& anchor)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return block;
    return {};
}

TEST(Help, EveryTopicOpensOnItsHeading)
{
    // Windows of earlier tests still waiting to be deleted would take the
    // help window, their child, with them in the middle of this test.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TempCourse course;
    QFile source(QStringLiteral(TOLVAREN_HELP_SOURCE));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    course.write(QStringLiteral("DEU_HELP.HLP"), source.readAll());
    setHelpFile(QStringLiteral("DEU_HELP.HLP"));
    QStringList anchors = {"SelUser",   "NewUser",  "Report",    "Prepod",   "SelectReg",  "Lexic",
                           "LexicDemo", "QuestEnd", "QuestDemo", "WorkText", "ListenTrans"};
    for (int context : {0, 10, 20, 30, 40, 60, 70, 90, 110, 130, 140, 150, 160, 170, 180})
        anchors << helpAnchor(context);
    for (const QString& anchor : anchors) {
        showHelpTopic(anchor);
        auto* browser = helpViewer()->findChild<QTextBrowser*>();
        QApplication::processEvents();
        const QTextBlock block = anchorBlock(*browser->document(), anchor);
        ASSERT_TRUE(block.isValid()) << anchor.toStdString();
        EXPECT_GT(block.blockFormat().headingLevel(), 0) << anchor.toStdString();
        const QRectF at = browser->document()->documentLayout()->blockBoundingRect(block);
        const int top = browser->verticalScrollBar()->value();
        EXPECT_GE(at.top() + 1, top) << anchor.toStdString();
        EXPECT_LE(at.bottom(), top + browser->viewport()->height()) << anchor.toStdString();
    }
    const QPointer<QWidget> help = helpViewer();
    QTest::keyClick(help->findChild<QTextBrowser*>(), Qt::Key_Escape);
    EXPECT_TRUE(!help || !help->isVisible()) << "Escape closes the help";
}

TEST(Help, OpensBesideTheProgramOrCentredOnIt)
{
    TempCourse course;
    course.write(QStringLiteral("DEU_HELP.HLP"), HelpHtml);
    setHelpFile(QStringLiteral("DEU_HELP.HLP"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget program;
    for (const bool room : {true, false}) {
        program.setGeometry(room ? QRect(screen.topLeft() + QPoint(10, 40), QSize(120, 300))
                                 : screen.adjusted(20, 40, -20, -20));
        program.show();
        program.activateWindow();
        QApplication::setActiveWindow(&program);
        showHelpContext(10);
        const QRect help = helpViewer()->frameGeometry();
        const QRect owner = program.frameGeometry();
        EXPECT_TRUE(screen.contains(help)) << room;
        if (room)
            EXPECT_FALSE(help.intersects(owner)) << "beside the program";
        else
            // Within the frame the window system adds once the window shows.
            EXPECT_LE((help.center() - owner.center()).manhattanLength(), 8) << "centred on it";
        helpViewer()->close();
        QApplication::processEvents();
    }
}

TEST(Help, MissingHelpFileIsReported)
{
    TempCourse course;
    setHelpFile(QStringLiteral("DEU_HELP.HLP"));
    MessageAnswers messages;
    showHelpContext(10);
    ASSERT_EQ(messages.said.size(), 1);
    EXPECT_TRUE(messages.said[0].contains(QLatin1String("DEU_HELP.HLP")))
        << messages.said[0].toStdString();
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
    EXPECT_EQ(execDialog(splash), DialogResult::OK);
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
