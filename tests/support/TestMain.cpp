// One QApplication lives for the whole test program, as windows and timers
// need it; the offscreen platform draws windows without a screen.
#include "common/ProcessEnd.h"
#include "widgets/Look.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Sanitizer settings of every test program, read before main runs.
extern "C" const char* __lsan_default_options()
{
    return "suppressions=" LSAN_SUPPRESSIONS ":print_suppressions=0";
}

extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1";
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The pictures the program keeps between runs stay in a folder of the test's own.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    QApplication app(argc, argv);
    look::useProgramFace(); // the windows are tested in the face they are shown in
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    cache.remove();
    // The leak check comes while the application still stands: once it has
    // gone, the plugins it unloaded leave thread-local storage behind that
    // the leak checker trips over now and then.
    endProcess(status);
}
