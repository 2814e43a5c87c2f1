#pragma once

#include "users/UserList.h"

#include <QString>
#include <QStringList>
#include <optional>

// What is surely a user's own file. A user list may point a user anywhere (a
// copied or crafted list, a folder shared by several users), so deleting a user
// or one of its recordings follows these rules and nothing else: never a
// symbolic link's target, never a folder's contents at large, never a file
// another user of the list could own.

// A regular file (not a symbolic link) that carries the progress signature.
bool isProgressFileToDelete(const QString& path);

// The recordings the user's progress records name (the records' texts), as
// stored; empty when the progress file is not one.
QStringList recordingsNamedInProgress(const UserRecord& user);

// The user's own folder is the user's folder when it lies in the course, or
// wherever it lies when the user's progress file in it is one (a student may
// place it anywhere).

// Nothing when the file may be deleted as one of the user's recordings: a
// regular file in the user's own folder that either the user's progress
// records name (recorded), or that is a sound file named by the recording rule
// (name + entry + ".wav") while no other user of the table sharing that folder
// could own it by the same rule ("Ivan17.wav" may be Ivan's entry 17 or
// Ivan1's entry 7). Else why not, in Russian words for the student.
std::optional<QString> whyNotOwnRecording(const QString& path, const UserRecord& user,
                                          const UserTable& table, const QStringList& recorded);
bool isOwnRecording(const QString& path, const UserRecord& user, const UserTable& table,
                    const QStringList& recorded);

// Deletes one recording and the timing file beside it (same name, ".txt") when
// isOwnRecording allows it. False when the rules refuse it or it could not be
// removed.
bool deleteOwnRecording(const QString& path, const UserRecord& user, const UserTable& table,
                        const QStringList& recorded);

// The report's deletion of the recording a done record names, with its timing
// file: a regular file in the user's own folder, named by the recording rule,
// that no other user sharing the folder could own. Its content is not asked:
// a recording left empty or headerless by a crash is the student's too.
// Nothing on success, else why it stays.
std::optional<QString> takeBackOwnRecording(const QString& path, const UserRecord& user,
                                            const UserTable& table);

// Deletes the user's progress file, its own recordings with their timing files,
// then its folder if that is left empty. The table is the list the user belongs
// to, so that files other users could own stay.
void deleteUserFiles(const UserRecord& user, const UserTable& table);
