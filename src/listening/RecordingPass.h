#pragma once

#include <QString>
#include <QtGlobal>

// A recording pass of the interpretation trainer records into a file of its
// own beside the student's recording, so that a pass that cannot record (no
// sound device, a template that cannot be copied) or that is stopped at once
// leaves the previous recording and its timing file as they were. Once the
// pass has captured its first half second, its file replaces the recording
// and the pass goes on in the recording itself: a crash after that still
// leaves a playable recording of the pass.

inline constexpr qint64 PassKeptAfterMs = 500;

// The file a pass records into: "Ivan4.wav" gives "Ivan4.pass.wav". Not
// "*.tmp": the course's launch takes such files for temporaries of its own.
QString passRecordingName(const QString& recording);

// Starts a pass: removes what an earlier pass cut short by a crash left beside
// the recording, then makes the pass file a copy of the template, byte for
// byte. Empty on success, else the Russian reason naming the file.
QString startPassFile(const QString& templatePath, const QString& recording);

// Removes the pass file and its timing file; the recording stays as it was.
void dropPassFiles(const QString& recording);

// After the pass file became the recording in a pass that keeps no timing
// file: a previous one must not stand beside it (a work mode change may give
// the entry, and so the recording's name, to an exercise of another kind).
void dropStaleTiming(const QString& recording);

// What the student is told of the previous recording when a pass kept nothing.
QString previousRecordingText(const QString& recording);
