#include "users/UserSession.h"

#include "common/CourseError.h"
#include "common/Paths.h"
#include "common/StudentSettings.h"
#include "users/ReportLines.h"
#include "users/UserFiles.h"

namespace {
QList<CourseError> faultOf(const std::optional<CourseError>& error)
{
    return error ? QList<CourseError>{*error} : QList<CourseError>{};
}

// How long a change of the list waits for another program's change to end:
// longer than a lock left by a program that died on another machine lives,
// so that such a lock delays the change but never refuses it.
constexpr int ListLockWaitMs = LockFile::StaleMs + 5000;

QString progressPathOf(const UserRecord& user)
{
    return coursePath(user.progressFile());
}

CourseError leftAlone(const QString& progressFile)
{
    return CourseError::toldAs(
        progressFile,
        QStringLiteral("Файл отчета \"%1\" не сохранен: на его месте теперь файл, который не "
                       "является файлом отчета для данного приложения. Этот файл оставлен без "
                       "изменений.")
            .arg(progressFile));
}
} // namespace

UserSession::UserSession(EntryCounter entryCount) : entryCount_(std::move(entryCount)) {}

QList<CourseError> UserSession::loadUserList(const QString& path)
{
    UserListLoad load = LoadUserList(path);
    users_ = load.table;
    listPath_ = path;
    listUnreadable_ = load.error.has_value();
    currentValid_ = false;
    findCurrentAgain();
    QList<CourseError> faults = faultOf(load.error);
    for (const QString& warning : std::as_const(load.warnings))
        faults << CourseError::toldAs(path, warning);
    return faults;
}

QList<CourseError> UserSession::readListAgain()
{
    UserListLoad load = LoadUserList(listPath_);
    if (load.error)
        return faultOf(load.error);
    users_ = load.table;
    listUnreadable_ = false;
    findCurrentAgain();
    return {};
}

QList<CourseError> UserSession::refreshUserList()
{
    const bool alreadyTold = listUnreadable_;
    QList<CourseError> problem = readListAgain();
    if (problem.isEmpty() || alreadyTold)
        return {};
    listUnreadable_ = true;
    return problem;
}

int UserSession::indexOfSameUser(const UserRecord& user) const
{
    const QString progress = canonicalForm(progressPathOf(user));
    for (int i = 0; i < users_.count(); ++i)
        if (users_.at(i).name() == user.name() &&
            canonicalForm(progressPathOf(users_.at(i))) == progress)
            return i;
    return -1;
}

bool UserSession::holdsCurrentProgress(const UserRecord& user) const
{
    return currentIndex_ >= 0 && canonicalForm(progressPathOf(user)) == currentProgress_;
}

void UserSession::findCurrentAgain()
{
    if (currentIndex_ < 0)
        return;
    for (int i = 0; i < users_.count(); ++i)
        if (canonicalForm(progressPathOf(users_.at(i))) == currentProgress_) {
            currentIndex_ = i;
            return;
        }
    // Deleted by another program; its progress goes nowhere.
    dropCurrent();
    currentValid_ = false;
}

void UserSession::dropCurrent()
{
    currentIndex_ = -1;
    progress_ = ProgressTable();
    currentProgress_.clear();
    StudentSettings::setStudent({});
    progressWritable_ = true;
    progressLock_.reset();
}

QList<CourseError> UserSession::changeList(const ListChange& change,
                                           const std::function<void()>& afterWrite)
{
    LockFile lock(listPath_ + QStringLiteral(".lock"));
    if (!lock.tryLock(ListLockWaitMs))
        return {CourseError::toldAs(
            listPath_,
            QStringLiteral("Список пользователей \"%1\" не изменен: %2.")
                .arg(listPath_,
                     lock.error() == LockFile::Error::Busy
                         ? QStringLiteral("его сейчас изменяет другая копия программы")
                         : QStringLiteral("не удается создать файл блокировки рядом с ним")))};
    if (QList<CourseError> problem = readListAgain(); !problem.isEmpty())
        return problem;
    bool changed = false;
    QList<CourseError> messages = change(changed);
    if (!changed)
        return messages;
    const std::optional<CourseError> error = WriteUserList(users_, listPath_);
    if (!error && afterWrite)
        afterWrite();
    return messages + faultOf(error);
}

std::unique_ptr<LockFile> UserSession::lockProgressOf(const UserRecord& user,
                                                      QList<CourseError>& messages) const
{
    auto lock = std::make_unique<LockFile>(
        canonicalForm(progressPathOf(user)) + QStringLiteral(".lock"), LockFile::Hold::Long);
    if (lock->tryLock(0))
        return lock;
    // A folder where no lock can be made cannot take the progress either; the
    // write will tell why.
    if (lock->error() == LockFile::Error::Busy)
        messages << CourseError::toldAs(
            user.progressFile(),
            QStringLiteral("С пользователем \"%1\" сейчас работает другая копия "
                           "программы. Закройте ее или выберите другого пользователя.")
                .arg(user.name()));
    return nullptr;
}

const UserRecord* UserSession::currentUser() const
{
    return currentIndex_ >= 0 ? &users_.at(currentIndex_) : nullptr;
}

QString UserSession::currentMode() const
{
    return currentUser() ? currentUser()->mode() : anonymousMode_;
}

QString UserSession::title() const
{
    const QString name = currentUser() ? currentUser()->name() : AnonymousUser().name();
    return QStringLiteral("Tolvaren %1 - Режим %2.").arg(name, currentMode());
}

bool UserSession::isDone(int entry) const
{
    return currentUser() && progress_.isEntry(entry) && progress_.record(entry).done();
}

QList<CourseError> UserSession::writeCurrentProgress()
{
    // A file that could not be read is never written over: its records would be
    // blanked. The student was told when it was read.
    if (!currentUser() || !progressWritable_)
        return {};
    const QString path = progressPathOf(*currentUser());
    if (isForeignFile(path))
        return {leftAlone(currentUser()->progressFile())};
    ProgressRead now = ReadProgress(path, progress_.count());
    if (!now.writable)
        return {CourseError::toldAs(currentUser()->progressFile(), now.problem)};
    ProgressTable merged = now.table;
    for (int entry : std::as_const(changedEntries_))
        merged.record(entry) = progress_.record(entry);
    progress_ = merged;
    // A file that holds the table already is not written again: a copy
    // restored meanwhile stays as it is.
    if (now.asWritten && merged == now.table)
        return {};
    return saveCurrentProgress();
}

QList<CourseError> UserSession::saveCurrentProgress() const
{
    const QString path = progressPathOf(*currentUser());
    if (isForeignFile(path))
        return {leftAlone(currentUser()->progressFile())};
    // The folder may have been removed while the program ran or before the
    // user was chosen; without it every mark of the run would be lost.
    if (auto problem = makeUserFolder(*currentUser()))
        return {CourseError::toldAs(currentUser()->folder(), *problem)};
    return faultOf(WriteProgress(path, progress_));
}

QList<CourseError> UserSession::changeUser(int index)
{
    if (index < 0 || index >= users_.count()) {
        QList<CourseError> messages = writeCurrentProgress();
        dropCurrent();
        return messages;
    }
    const UserRecord user = users_.at(index);
    // A damaged record names no catalogue: its progress could be neither read
    // nor shown, so the user who stands stays current.
    if (!isModeLetter(user.mode()))
        return {CourseError::toldAs(
            listPath_, QStringLiteral("Запись пользователя \"%1\" в списке \"%2\" повреждена: в "
                                      "ней нет режима работы (A, B, C или D).")
                           .arg(user.name(), listPath_))};
    auto count = entryCount_(user.mode());
    if (auto* error = std::get_if<CourseError>(&count))
        return {CourseError::toldAs(
                    error->file,
                    QStringLiteral("Пользователь \"%1\" не выбран: каталог его режима не читается.")
                        .arg(user.name())),
                *error};
    // Someone's document named as the progress file would become a progress
    // table when the user leaves.
    if (isForeignFile(progressPathOf(user)))
        return {CourseError::toldAs(
            user.progressFile(),
            QStringLiteral("Пользователь \"%1\" не выбран: файл \"%2\" не является файлом "
                           "отчета для данного приложения, и программа не будет его изменять.")
                .arg(user.name(), user.progressFile()))};
    const QString progressPath = canonicalForm(progressPathOf(user));
    QList<CourseError> messages;
    std::unique_ptr<LockFile> lock;
    if (progressPath != currentProgress_) {
        lock = lockProgressOf(user, messages);
        if (!messages.isEmpty())
            return messages;
    }
    messages = writeCurrentProgress();
    if (progressPath != currentProgress_)
        progressLock_ = std::move(lock);
    ProgressRead read = ReadProgress(progressPathOf(user), std::get<int>(count));
    currentIndex_ = index;
    currentValid_ = true;
    currentProgress_ = progressPath;
    StudentSettings::setStudent(currentProgress_);
    progress_ = read.table;
    progressWritable_ = read.writable;
    changedEntries_.clear();
    if (!read.problem.isEmpty())
        messages << CourseError::toldAs(user.progressFile(), read.problem);
    return messages;
}

QList<CourseError> UserSession::changeMode(const QString& letter)
{
    if (!currentUser()) {
        anonymousMode_ = letter;
        return {};
    }
    // The new mode's progress is written blank at once; without its catalogue
    // nothing may change.
    auto count = entryCount_(letter);
    if (auto* error = std::get_if<CourseError>(&count))
        return {CourseError::toldAs(
                    error->file,
                    QStringLiteral("Режим не изменен: каталог режима %1 не читается.").arg(letter)),
                *error};
    QList<CourseError> messages = changeList([&](bool& changed) -> QList<CourseError> {
        if (!currentUser())
            return {CourseError::toldAs(
                listPath_, QStringLiteral("Пользователь удален другой копией программы."))};
        changed = users_[currentIndex_].setMode(letter);
        return {};
    });
    if (!currentUser())
        return messages;
    progress_ = ProgressTable(std::get<int>(count));
    progressWritable_ = true;
    changedEntries_.clear();
    return messages + saveCurrentProgress();
}

UserSession::Added UserSession::addUser(const NewUserInput& input)
{
    std::optional<int> index;
    QList<CourseError> messages = changeList([&](bool& changed) -> QList<CourseError> {
        // Another program may have added the same name or file meanwhile.
        if (auto problem = checkNewUser(input, users_))
            return {CourseError::toldAs(listPath_, *problem)};
        const UserRecord user = newUserRecord(input);
        if (auto problem = prepareUserFiles(user))
            return {CourseError::toldAs(user.progressFile(), *problem)};
        users_.append(user);
        index = users_.lastIndex();
        changed = true;
        return {};
    });
    if (index)
        currentValid_ = false;
    return {index, messages};
}

bool UserSession::passwordMatches(int index, const QString& typed) const
{
    return index >= 0 && index < users_.count() && users_.at(index).password() == typed;
}

QList<CourseError> UserSession::deleteUser(int index)
{
    if (index < 0 || index >= users_.count())
        return {};
    const UserRecord shown = users_.at(index);
    UserTable before;
    int at = -1;
    return changeList(
        [&](bool& changed) -> QList<CourseError> {
            at = indexOfSameUser(shown);
            if (at < 0)
                return {CourseError::toldAs(
                    listPath_,
                    QStringLiteral("Пользователь \"%1\" уже удален другой копией программы.")
                        .arg(shown.name()))};
            if (at == currentIndex_) {
                dropCurrent();
                currentValid_ = false;
            } else {
                QList<CourseError> busy;
                if (!lockProgressOf(shown, busy) && !busy.isEmpty())
                    return busy;
            }
            before = users_;
            users_.removeAt(at);
            if (at < currentIndex_)
                --currentIndex_;
            changed = true;
            return {};
        },
        [&] { deleteUserFiles(before.at(at), before); });
}

QString UserSession::recordingName(int entry) const
{
    return RecordingName(currentUser(), entry);
}

QString UserSession::previousRecordingName(const std::function<ExerciseKind(int entry)>& kindOf,
                                           int entry) const
{
    return ::previousRecordingName(kindOf, currentUser() ? &progress_ : nullptr, entry);
}

QList<CourseError> UserSession::markDone(int entry, ExerciseKind kind, const RunOutcome& outcome)
{
    if (!currentUser() || !progress_.isEntry(entry))
        return {};
    if (!progressWritable_)
        return {CourseError{currentUser()->progressFile(), 0,
                            QStringLiteral("отметка не сохранена: файл не удалось прочитать, и "
                                           "запись в него стерла бы то, что в нем есть")}};
    if (!markProgress(progress_.record(entry), kind, outcome))
        return {CourseError{
            currentUser()->progressFile(), 0,
            QStringLiteral("путь к записи \"%1\" в нем не помещается").arg(outcome.recordingName)}};
    changedEntries_.insert(entry);
    return writeCurrentProgress();
}

QList<CourseError> UserSession::takeBackRecording(int entry, ExerciseKind kind)
{
    if (!currentUser() || !progress_.isEntry(entry))
        return {};
    const TakeBack taken =
        ::takeBackRecording(progress_.record(entry), kind, *currentUser(), users_);
    if (!taken.problem.isEmpty())
        return {CourseError::toldAs(progress_.record(entry).text(), taken.problem)};
    if (!taken.changed)
        return {};
    changedEntries_.insert(entry);
    return writeCurrentProgress();
}

QList<CourseError> UserSession::close()
{
    QList<CourseError> messages = writeCurrentProgress();
    progressLock_.reset();
    return messages;
}
