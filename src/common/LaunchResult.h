#pragma once

// What an exercise window's launch returns. Only a gone-through exercise goes
// on to the completion dialog; the other two are ways of leaving it early.
enum class LaunchResult {
    GoneThrough = 0,
    // The previews' exit and the statements' "Cancel".
    Cancelled = 1,
    // The drills' exit, Escape, and files that cannot carry the exercise.
    Left = 2,
};
