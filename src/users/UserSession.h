#pragma once

#include "users/Completion.h"
#include "users/NewUser.h"
#include "users/ProgressFile.h"
#include "users/UserList.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

// Who is working and what that user has done: the user list, the current user
// and the current named user's progress, with the file steps of switching
// users, changing the mode, marking, adding, deleting and closing. Every
// operation returns the messages the student must see (empty when all went
// well); the windows only show them.
class UserSession {
public:
    // The number of entries of a mode's catalogue; by default its lines are counted.
    using EntryCounter = std::function<std::variant<int, CourseError>(const QString& mode)>;
    explicit UserSession(EntryCounter entryCount = catalogueEntryCount);

    // Reads the list file and clears the current-user-valid flag. A list that
    // exists but cannot be read is never written over, so no user is lost.
    QStringList loadUserList(const QString& path = UserListFile);
    QStringList writeUserList() const;

    const UserTable& users() const { return users_; }
    int currentIndex() const { return currentIndex_; }
    bool currentValid() const { return currentValid_; }
    void setCurrentValid(bool valid) { currentValid_ = valid; }
    // nullptr while the anonymous user is current.
    const UserRecord* currentUser() const;
    // The work mode of the current user: the tree shows this mode's catalogue.
    QString currentMode() const;
    const QString& anonymousMode() const { return anonymousMode_; }
    // "Tolvaren <name> - Режим <mode>."
    QString title() const;

    // The current named user's progress; empty for the anonymous user.
    const ProgressTable& progress() const { return progress_; }
    // True when a named user is current and the entry's record says done.
    bool isDone(int entry) const;

    // Makes the user at index current, -1 for the anonymous user: writes the
    // progress of the named user that was current (also when it is the same
    // one), then reads the new user's. A missing or short file still makes the
    // user current with the missing records not done. A record without a mode
    // letter is refused with a message, and the current user stays.
    QStringList changeUser(int index);

    // Gives the current user the mode: a named user's progress starts afresh and
    // is written at once; the anonymous user's mode changes for this run only.
    // The caller then switches to the same user again (changeUser).
    QStringList changeMode(const QString& letter);

    struct Added {
        std::optional<int> index; // the new user's index when it was added
        QStringList messages;
    };
    // Creates the folder and the blank progress file, then adds the user and
    // clears the current-user-valid flag. Nothing is added when a file step fails.
    Added addUser(const NewUserInput& input);

    bool passwordMatches(int index, const QString& typed) const;

    // Removes the user's own files and its record; the current index follows the
    // same user, or falls back to the anonymous user when that one was deleted.
    QStringList deleteUser(int index);

    // The recording of an entry for the current user.
    QString recordingName(int entry) const;
    QString previousRecordingName(const std::function<int(int entry)>& kindOf, int entry) const;

    // Marks the entry done as its kind requires and writes the progress file at
    // once. Nothing happens for the anonymous user.
    QStringList markDone(int entry, int kind, const RunOutcome& outcome);

    // The report's deletion of the entry's recording (takeBackRecording in
    // ReportLines.h); a changed record is written to the progress file at once.
    QStringList takeBackRecording(int entry, int kind);

    // What closing the program writes: the current progress, then the list.
    QStringList close();

private:
    QStringList writeCurrentProgress() const;
    QStringList readProgressOf(const UserRecord& user);

    EntryCounter entryCount_;
    UserTable users_;
    QString listPath_ = UserListFile;
    bool listUnreadable_ = false;
    int currentIndex_ = -1;
    bool currentValid_ = false;
    QString anonymousMode_ = AnonymousUser().mode();
    ProgressTable progress_;
};
