#pragma once

#include "users/UserList.h"

#include <QString>
#include <QStringList>

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

// True when the file may be deleted as one of the user's recordings: a regular
// sound file in the user's folder, inside the course folder, that either the
// user's progress records name (recorded), or that is named by the recording
// rule (name + entry + ".wav") while no other user of the table sharing that
// folder could own it by the same rule ("Ivan17.wav" may be Ivan's entry 17 or
// Ivan1's entry 7).
bool isOwnRecording(const QString& path, const UserRecord& user, const UserTable& table,
                    const QStringList& recorded);

// Deletes one recording and the timing file beside it (same name, ".txt") when
// isOwnRecording allows it. False when the rules refuse it or it could not be
// removed.
bool deleteOwnRecording(const QString& path, const UserRecord& user, const UserTable& table,
                        const QStringList& recorded);

// Deletes the user's progress file, its own recordings with their timing files,
// then its folder if that is left empty. The table is the list the user belongs
// to, so that files other users could own stay.
void deleteUserFiles(const UserRecord& user, const UserTable& table);
