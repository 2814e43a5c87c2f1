#pragma once

#include <functional>

class QObject;

// The link of Qt's PulseAudio back end to the sound server, made again when
// the server comes back.
//
// Qt 6.4's back end connects once per process. When the server dies it tries
// again every 3 s, but only as long as each try fails while connecting: a try
// that finds no server socket at all gives up for good, and the program would
// stay silent until restarted. The same holds for the first try, made on the
// first sound: a server missing then is never found later. Its link lives in
// one private object, which shows itself when the link fails (the failure is
// queued to it) and which makes a new link in its `prepare` slot. Elsewhere
// (another back end, another Qt) nothing here ever acts.
namespace ServerLink {
// Starts watching for a failed link; once is enough, more does no harm.
void watch();
// If the link failed and is still down, makes it again now. For Open: a
// server that came back is found by the first Open after it.
void restore();
// Whether Qt's back end may be asked for a device now. Until it has found a
// server, the server is asked here first, and Qt only once it answers: a
// server that comes up after the program started is found at the next sound.
bool reachable();
// Calls `call` on this thread just before a failed link closes its streams,
// for as long as `owner` lives: a stream that another thread writes to must
// be left alone from then on.
void beforeFailure(QObject* owner, std::function<void()> call);
} // namespace ServerLink
