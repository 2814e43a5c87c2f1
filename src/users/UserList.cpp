#include "users/UserList.h"

#include "common/AtomicFile.h"
#include "common/CodePage.h"
#include "common/FileProblems.h"
#include "common/FixedField.h"
#include "common/FreshRead.h"
#include "common/Paths.h"
#include "common/ShortString.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

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
    // One file may be spelt many ways: "\" or "/", relative or absolute, links.
    const QString canonical = canonicalForm(path);
    for (int i = 0; i < count(); ++i)
        if (canonicalForm(records_[i].progressFile()) == canonical)
            return i;
    return -1;
}

QByteArray UserTable::toBytes() const
{
    QByteArray bytes;
    bytes.reserve(count() * UserRecord::Size);
    for (const UserRecord& user : records_)
        bytes += user.bytes();
    return bytes + tail_;
}

UserTable UserTable::fromBytes(const QByteArray& bytes)
{
    UserTable table;
    qsizetype at = 0;
    for (; at + UserRecord::Size <= bytes.size(); at += UserRecord::Size)
        table.append(UserRecord::fromBytes(bytes.mid(at, UserRecord::Size)));
    table.tail_ = bytes.mid(at);
    return table;
}

namespace {
bool fieldIsText(const QByteArray& raw, int offset, int max)
{
    const int length = quint8(raw[offset]);
    if (length > max)
        return false;
    for (int i = 1; i <= length; ++i)
        if (quint8(raw[offset + i]) < 0x20)
            return false;
    return true;
}

QStringList damageWarnings(const UserTable& table, const QString& path)
{
    QStringList warnings;
    for (int i = 0; i < table.count(); ++i)
        if (const QString damage = recordDamage(table.at(i)); !damage.isEmpty())
            warnings << QStringLiteral("Запись %1 в списке пользователей \"%2\" повреждена (%3); "
                                       "она сохранена в списке как есть.")
                            .arg(i + 1)
                            .arg(path, damage);
    if (!table.tail().isEmpty())
        warnings << QStringLiteral("Список пользователей \"%1\" поврежден: последние %2 байт не "
                                   "составляют целой записи. Они сохранены в конце файла как есть.")
                        .arg(path)
                        .arg(table.tail().size());
    return warnings;
}
} // namespace

QString recordDamage(const UserRecord& user)
{
    const QByteArray& raw = user.bytes();
    if (!fieldIsText(raw, NameOffset, UserNameMax))
        return QStringLiteral("имя - не текст");
    if (!fieldIsText(raw, PasswordOffset, PasswordMax) ||
        !fieldIsText(raw, FolderOffset, PathMax) || !fieldIsText(raw, ProgressFileOffset, PathMax))
        return QStringLiteral("пароль или путь - не текст");
    if (!isModeLetter(user.mode()))
        return QStringLiteral("нет режима работы");
    return {};
}

UserListLoad LoadUserList(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).exists())
        return {};
    if (isSpecialFile(path))
        return {{}, CourseError{path, 0, SpecialFileText}, {}};
    const auto unreadable = [&file, &path] {
        return UserListLoad{
            {},
            CourseError{path, 0,
                        QStringLiteral("не удается прочитать список пользователей (%1)")
                            .arg(systemErrorText(errno, file.errorString()))},
            {}};
    };
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    const QByteArray bytes = readFresh(file);
    if (file.error() != QFileDevice::NoError)
        return unreadable();
    UserTable table = UserTable::fromBytes(bytes);
    QStringList warnings = damageWarnings(table, path);
    return {std::move(table), std::nullopt, std::move(warnings)};
}

std::optional<CourseError> WriteUserList(const UserTable& table, const QString& path)
{
    return writeFileAtomically(path, table.toBytes());
}
