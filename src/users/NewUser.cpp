#include "users/NewUser.h"

#include "common/CodePage.h"
#include "common/CourseError.h"
#include "common/Paths.h"
#include "common/ShortString.h"
#include "users/ProgressFile.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int PathMax = 255;
// The longest entry number a recording name is expected to carry.
const QString LongestRecordingEnd = QStringLiteral("9999.wav");

bool storable(const QString& text)
{
    return encode(CodePage::Cp1251, text).has_value();
}

bool progressFileRefused(const QString& path)
{
    return QFileInfo::exists(path) && !hasProgressSignature(path);
}

// Checks beyond the classic twelve: what a record cannot store is refused
// instead of being cut into a different name or path.
std::optional<QString> checkStorable(const NewUserInput& input)
{
    if (!storable(input.name))
        return QStringLiteral("Имя пользователя содержит символы, которые нельзя сохранить.");
    if (!storable(input.password))
        return QStringLiteral("Пароль содержит символы, которые нельзя сохранить.");
    if (!storable(input.fileName))
        return QStringLiteral("Путь к файлу отчета содержит символы, которые нельзя сохранить.");
    // Code page 1251 stores one byte a character.
    const QString recording = folderOf(input.fileName) + input.name + LongestRecordingEnd;
    if (input.fileName.size() > PathMax || recording.size() > PathMax)
        return QStringLiteral("Путь к файлу отчета слишком длинный: путь к записям пользователя "
                              "не может превышать %1 символов.")
            .arg(PathMax);
    return std::nullopt;
}
} // namespace

bool nameKeyAccepted(int code)
{
    return code == 8 || (code >= 31 && code <= 127);
}

QString defaultReportFolder(const QString& currentFolder)
{
    return QDir::toNativeSeparators(currentFolder + QStringLiteral("/Report"));
}

QString defaultProgressPath(const QString& currentFolder, const QString& name)
{
    return QDir::toNativeSeparators(currentFolder + QStringLiteral("/Report/") + name +
                                    QLatin1Char('/') + name + QStringLiteral(".rep"));
}

QString browsedProgressPath(const QString& chosen)
{
    const QString path = QDir::toNativeSeparators(chosen);
    return path.contains(QLatin1Char('.')) ? path : path + QStringLiteral(".rep");
}

std::optional<QString> checkNewUser(const NewUserInput& input, const UserTable& table)
{
    const QString& name = input.name;
    if (table.indexOfName(name) >= 0)
        return QStringLiteral("Такое имя уже есть.");
    if (name.contains(QLatin1Char('.')))
        return QStringLiteral("Имя пользователя не может содержать точку.");
    if (name.contains(QLatin1Char('/')))
        return QStringLiteral("Имя пользователя не может содержать \"/\".");
    if (name.contains(QLatin1Char('\\')))
        return QStringLiteral("Имя пользователя не может содержать \"\\\".");
    if (name.contains(QLatin1Char(':')))
        return QStringLiteral("Имя пользователя не может содержать \":\".");
    if (name.isEmpty())
        return QStringLiteral("Не введено имя пользователя");
    if (name.size() > UserNameMax)
        return QStringLiteral("Имя пользователя не может превышать %1 символов").arg(UserNameMax);
    if (input.password != input.confirmation)
        return QStringLiteral("Не подтвержден пароль");
    if (input.password.size() > PasswordMax)
        return QStringLiteral("Длина пароля не может превышать %1 символов").arg(PasswordMax);
    if (table.indexOfProgressFile(input.fileName) >= 0)
        return QStringLiteral("Этот файл используется другим пользователем");
    if (input.fileName.isEmpty())
        return QStringLiteral("Не введено имя файла отчета");
    if (progressFileRefused(input.fileName))
        return QStringLiteral("Файл не является файлом отчета для данного приложения");
    return checkStorable(input);
}

QString storedProgressPath(const QString& path)
{
    const QString course = canonicalForm(QDir::currentPath());
    if (!isInsideFolder(path, course))
        return path;
    return QDir::toNativeSeparators(QDir(course).relativeFilePath(canonicalForm(path)));
}

UserRecord newUserRecord(const NewUserInput& input)
{
    UserRecord user = AnonymousUser();
    user.setName(cutShort(input.name, UserNameMax));
    user.setPassword(cutShort(input.password, PasswordMax));
    const QString stored = storedProgressPath(input.fileName);
    user.setProgressFile(stored);
    // A file right in the course folder: its recordings go beside it.
    const QString folder = folderOf(stored);
    user.setFolder(folder.isEmpty() ? QStringLiteral(".") + QDir::separator() : folder);
    user.setMode(input.mode);
    return user;
}

std::optional<QString> makeUserFolder(const UserRecord& user)
{
    // A record without a folder keeps its progress file in the current folder.
    if (user.folder().isEmpty() || QDir().mkpath(coursePath(user.folder())))
        return std::nullopt;
    return CourseError{user.folder(), 0, QStringLiteral("папку не удается создать")}.userText();
}

std::optional<QString> prepareUserFiles(const UserRecord& user)
{
    if (auto problem = makeUserFolder(user))
        return problem;
    auto blank = CreateProgress(user.mode());
    if (auto* error = std::get_if<CourseError>(&blank))
        return error->userText();
    if (auto error = WriteProgress(coursePath(user.progressFile()), std::get<ProgressTable>(blank)))
        return error->userText();
    return std::nullopt;
}
