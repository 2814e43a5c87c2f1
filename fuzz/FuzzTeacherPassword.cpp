// The teacher's password read back from a settings file of any bytes: the
// reading gives a password (perhaps empty) and never fails, and that password
// stored again reads back the same, in a file its owner alone may read. A file
// with lines Qt cannot parse is no reason to say the password was not stored.
#include "FuzzSupport.h"
#include "users/TeacherPassword.h"

#include <QDateTime>
#include <QDir>
#include <QSettings>

namespace {
QString settingsFolder()
{
    static const QTemporaryDir dir;
    return dir.path();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder());
    QDir(settingsFolder()).mkpath(QStringLiteral("Quillfern"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = settingsFolder() + QStringLiteral("/Quillfern/TolvarenDemo.conf");
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        check(file.write(fuzzBytes(data, qsizetype(size))) == qint64(size));
        // Settings are cached by the file's time and size: every input is a new file.
        static qint64 second = 0;
        check(file.setFileTime(QDateTime::fromSecsSinceEpoch(++second),
                               QFileDevice::FileModificationTime));
    }
    const QString password = storedTeacherPassword();
    const std::optional<QString> fault = storeTeacherPassword(password);
    check(!fault);
    check(storedTeacherPassword() == password);
    check(QFile::permissions(path) ==
          (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser));
    return 0;
}
