#pragma once

#include <functional>

// A termination signal (SIGTERM, SIGINT, SIGHUP, as at a desktop logout) runs
// the given action on the user-interface thread, so the program can close as
// its close box does and write what it holds. Then every event loop ends,
// those of open modal windows included, so the program ends even while an
// exercise or a message is open. Call once, after the application object exists.
void onTerminationSignal(std::function<void()> action);
