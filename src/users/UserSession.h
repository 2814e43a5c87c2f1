#pragma once

#include "common/LockFile.h"
#include "users/Completion.h"
#include "users/NewUser.h"
#include "users/ProgressFile.h"
#include "users/UserList.h"

#include <QSet>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

// Who is working and what that user has done: the user list, the current user
// and the current named user's progress, with the file steps of switching
// users, changing the mode, marking, adding, deleting and closing. Every
// operation returns the faults the student must be told, each naming its file
// (empty when all went well); the windows only show them.
class UserSession {
public:
    // The number of entries of a mode's catalogue; by default its lines are counted.
    using EntryCounter = std::function<std::variant<int, CourseError>(const QString& mode)>;
    explicit UserSession(EntryCounter entryCount = catalogueEntryCount);

    // Reads the list file and clears the current-user-valid flag; the messages
    // tell of a list that cannot be read or is damaged. A list that cannot be
    // read is never written over, so no user is lost.
    QList<CourseError> loadUserList(const QString& path = UserListFile);
    // Reads the list again, as another program on the same course may have
    // changed it; the current user is found again by its progress file.
    QList<CourseError> refreshUserList();

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
    // True when the user's progress file is the current named user's, however
    // its path is spelt ("\\" or "/", relative or absolute, through a link).
    bool holdsCurrentProgress(const UserRecord& user) const;
    // True when a named user is current and the entry's record says done.
    bool isDone(int entry) const;

    // Makes the user at index current, -1 for the anonymous user: writes the
    // progress of the named user that was current (also when it is the same
    // one), then reads the new user's. A missing or short file still makes the
    // user current with the missing records not done; a file that cannot be
    // read is then never written over. Refused with a message, the current user
    // staying, when the record has no mode letter, the mode's catalogue cannot
    // be read, the progress file is a file of another kind (no progress
    // signature), or another program works with the same user (its progress
    // file is locked). Progress is written only where the file does not hold
    // it yet, and then only this run's changes go over what the file holds by
    // then (another program or a restored copy may have changed it).
    QList<CourseError> changeUser(int index);

    // Gives the current user the mode: a named user's progress starts afresh and
    // is written at once; the anonymous user's mode changes for this run only.
    // Refused before anything changes when the mode's catalogue cannot be read.
    // The caller then switches to the same user again (changeUser).
    QList<CourseError> changeMode(const QString& letter);

    struct Added {
        std::optional<int> index; // the new user's index when it was added
        QList<CourseError> messages;
    };
    // Creates the folder and the blank progress file, then adds the user and
    // clears the current-user-valid flag. Nothing is added when a file step fails.
    Added addUser(const NewUserInput& input);

    bool passwordMatches(int index, const QString& typed) const;

    // Removes the user's own files (see UserFiles.h) and its record; the current
    // index follows the same user, or falls back to the anonymous user when that
    // one was deleted. Refused while another program works with the user.
    QList<CourseError> deleteUser(int index);

    // The recording of an entry for the current user.
    QString recordingName(int entry) const;
    QString previousRecordingName(const std::function<ExerciseKind(int entry)>& kindOf,
                                  int entry) const;

    // Marks the entry done as its kind requires and writes the progress file at
    // once. Nothing happens for the anonymous user.
    QList<CourseError> markDone(int entry, ExerciseKind kind, const RunOutcome& outcome);

    // The report's deletion of the entry's recording (takeBackRecording in
    // ReportLines.h); a changed record is written to the progress file at once.
    QList<CourseError> takeBackRecording(int entry, ExerciseKind kind);

    // What closing the program writes: the current progress. Every change of
    // the list was written when it was made, so the list is not written again.
    QList<CourseError> close();

private:
    // A change of the list as read-modify-write under the lock file beside it:
    // the list is read again, the current user found again, the change made,
    // and the list written only when the change says it changed something.
    // Then, still under the lock and only when the list was written, comes
    // the step after it (a deleted user's files go once the list no longer
    // names the user, so that no program finds a listed user without files).
    using ListChange = std::function<QList<CourseError>(bool& changed)>;
    QList<CourseError> changeList(const ListChange& change,
                                  const std::function<void()>& afterWrite = {});
    QList<CourseError> readListAgain();
    void findCurrentAgain();
    void dropCurrent();
    int indexOfSameUser(const UserRecord& user) const;
    std::unique_ptr<LockFile> lockProgressOf(const UserRecord& user,
                                             QList<CourseError>& messages) const;
    QList<CourseError> writeCurrentProgress();
    QList<CourseError> saveCurrentProgress() const;

    EntryCounter entryCount_;
    UserTable users_;
    QString listPath_ = UserListFile;
    bool listUnreadable_ = false;
    int currentIndex_ = -1;
    bool currentValid_ = false;
    QString anonymousMode_ = AnonymousUser().mode();
    ProgressTable progress_;
    // The current named user's progress file in canonical form, how the user
    // is found again after another program changed the list.
    QString currentProgress_;
    // False when the current progress file could not be read: it is not written.
    bool progressWritable_ = true;
    // The entries this run changed since the progress was read (or written
    // afresh by a mode change): only they go over the file, which another
    // program or a restored copy may have changed meanwhile.
    QSet<int> changedEntries_;
    std::unique_ptr<LockFile> progressLock_;
};
