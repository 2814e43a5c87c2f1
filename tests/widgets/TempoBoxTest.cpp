// The tempo choice: the tempos offered, the keys, and each student finding
// the tempo they chose last (the anonymous user for the run only).
#include "widgets/TempoBox.h"
#include "common/StudentSettings.h"
#include "common/Tempo.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class TempoChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        StudentSettings::setStudent(QStringLiteral("/course/Report/anna.rep"));
    }
    void TearDown() override { StudentSettings::setStudent({}); }

    QTemporaryDir settings;
};
} // namespace

TEST_F(TempoChoice, OffersHundredDownToFiftyAndStepsWithCtrlArrows)
{
    TempoBox box;
    QStringList offered;
    for (int i = 0; i < box.count(); ++i)
        offered << box.itemText(i);
    EXPECT_EQ(offered, (QStringList{"100 %", "95 %", "90 %", "85 %", "80 %", "75 %", "70 %", "65 %",
                                    "60 %", "55 %", "50 %"}));
    EXPECT_EQ(box.tempo(), 100) << "a student who never chose hears the normal speed";

    QSignalSpy chosen(&box, &TempoBox::tempoChosen);
    QTest::keyClick(&box, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(box.tempo(), 90);
    QTest::keyClick(&box, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(box.tempo(), 95);
    ASSERT_EQ(chosen.count(), 3);
    EXPECT_EQ(chosen.last().at(0).toInt(), 95);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&box, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(box.tempo(), 100) << "never faster than normal";
    for (int i = 0; i < 12; ++i)
        box.stepSlower();
    EXPECT_EQ(box.tempo(), 50) << "never slower than half";
}

TEST_F(TempoChoice, EachStudentFindsTheirOwnTempo)
{
    {
        TempoBox box;
        box.setTempo(60);
        box.stepSlower(); // a choice of the student's: kept
    }
    EXPECT_EQ(TempoBox().tempo(), 55) << "the next window opens at the tempo chosen";

    StudentSettings::setStudent(QStringLiteral("/course/Report/boris.rep"));
    EXPECT_EQ(TempoBox().tempo(), 100) << "another student's choice is not his";
    StudentSettings::setStudent({});
    TempoBox anonymous;
    anonymous.stepSlower();
    StudentSettings::setStudent(QStringLiteral("/course/Report/anna.rep"));
    EXPECT_EQ(TempoBox().tempo(), 55) << "kept for the student in the settings";
    StudentSettings::setStudent({});
    EXPECT_EQ(TempoBox().tempo(), 95) << "the anonymous user's tempo lasts the run";

    // A settings file edited by hand.
    StudentSettings::setStudent(QStringLiteral("/course/Report/anna.rep"));
    StudentSettings::setValue(QStringLiteral("Tempo"), QStringLiteral("schnell"));
    EXPECT_EQ(Tempo::chosen(), 100);
    StudentSettings::setValue(QStringLiteral("Tempo"), 63);
    EXPECT_EQ(Tempo::chosen(), 65);
    StudentSettings::setValue(QStringLiteral("Tempo"), 10);
    EXPECT_EQ(Tempo::chosen(), 50);
}
