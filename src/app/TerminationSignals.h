#pragma once

#include <functional>

// A termination signal (SIGTERM, SIGINT, SIGHUP, as at a desktop logout) runs
// an action on the user-interface thread, so the program can close as its
// close box does and write what it holds. Then every event loop ends, those
// of open modal windows included, so the program ends even while an exercise
// or a message is open.

// Catches the signals from now on; one that comes before there is an action,
// or while no event loop runs, waits for the next event loop. Call once, after
// the application object exists.
void catchTerminationSignals();

// The action for a signal caught by now or later.
void onTerminationSignal(std::function<void()> action);
