#include "users/UserFiles.h"

#include "common/FileProblems.h"
#include "common/PassHistoryName.h"
#include "common/Paths.h"
#include "users/ProgressFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <filesystem>

namespace {
bool isRegularFile(const QString& path)
{
    const QFileInfo info(path);
    return !info.isSymLink() && info.isFile();
}

bool isSoundFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

bool namedByRecordingRule(const QString& fileName, const QString& userName)
{
    const QRegularExpression rule(
        QStringLiteral("^%1[1-9][0-9]*\\.wav$").arg(QRegularExpression::escape(userName)));
    return rule.match(fileName).hasMatch();
}

bool sameFolder(const QString& a, const QString& b)
{
    return canonicalForm(a) == canonicalForm(b);
}

// Another user of the table in the same folder whose recording rule also gives
// this name.
bool otherUserCouldOwn(const QString& fileName, const QString& folder, const UserRecord& user,
                       const UserTable& table)
{
    for (int i = 0; i < table.count(); ++i) {
        const UserRecord& other = table.at(i);
        if (other.name() != user.name() && sameFolder(coursePath(other.folder()), folder) &&
            namedByRecordingRule(fileName, other.name()))
            return true;
    }
    return false;
}

bool namedIn(const QString& path, const QStringList& recorded)
{
    const QString canonical = canonicalForm(path);
    for (const QString& name : recorded)
        if (!name.isEmpty() && canonicalForm(name) == canonical)
            return true;
    return false;
}

QString userFolder(const UserRecord& user)
{
    return coursePath(user.folder());
}

// The folder is the user's own when it lies in the course, or, wherever the
// student placed it, when the user's progress file is there and is one: a
// list that merely names a folder elsewhere proves nothing.
bool isOwnFolder(const UserRecord& user)
{
    const QString folder = userFolder(user);
    if (user.folder().isEmpty())
        return false;
    if (isInsideFolder(folder, QDir::currentPath()))
        return true;
    const QString progress = coursePath(user.progressFile());
    return sameFolder(QFileInfo(progress).absolutePath(), folder) &&
           isProgressFileToDelete(progress);
}

// Why the file cannot be one of the user's files, whatever its name: nothing
// when it is a regular file in the user's own folder.
std::optional<QString> notInOwnFolder(const QFileInfo& file, const UserRecord& user)
{
    if (file.isSymLink())
        return QStringLiteral("это символическая ссылка");
    if (!file.exists())
        return QStringLiteral("файла уже нет");
    if (!file.isFile())
        return QStringLiteral("это папка или особый файл (канал, устройство), а не запись");
    if (!isOwnFolder(user) || !sameFolder(file.absolutePath(), userFolder(user)))
        return QStringLiteral("файл лежит не в папке пользователя \"%1\"").arg(user.name());
    return std::nullopt;
}

// Removes the file, or says why it could not.
std::optional<QString> removeFile(const QString& path)
{
    std::error_code error;
    if (std::filesystem::remove(QFile::encodeName(path).toStdString(), error))
        return std::nullopt;
    if (!error)
        return QStringLiteral("файла уже нет");
    return systemErrorText(error.value(), QString::fromStdString(error.message()));
}

// The recording and the timing file beside it (same name, ".txt").
std::optional<QString> removeRecording(const QString& path)
{
    if (auto problem = removeFile(path))
        return problem;
    const QString timing = replaceLastThree(path, QStringLiteral("txt"));
    if (isRegularFile(timing))
        QFile::remove(timing);
    return std::nullopt;
}
} // namespace

bool isProgressFileToDelete(const QString& path)
{
    return isRegularFile(path) && hasProgressSignature(path);
}

QStringList recordingsNamedInProgress(const UserRecord& user)
{
    const QString path = coursePath(user.progressFile());
    if (!isProgressFileToDelete(path))
        return {};
    QStringList names;
    for (const ProgressRecord& record : readAllProgressRecords(path))
        if (!record.text().isEmpty())
            names << record.text();
    return names;
}

std::optional<QString> whyNotOwnRecording(const QString& path, const UserRecord& user,
                                          const UserTable& table, const QStringList& recorded)
{
    const QFileInfo file(coursePath(path));
    if (auto problem = notInOwnFolder(file, user))
        return problem;
    if (namedIn(file.filePath(), recorded))
        return std::nullopt;
    if (!namedByRecordingRule(file.fileName(), user.name()) || !isSoundFile(file.filePath()))
        return QStringLiteral("это не запись пользователя \"%1\": имя файла или его содержимое "
                              "не такие, как у записей")
            .arg(user.name());
    if (otherUserCouldOwn(file.fileName(), userFolder(user), user, table))
        return QStringLiteral("запись с таким именем может принадлежать другому пользователю "
                              "из той же папки");
    return std::nullopt;
}

bool isOwnRecording(const QString& path, const UserRecord& user, const UserTable& table,
                    const QStringList& recorded)
{
    return !whyNotOwnRecording(path, user, table, recorded);
}

bool deleteOwnRecording(const QString& path, const UserRecord& user, const UserTable& table,
                        const QStringList& recorded)
{
    return isOwnRecording(path, user, table, recorded) && !removeRecording(coursePath(path));
}

std::optional<QString> takeBackOwnRecording(const QString& path, const UserRecord& user,
                                            const UserTable& table)
{
    const QFileInfo file(coursePath(path));
    if (auto problem = notInOwnFolder(file, user))
        return problem;
    if (!namedByRecordingRule(file.fileName(), user.name()))
        return QStringLiteral("имя файла не такое, как у записей пользователя \"%1\"")
            .arg(user.name());
    if (otherUserCouldOwn(file.fileName(), userFolder(user), user, table))
        return QStringLiteral("запись с таким именем может принадлежать другому пользователю "
                              "из той же папки");
    return removeRecording(file.filePath());
}

namespace {
// A file deleted while its file system still counts it open is kept under a
// hidden name until it is closed: FUSE (sshfs) closes a file some moments
// after the program did, and NFS keeps ".nfs…" files the same way.
bool holdsOnlyClosingFiles(const QDir& folder)
{
    const QStringList left =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return std::all_of(left.begin(), left.end(), [](const QString& name) {
        return name.startsWith(QLatin1String(".fuse_hidden")) ||
               name.startsWith(QLatin1String(".nfs"));
    });
}

constexpr int FolderTries = 20;
constexpr int FolderTryPauseMs = 50;

// rmdir removes only an empty folder, and never follows a link; a folder
// whose last files are still being closed is tried again for a second.
void removeEmptyFolder(const QString& path)
{
    const QDir folder(path);
    for (int tries = 0; tries < FolderTries; ++tries) {
        if (folder.rmdir(folder.absolutePath()) || !folder.exists() ||
            !holdsOnlyClosingFiles(folder))
            return;
        QThread::msleep(FolderTryPauseMs);
    }
}

// The history of the user's passes: beside the progress file under its
// name, in the user's own folder, and a history by its first line.
void deleteOwnHistory(const UserRecord& user)
{
    const QString history = passHistoryName(coursePath(user.progressFile()));
    if (!notInOwnFolder(QFileInfo(history), user) && hasPassHistorySignature(history))
        QFile::remove(history);
}
} // namespace

void deleteUserFiles(const UserRecord& user, const UserTable& table)
{
    const QStringList recorded = recordingsNamedInProgress(user);
    const QString folder = userFolder(user);
    // Asked before the progress file goes: it is what shows a folder outside
    // the course to be the user's.
    const bool ownFolder = isOwnFolder(user);
    if (ownFolder) {
        QDir dir(folder);
        for (const QString& name :
             dir.entryList({QStringLiteral("*.wav")}, QDir::Files | QDir::Hidden))
            deleteOwnRecording(dir.filePath(name), user, table, recorded);
        deleteOwnHistory(user);
    }
    const QString progress = coursePath(user.progressFile());
    if (isProgressFileToDelete(progress))
        QFile::remove(progress);
    if (ownFolder && !QFileInfo(folder).isSymLink())
        removeEmptyFolder(folder);
}
