#pragma once

#include <QtGlobal>

// The media player's contract is tested on both engines: the same test cases
// run against the virtual engine (listening_test) and against the test sound
// server (listening_sound_test). Each program supplies these.

// Chooses the engine; on the real one, fails unless the sound server is there.
void setUpSound();
// Lets `ms` of sound time pass, delivering notifications.
void letPass(qint64 ms);
// How much later than due a real device may end a play, and how far a
// position may stray from the ideal (both 0 on the virtual engine).
qint64 slackMs();
qint64 toleranceMs();
