#include "users/UserList.h"

#include "common/AtomicFile.h"
#include "common/CodePage.h"
#include "common/FixedField.h"
#include "common/ShortString.h"

#include <QFile>

namespace {
constexpr int NameOffset = 0;
constexpr int ModeOffset = 31;
constexpr int PasswordOffset = 32;
constexpr int FolderOffset = 43;
constexpr int ProgressFileOffset = 299;
constexpr int PathMax = 255;
} // namespace

UserRecord::UserRecord() : raw_(Size, '\0') {}

UserRecord UserRecord::fromBytes(const QByteArray& bytes)
{
    UserRecord record;
    std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), Size), record.raw_.begin());
    return record;
}

QString UserRecord::name() const
{
    return FixedField::read(raw_, NameOffset, UserNameMax);
}

QString UserRecord::mode() const
{
    if (raw_[ModeOffset] == '\0')
        return {};
    return decode(CodePage::Cp1251, QByteArrayView(raw_).sliced(ModeOffset, 1));
}

QString UserRecord::password() const
{
    return FixedField::read(raw_, PasswordOffset, PasswordMax);
}

QString UserRecord::folder() const
{
    return FixedField::read(raw_, FolderOffset, PathMax);
}

QString UserRecord::progressFile() const
{
    return FixedField::read(raw_, ProgressFileOffset, PathMax);
}

bool UserRecord::setName(const QString& name)
{
    return FixedField::write(raw_, NameOffset, UserNameMax, name);
}

bool isModeLetter(const QString& letter)
{
    return letter.size() == 1 && letter[0] >= QLatin1Char('A') && letter[0] <= QLatin1Char('D');
}

bool UserRecord::setMode(const QString& letter)
{
    if (!isModeLetter(letter))
        return false;
    raw_[ModeOffset] = char(letter[0].unicode());
    return true;
}

bool UserRecord::setPassword(const QString& password)
{
    return FixedField::write(raw_, PasswordOffset, PasswordMax, password);
}

bool UserRecord::setFolder(const QString& folder)
{
    return FixedField::write(raw_, FolderOffset, PathMax, folder);
}

bool UserRecord::setProgressFile(const QString& path)
{
    return FixedField::write(raw_, ProgressFileOffset, PathMax, path);
}

UserRecord AnonymousUser()
{
    UserRecord user;
    user.setName(QStringLiteral("Анонимный пользователь"));
    user.setMode(QStringLiteral("D"));
    return user;
}

QString userRowText(const UserRecord& user)
{
    return user.name() + QStringLiteral(" - Режим ") + user.mode();
}

int UserTable::indexOfName(const QString& name) const
{
    for (int i = 0; i < count(); ++i)
        if (records_[i].name() == name)
            return i;
    return -1;
}

int UserTable::indexOfProgressFile(const QString& path) const
{
    for (int i = 0; i < count(); ++i)
        if (records_[i].progressFile() == path)
            return i;
    return -1;
}

QByteArray UserTable::toBytes() const
{
    QByteArray bytes;
    bytes.reserve(count() * UserRecord::Size);
    for (const UserRecord& user : records_)
        bytes += user.bytes();
    return bytes;
}

UserTable UserTable::fromBytes(const QByteArray& bytes)
{
    UserTable table;
    for (qsizetype at = 0; at + UserRecord::Size <= bytes.size(); at += UserRecord::Size)
        table.append(UserRecord::fromBytes(bytes.mid(at, UserRecord::Size)));
    return table;
}

UserListLoad LoadUserList(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {{},
                CourseError{path, 0,
                            QStringLiteral("не удается прочитать список пользователей (%1)")
                                .arg(file.errorString())}};
    return {UserTable::fromBytes(file.readAll()), std::nullopt};
}

std::optional<CourseError> WriteUserList(const UserTable& table, const QString& path)
{
    return writeFileAtomically(path, table.toBytes());
}
