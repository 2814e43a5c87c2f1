#include "users/UserSession.h"

#include "users/ReportLines.h"

namespace {
QStringList messageOf(const std::optional<CourseError>& error)
{
    return error ? QStringList{error->userText()} : QStringList{};
}
} // namespace

UserSession::UserSession(EntryCounter entryCount) : entryCount_(std::move(entryCount)) {}

QStringList UserSession::loadUserList(const QString& path)
{
    UserListLoad load = LoadUserList(path);
    users_ = load.table;
    listPath_ = path;
    listUnreadable_ = load.error.has_value();
    currentValid_ = false;
    return messageOf(load.error);
}

QStringList UserSession::writeUserList() const
{
    if (listUnreadable_)
        return {QStringLiteral("Список пользователей \"%1\" не записан: его не удалось прочитать "
                               "при запуске, и запись стерла бы его.")
                    .arg(listPath_)};
    return messageOf(WriteUserList(users_, listPath_));
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

QStringList UserSession::writeCurrentProgress() const
{
    if (!currentUser())
        return {};
    // The folder may have been removed while the program ran or before the
    // user was chosen; without it every mark of the run would be lost.
    if (auto problem = makeUserFolder(*currentUser()))
        return {*problem};
    return messageOf(WriteProgress(currentUser()->progressFile(), progress_));
}

QStringList UserSession::readProgressOf(const UserRecord& user)
{
    auto count = entryCount_(user.mode());
    if (auto* error = std::get_if<CourseError>(&count)) {
        progress_ = ProgressTable();
        return {error->userText()};
    }
    ProgressRead read = ReadProgress(user.progressFile(), std::get<int>(count));
    progress_ = read.table;
    return read.problem.isEmpty() ? QStringList{} : QStringList{read.problem};
}

QStringList UserSession::changeUser(int index)
{
    // A damaged record names no catalogue: its progress could be neither read
    // nor shown, so the user who stands stays current.
    if (index >= 0 && index < users_.count() && !isModeLetter(users_.at(index).mode()))
        return {QStringLiteral("Запись пользователя \"%1\" в списке \"%2\" повреждена: в ней "
                               "нет режима работы (A, B, C или D).")
                    .arg(users_.at(index).name(), listPath_)};
    QStringList messages = writeCurrentProgress();
    if (index < 0 || index >= users_.count()) {
        currentIndex_ = -1;
        progress_ = ProgressTable();
        return messages;
    }
    currentIndex_ = index;
    currentValid_ = true;
    return messages + readProgressOf(users_.at(index));
}

QStringList UserSession::changeMode(const QString& letter)
{
    if (!currentUser()) {
        anonymousMode_ = letter;
        return {};
    }
    users_[currentIndex_].setMode(letter);
    QStringList messages = writeUserList();
    auto count = entryCount_(letter);
    if (auto* error = std::get_if<CourseError>(&count))
        return messages << error->userText();
    progress_ = ProgressTable(std::get<int>(count));
    return messages + writeCurrentProgress();
}

UserSession::Added UserSession::addUser(const NewUserInput& input)
{
    const UserRecord user = newUserRecord(input);
    if (auto problem = prepareUserFiles(user))
        return {std::nullopt, {*problem}};
    users_.append(user);
    currentValid_ = false;
    return {users_.lastIndex(), writeUserList()};
}

bool UserSession::passwordMatches(int index, const QString& typed) const
{
    return index >= 0 && index < users_.count() && users_.at(index).password() == typed;
}

QStringList UserSession::deleteUser(int index)
{
    if (index < 0 || index >= users_.count())
        return {};
    deleteUserFiles(users_.at(index));
    users_.removeAt(index);
    if (index == currentIndex_) {
        currentIndex_ = -1;
        currentValid_ = false;
        progress_ = ProgressTable();
    } else if (index < currentIndex_) {
        --currentIndex_;
    }
    return writeUserList();
}

QString UserSession::recordingName(int entry) const
{
    return RecordingName(currentUser(), entry);
}

QString UserSession::previousRecordingName(const std::function<int(int entry)>& kindOf,
                                           int entry) const
{
    return ::previousRecordingName(kindOf, currentUser() ? &progress_ : nullptr, entry);
}

QStringList UserSession::markDone(int entry, int kind, const RunOutcome& outcome)
{
    if (!currentUser() || !progress_.isEntry(entry))
        return {};
    if (!markProgress(progress_.record(entry), kind, outcome))
        return {QStringLiteral("Путь к записи \"%1\" не помещается в файл отчета.")
                    .arg(outcome.recordingName)};
    return writeCurrentProgress();
}

QStringList UserSession::takeBackRecording(int entry, int kind)
{
    if (!currentUser() || !progress_.isEntry(entry))
        return {};
    const TakeBack taken =
        ::takeBackRecording(progress_.record(entry), kind, *currentUser(), users_);
    if (!taken.problem.isEmpty())
        return {taken.problem};
    return taken.changed ? writeCurrentProgress() : QStringList{};
}

QStringList UserSession::close()
{
    return writeCurrentProgress() + writeUserList();
}
