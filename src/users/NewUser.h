#pragma once

#include "users/UserList.h"

#include <QString>
#include <optional>

// What the new-user dialog holds when it is confirmed.
struct NewUserInput {
    QString name;
    QString password;
    QString confirmation;
    QString fileName; // full path of the progress file
    QString mode = QStringLiteral("A");
};

// The name field takes backspace and the codes 31 to 127 only.
bool nameKeyAccepted(int code);

// The default progress file of a name: <folder>/Report/<name>/<name>.rep.
QString defaultReportFolder(const QString& currentFolder);
QString defaultProgressPath(const QString& currentFolder, const QString& name);

// A browsed file name without any dot gets ".rep".
QString browsedProgressPath(const QString& chosen);

// The first check the input fails, as the message to show; nothing when every
// check passes. The order is the order the student is told about faults.
std::optional<QString> checkNewUser(const NewUserInput& input, const UserTable& table);

// How a progress path is stored: relative to the course folder when it lies
// inside it, so that a course folder copied or moved keeps its students and a
// copy never writes into the original's files; else as given.
QString storedProgressPath(const QString& path);

// The user record the input makes: a copy of the anonymous user with the fields
// filled in, the paths stored as storedProgressPath says. The input must have
// passed checkNewUser.
UserRecord newUserRecord(const NewUserInput& input);

// Creates the user's folder with any missing parents (the "Report" folder
// included) when it is not there; the message when it cannot be made.
std::optional<QString> makeUserFolder(const UserRecord& user);

// Makes the user's folder and writes blank progress for the mode to the
// progress file. The message of what failed, if anything; a user is added only
// after this worked.
std::optional<QString> prepareUserFiles(const UserRecord& user);
