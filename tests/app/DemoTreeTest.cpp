// The demo course's tree as the student sees it at the main window's designed
// size: every title of every mode shows whole in the 301 px tree pane, with no
// sideways scrolling, in each common sans face that may stand for the course font.
#include "MainWindowDriver.h"
#include "app/FormProgress.h"
#include "support/TempCourse.h"
#include "users/UserSession.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QScrollBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
// The course font file is FreeSans; the others are what a machine without it
// or with other fonts may give.
const QStringList SansFaces{"FreeSans", "DejaVu Sans", "Liberation Sans", "Nimbus Sans"};
} // namespace

TEST(DemoCourseTree, EveryTitleFitsTheTreePaneInEveryModeAndFace)
{
    if (!builtDemoCourseReady())
        GTEST_SKIP() << "the demo course is not made: " << builtDemoCourse().toStdString();
    TempCourse course;
    copyBuiltDemoCourse(course);
    UserSession session;
    TFormProgress progress;
    TFormMain main{session};
    main.setWindows({nullptr, nullptr, nullptr, nullptr, nullptr, &progress});
    showMainWindow(main);
    ASSERT_EQ(part<QFrame>(main, "PanelTree")->width(), 301) << "the pane at its designed width";

    int faces = 0;
    for (const QString& face : SansFaces) {
        QFont font(face);
        font.setPixelSize(15);
        // Not installed: another face would stand in. (The family may carry
        // its foundry in brackets, "Nimbus Sans [urw]".)
        if (!QFontInfo(font).family().startsWith(face))
            continue;
        ++faces;
        treeOf(main)->setFont(font);
        for (const QString mode : {"A", "B", "C", "D"}) {
            session.changeMode(mode);
            main.ChangeUser(-1);
            // Every lesson open: the vertical scroll bar takes its share of the width too.
            treeOf(main)->expandAll();
            QCoreApplication::processEvents();
            const QScrollBar* sideways = treeOf(main)->horizontalScrollBar();
            EXPECT_EQ(sideways->maximum(), 0)
                << "mode " << mode.toStdString() << ", " << face.toStdString() << ": "
                << sideways->maximum() << " px too wide";
        }
    }
    EXPECT_GE(faces, 2) << "too few sans faces installed to judge";
}
