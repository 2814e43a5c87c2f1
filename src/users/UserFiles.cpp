#include "users/UserFiles.h"

#include "common/Paths.h"
#include "users/ProgressFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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

bool isOwnRecording(const QString& path, const UserRecord& user, const UserTable& table,
                    const QStringList& recorded)
{
    const QFileInfo file(coursePath(path));
    const QString folder = userFolder(user);
    if (user.folder().isEmpty() || !sameFolder(file.absolutePath(), folder) ||
        !isInsideFolder(folder, QDir::currentPath()) || !isRegularFile(file.filePath()) ||
        !isSoundFile(file.filePath()))
        return false;
    if (namedIn(file.filePath(), recorded))
        return true;
    return namedByRecordingRule(file.fileName(), user.name()) &&
           !otherUserCouldOwn(file.fileName(), folder, user, table);
}

bool deleteOwnRecording(const QString& path, const UserRecord& user, const UserTable& table,
                        const QStringList& recorded)
{
    if (!isOwnRecording(path, user, table, recorded) || !QFile::remove(coursePath(path)))
        return false;
    const QString timing = replaceLastThree(coursePath(path), QStringLiteral("txt"));
    if (isRegularFile(timing))
        QFile::remove(timing);
    return true;
}

void deleteUserFiles(const UserRecord& user, const UserTable& table)
{
    const QStringList recorded = recordingsNamedInProgress(user);
    const QString progress = coursePath(user.progressFile());
    if (isProgressFileToDelete(progress))
        QFile::remove(progress);
    const QString folder = userFolder(user);
    if (user.folder().isEmpty() || !isInsideFolder(folder, QDir::currentPath()))
        return;
    QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.wav")}, QDir::Files | QDir::Hidden))
        deleteOwnRecording(dir.filePath(name), user, table, recorded);
    // rmdir removes only an empty folder, and never follows a link.
    if (!QFileInfo(folder).isSymLink())
        dir.rmdir(dir.absolutePath());
}
