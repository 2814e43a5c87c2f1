#include "users/UserList.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
// A record as an older program or another edition may have left it: garbage
// after every string and non-zero reserved bytes.
QByteArray messyRecord(const QByteArray& name, char mode, const QByteArray& password)
{
    QByteArray raw(UserRecord::Size, '\x5A');
    raw[0] = char(name.size());
    raw.replace(1, name.size(), name);
    raw[31] = mode;
    raw[32] = char(password.size());
    raw.replace(33, password.size(), password);
    const QByteArray folder = "C:\\Report\\" + name + "\\";
    raw[43] = char(folder.size());
    raw.replace(44, folder.size(), folder);
    const QByteArray file = folder + name + ".rep";
    raw[299] = char(file.size());
    raw.replace(300, file.size(), file);
    raw.replace(555, 5, "\x01\x02\x03\x04\x05");
    return raw;
}
} // namespace

TEST(UserList, ThreeMessyUsersReadAndWrittenUnchangedAreByteIdentical)
{
    TempCourse course;
    const QByteArray original = messyRecord("Ivan", 'C', "pw") +
                                messyRecord("\xCE\xEB\xFF", 'A', "") +
                                messyRecord("Max", 'D', "0123456789");
    course.write("Users.eng", original);

    UserListLoad load = LoadUserList();
    ASSERT_FALSE(load.error);
    ASSERT_EQ(load.table.count(), 3);
    EXPECT_EQ(load.table.at(0).name(), "Ivan");
    EXPECT_EQ(load.table.at(0).mode(), "C");
    EXPECT_EQ(load.table.at(0).password(), "pw");
    EXPECT_EQ(load.table.at(0).folder(), "C:\\Report\\Ivan\\");
    EXPECT_EQ(load.table.at(0).progressFile(), "C:\\Report\\Ivan\\Ivan.rep");
    EXPECT_EQ(load.table.at(1).name(), QStringLiteral("Оля"));
    EXPECT_EQ(load.table.at(1).password(), "");
    EXPECT_EQ(load.table.at(2).password(), "0123456789");

    ASSERT_FALSE(WriteUserList(load.table));
    EXPECT_EQ(course.read("Users.eng"), original);
}

TEST(UserList, ChangingAFieldKeepsTheBytesAroundIt)
{
    UserRecord user = UserRecord::fromBytes(messyRecord("Ivan", 'C', "secret"));
    ASSERT_TRUE(user.setPassword("ab"));
    QByteArray expected = messyRecord("Ivan", 'C', "secret");
    expected[32] = 2;
    expected[33] = 'a';
    expected[34] = 'b';
    EXPECT_EQ(user.bytes(), expected);
}

TEST(UserList, FieldsRefuseWhatTheyCannotHold)
{
    UserRecord user = AnonymousUser();
    const QByteArray before = user.bytes();
    EXPECT_FALSE(user.setName(QString(31, QLatin1Char('x'))));
    EXPECT_FALSE(user.setPassword("12345678901"));
    EXPECT_FALSE(user.setProgressFile(QString(256, QLatin1Char('p'))));
    EXPECT_FALSE(user.setName(QStringLiteral("日本")));
    EXPECT_FALSE(user.setMode("E"));
    EXPECT_EQ(user.bytes(), before);
    EXPECT_TRUE(user.setName(QString(30, QLatin1Char('x'))));
    EXPECT_TRUE(user.setPassword("1234567890"));
}

TEST(UserList, AnonymousUserAndRowText)
{
    const UserRecord anonymous = AnonymousUser();
    EXPECT_EQ(anonymous.name(), QStringLiteral("Анонимный пользователь"));
    EXPECT_EQ(anonymous.mode(), "D");
    EXPECT_TRUE(anonymous.password().isEmpty());
    EXPECT_TRUE(anonymous.progressFile().isEmpty());
    EXPECT_EQ(anonymous.bytes().mid(555), QByteArray(5, '\0'));

    UserRecord ivan = anonymous;
    ivan.setName("Ivan");
    ivan.setMode("C");
    EXPECT_EQ(userRowText(ivan), QStringLiteral("Ivan - Режим C"));
}

TEST(UserList, MissingFileIsAnEmptyListAndWritesZeroBytes)
{
    TempCourse course;
    UserListLoad load = LoadUserList();
    EXPECT_FALSE(load.error);
    EXPECT_EQ(load.table.lastIndex(), -1);
    ASSERT_FALSE(WriteUserList(load.table));
    EXPECT_TRUE(QFile::exists(course.filePath("Users.eng")));
    EXPECT_EQ(course.read("Users.eng").size(), 0);
}

TEST(UserList, TableGrowsBeyondFiftyNewUsers)
{
    TempCourse course;
    course.write("Users.eng", messyRecord("First", 'A', ""));
    UserTable table = LoadUserList().table;
    for (int i = 0; i < 120; ++i) {
        UserRecord user = AnonymousUser();
        user.setName(QStringLiteral("User%1").arg(i));
        table.append(user);
    }
    ASSERT_FALSE(WriteUserList(table));
    UserTable again = LoadUserList().table;
    ASSERT_EQ(again.count(), 121);
    EXPECT_EQ(again.at(120).name(), "User119");
    EXPECT_EQ(again.indexOfName("User7"), 8);
}

TEST(UserList, DamageIsToldAndItsBytesAreKept)
{
    TempCourse course;
    QByteArray notText = messyRecord("Ivan", 'B', "");
    notText[2] = '\x01';
    const QByteArray noMode = messyRecord("Olga", '\0', "");
    const QByteArray tail(100, 'x');
    course.write("Users.eng", messyRecord("Max", 'B', "") + notText + noMode + tail);

    UserListLoad load = LoadUserList();
    EXPECT_EQ(load.table.count(), 3) << "a piece shorter than a record is no user";
    ASSERT_EQ(load.warnings.size(), 3);
    EXPECT_TRUE(load.warnings[0].contains(QStringLiteral("Запись 2")));
    EXPECT_TRUE(load.warnings[1].contains(QStringLiteral("Запись 3")));
    EXPECT_TRUE(load.warnings[2].contains("100"));
    for (const QString& warning : load.warnings)
        EXPECT_TRUE(warning.contains("Users.eng"));

    UserRecord user = AnonymousUser();
    user.setName("Anna");
    load.table.append(user);
    ASSERT_FALSE(WriteUserList(load.table));
    const QByteArray written = course.read("Users.eng");
    EXPECT_EQ(written.right(100), tail) << "the damaged end stays last, after whole records";
    EXPECT_EQ(written.mid(3 * 560, 560), user.bytes());
    EXPECT_EQ(LoadUserList().table.count(), 4);
}

TEST(UserList, APipeIsRefusedWithoutWaitingForAWriter)
{
    TempCourse course;
    ASSERT_EQ(mkfifo(QFile::encodeName(course.filePath("Users.eng")).constData(), 0600), 0);
    UserListLoad load = LoadUserList(); // would block forever if opened
    ASSERT_TRUE(load.error);
    EXPECT_TRUE(load.error->userText().contains(QStringLiteral("не обычный файл")));
}

TEST(UserList, ExistingButUnreadableFileIsAnError)
{
    TempCourse course;
    QDir().mkdir(course.filePath("Users.eng"));
    UserListLoad load = LoadUserList();
    ASSERT_TRUE(load.error);
    EXPECT_TRUE(load.error->userText().contains("Users.eng"));
    EXPECT_TRUE(load.table.isEmpty());
}
