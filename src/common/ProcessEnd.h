#pragma once

// Ends the process once everything of the program's own has been destroyed,
// without the libraries' exit-time destructors: there Qt's sound back end
// takes its link to the sound server down without the lock of libpulse's own
// thread, which is still running, and libpulse aborted now and then
// ("io_events_please_scan == 0", or in pa_memimport_free). The system closes
// the link with the process, as it closes every file. Standard streams are
// flushed and the handlers registered with std::at_quick_exit run; a build
// with the leak checker checks first.
[[noreturn]] void endProcess(int status);
