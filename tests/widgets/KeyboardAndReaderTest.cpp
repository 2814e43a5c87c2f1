// Our picture controls for a student without a mouse or without sight: the
// focus by Tab, Space, the focus mark, and what a screen reader is told.
#include "TestPictures.h"
#include "support/AccessibleRows.h"
#include "widgets/AccessibleControls.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/PrgssBarQF.h"

#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QColor body(20, 120, 20);

// An active window with a picture button, a check box and a push button in
// Tab order.
struct Keyboard : ::testing::Test {
    QWidget window;
    TBtnImgTransD1QF* picture = new TBtnImgTransD1QF(&window);
    TChBxImgTransD1QF* box = new TChBxImgTransD1QF(&window);
    TBtnImgD1QF* push = new TBtnImgD1QF(&window);

    void SetUp() override
    {
        window.resize(300, 120);
        picture->SetBitmap(keyedPicture({40, 40}, body));
        picture->setText(QStringLiteral("Подтверждение"));
        box->setGeometry(10, 60, 120, 24);
        box->SetImgOn(keyedPicture({20, 20}, Qt::green));
        box->SetImgOff(keyedPicture({20, 20}, Qt::red));
        box->SetCaption(QStringLiteral("Комментарий"));
        push->move(150, 10);
        push->SetCaption(QStringLiteral("Далее"));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // The colour on the left edge of the button, halfway down: the picture's
    // body, or the focus mark's dots.
    QColor edge() const { return picture->grab().toImage().pixelColor(0, 21); }
};

// Tab walks through the picture controls; Space acts on the focused one as
// a click would; a mouse click leaves the focus where it was.
TEST_F(Keyboard, TabReachesThePictureControlsAndSpaceActs)
{
    QSignalSpy clicks(picture, &QAbstractButton::clicked);
    QSignalSpy boxClicks(box, &TChBxImgTransD1QF::clicked);
    push->setFocus(Qt::OtherFocusReason);
    QTest::mouseClick(picture, Qt::LeftButton, {}, {5, 20});
    EXPECT_TRUE(push->hasFocus()) << "a click takes no focus";
    clicks.clear();

    QTest::keyClick(&window, Qt::Key_Tab);
    ASSERT_TRUE(picture->hasFocus());
    QTest::keyClick(picture, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);

    QTest::keyClick(picture, Qt::Key_Tab);
    ASSERT_TRUE(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(boxClicks.count(), 1);
    EXPECT_TRUE(box->Checked());
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->Checked());
}

TEST_F(Keyboard, TheFocusMarkShowsOnlyWhenTheKeyboardBroughtTheFocus)
{
    EXPECT_EQ(edge(), body);
    picture->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(edge(), body) << "the mouse look stays as it is";
    push->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(&window, Qt::Key_Tab);
    ASSERT_TRUE(picture->hasFocus());
    EXPECT_NE(edge(), body) << "no mark after Tab";
    push->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(edge(), body) << "the mark goes with the focus";
}

QAccessibleInterface* reader(QWidget* control)
{
    return QAccessible::queryAccessibleInterface(control);
}
} // namespace

// The roles, names and states a screen reader gets of each control.
TEST_F(Keyboard, ScreenReadersHearRolesNamesAndStates)
{
    struct Case {
        const char* control;
        QWidget* widget;
        QAccessible::Role role;
        QString name;
    };
    TChBxImgTransD1QF* choice = new TChBxImgTransD1QF(&window);
    choice->SetRadio(true);
    choice->setAccessibleName(QStringLiteral("der Hund"));
    auto* bar = new TPrgssBarQF(&window);
    bar->setAccessibleName(QStringLiteral("Запись"));
    bar->SetPosition(40);
    const Case cases[] = {
        {"picture button", picture, QAccessible::Button, QStringLiteral("Подтверждение")},
        {"push button", push, QAccessible::Button, QStringLiteral("Далее")},
        {"check box", box, QAccessible::CheckBox, QStringLiteral("Комментарий")},
        {"choice box", choice, QAccessible::RadioButton, QStringLiteral("der Hund")},
        {"progress bar", bar, QAccessible::ProgressBar, QStringLiteral("Запись")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reader(c.widget)->role(), c.role) << c.control;
        EXPECT_EQ(reader(c.widget)->text(QAccessible::Name), c.name) << c.control;
    }

    EXPECT_TRUE(reader(box)->state().checkable);
    EXPECT_FALSE(reader(box)->state().checked);
    box->SetChecked(true);
    EXPECT_TRUE(reader(box)->state().checked);
    box->SetEnabled(false);
    EXPECT_TRUE(reader(box)->state().disabled) << "a greyed box";

    // The reader's own action clicks the box, as Space does.
    QSignalSpy clicks(choice, &TChBxImgTransD1QF::clicked);
    reader(choice)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(choice->Checked());

    QAccessibleValueInterface* value = reader(bar)->valueInterface();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->currentValue().toInt(), 40);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
    EXPECT_EQ(reader(bar)->text(QAccessible::Value), QStringLiteral("40 %"));
}

TEST(ChoiceGroup, IsAGroupUnderItsName)
{
    QWidget window;
    auto* group = new ChoiceGroup(QStringLiteral("Варианты ответов"), &window);
    auto* choice = new TChBxImgTransD1QF(group);
    choice->SetRadio(true);
    choice->setAccessibleName(QStringLiteral("ja"));
    window.show();
    const QList<AccessibleRow> rows = accessibleRows(&window);
    ASSERT_EQ(rows.size(), 2) << describeRows(rows);
    EXPECT_EQ(rows[0].role, QAccessible::Grouping);
    EXPECT_EQ(rows[0].name, QStringLiteral("Варианты ответов"));
    EXPECT_EQ(rows[1].role, QAccessible::RadioButton);
}
