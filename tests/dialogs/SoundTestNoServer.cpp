// The sound test where no sound server can be reached: this program points
// the sound system at a server that does not exist before anything asks it
// for a device.
#include "DialogTestSupport.h"
#include "dialogs/DlgTestFullDulex.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {
const bool noServer = [] {
    qputenv("PULSE_SERVER", "unix:/nonexistent/tolvaren-no-sound-server");
    qputenv("PULSE_CLIENTCONFIG", "/dev/null");
    return true;
}();
} // namespace

TEST(SoundTestNoServer, FalseWithOneWarning)
{
    ASSERT_TRUE(noServer);
    TempCourse course;
    course.write(QStringLiteral("Null.wav"), silentWav(1000));
    course.write(QStringLiteral("NullRec.wav"), silentWav(0));
    TDlgTestFullDulex dialog;
    ShowCounter warnings(&dialog);
    EXPECT_FALSE(dialog.TestFullDuplex());
    EXPECT_EQ(warnings.shows, 1);
}
