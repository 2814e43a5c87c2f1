#include "users/NewUser.h"
#include "support/TempCourse.h"
#include "users/ProgressFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
UserTable tableWithIvan()
{
    UserTable table;
    UserRecord ivan = AnonymousUser();
    ivan.setName("Ivan");
    ivan.setProgressFile("/c/Report/Ivan/Ivan.rep");
    table.append(ivan);
    return table;
}

NewUserInput valid(const QString& name = "Olga")
{
    return {name, "pw", "pw", "/c/Report/" + name + "/" + name + ".rep", "B"};
}

QString messageFor(const NewUserInput& input)
{
    return checkNewUser(input, tableWithIvan()).value_or("passes");
}
} // namespace

TEST(NewUser, ChecksRunInOrderAndTellTheFirstFault)
{
    TempCourse course;
    course.write("other.txt", QByteArray(500, 'x'));
    NewUserInput input = valid();
    EXPECT_EQ(messageFor(input), "passes");

    // Every fault at once; fixing them one by one walks through the messages.
    input = {"Ivan", "12345678901", "x", "/c/Report/Ivan/Ivan.rep"};
    EXPECT_EQ(messageFor(input), QStringLiteral("Такое имя уже есть."));
    input.name = "I.v/a\\n:";
    EXPECT_EQ(messageFor(input), QStringLiteral("Имя пользователя не может содержать точку."));
    input.name = "Iv/a\\n:";
    EXPECT_EQ(messageFor(input), QStringLiteral("Имя пользователя не может содержать \"/\"."));
    input.name = "Iva\\n:";
    EXPECT_EQ(messageFor(input), QStringLiteral("Имя пользователя не может содержать \"\\\"."));
    input.name = "Ivan:";
    EXPECT_EQ(messageFor(input), QStringLiteral("Имя пользователя не может содержать \":\"."));
    input.name = "";
    EXPECT_EQ(messageFor(input), QStringLiteral("Не введено имя пользователя"));
    input.name = QString(31, QLatin1Char('n'));
    EXPECT_EQ(messageFor(input), QStringLiteral("Имя пользователя не может превышать 30 символов"));
    input.name = QString(30, QLatin1Char('n'));
    EXPECT_EQ(messageFor(input), QStringLiteral("Не подтвержден пароль"));
    input.confirmation = input.password;
    EXPECT_EQ(messageFor(input), QStringLiteral("Длина пароля не может превышать 10 символов"));
    input.password = input.confirmation = "1234567890";
    EXPECT_EQ(messageFor(input), QStringLiteral("Этот файл используется другим пользователем"));
    input.fileName = "";
    EXPECT_EQ(messageFor(input), QStringLiteral("Не введено имя файла отчета"));
    input.fileName = course.filePath("other.txt");
    EXPECT_EQ(messageFor(input),
              QStringLiteral("Файл не является файлом отчета для данного приложения"));
    input.fileName = course.filePath("new.rep");
    EXPECT_EQ(messageFor(input), "passes");
}

TEST(NewUser, EmptyPasswordAndNameDifferingOnlyInCaseAreAccepted)
{
    NewUserInput input = valid("ivan");
    input.password = input.confirmation = "";
    EXPECT_EQ(messageFor(input), "passes");
}

TEST(NewUser, ExistingFileIsTakenOverOnlyWhenItIsAProgressFile)
{
    TempCourse course;
    course.write("old.rep", ProgressTable(4).toBytes());
    course.write("tiny.rep", QByteArray(100, '\0'));
    NewUserInput input = valid();
    input.fileName = course.filePath("old.rep");
    EXPECT_EQ(messageFor(input), "passes");
    input.fileName = course.filePath("tiny.rep");
    EXPECT_EQ(messageFor(input),
              QStringLiteral("Файл не является файлом отчета для данного приложения"));
    input.fileName = course.path(); // a folder is no progress file either
    EXPECT_EQ(messageFor(input),
              QStringLiteral("Файл не является файлом отчета для данного приложения"));
}

TEST(NewUser, WhatARecordCannotStoreIsRefusedNotCut)
{
    NewUserInput input = valid();
    input.name = QStringLiteral("Olga№€");
    EXPECT_EQ(messageFor(input), "passes") << "both exist in code page 1251";
    input.name = QStringLiteral("Łukasz");
    EXPECT_EQ(messageFor(input),
              QStringLiteral("Имя пользователя содержит символы, которые нельзя сохранить."));
    input = valid();
    input.password = input.confirmation = QStringLiteral("Łk");
    EXPECT_EQ(messageFor(input),
              QStringLiteral("Пароль содержит символы, которые нельзя сохранить."));
    input = valid();
    input.fileName = QStringLiteral("/c/Łódź/Olga.rep");
    EXPECT_EQ(messageFor(input),
              QStringLiteral("Путь к файлу отчета содержит символы, которые нельзя сохранить."));
    input.fileName = "/" + QString(250, QLatin1Char('d')) + "/Olga.rep";
    EXPECT_TRUE(
        messageFor(input).startsWith(QStringLiteral("Путь к файлу отчета слишком длинный")));
    input.fileName = "/" + QString(200, QLatin1Char('d')) + "/Olga.rep";
    EXPECT_EQ(messageFor(input), "passes");
}

TEST(NewUser, NameKeysAndFileNames)
{
    EXPECT_TRUE(nameKeyAccepted(8));
    EXPECT_TRUE(nameKeyAccepted(31));
    EXPECT_TRUE(nameKeyAccepted('A'));
    EXPECT_TRUE(nameKeyAccepted(127));
    EXPECT_FALSE(nameKeyAccepted(13));
    EXPECT_FALSE(nameKeyAccepted(128));
    EXPECT_FALSE(nameKeyAccepted(0x0416)); // Cyrillic Zhe

    EXPECT_EQ(defaultProgressPath("/c", "Ivan"),
              QDir::toNativeSeparators("/c/Report/Ivan/Ivan.rep"));
    EXPECT_EQ(defaultReportFolder("/c"), QDir::toNativeSeparators("/c/Report"));
    EXPECT_EQ(browsedProgressPath("/home/u/progress"),
              QDir::toNativeSeparators("/home/u/progress.rep"));
    EXPECT_EQ(browsedProgressPath("/home/u.v/progress"),
              QDir::toNativeSeparators("/home/u.v/progress"));
}

TEST(NewUser, RecordIsACopyOfTheAnonymousUserWithTheInput)
{
    const UserRecord user = newUserRecord(valid());
    EXPECT_EQ(user.name(), "Olga");
    EXPECT_EQ(user.password(), "pw");
    EXPECT_EQ(user.mode(), "B");
    EXPECT_EQ(user.progressFile(), "/c/Report/Olga/Olga.rep");
    EXPECT_EQ(user.folder(), "/c/Report/Olga/");
    EXPECT_EQ(user.bytes().mid(555), QByteArray(5, '\0'));
}

TEST(NewUser, FilesAreMadeWithAMissingReportFolder)
{
    TempCourse course;
    course.writeLines("InitRegB.txt", {"a\t1\t0\t0\t\t0\t\t\t\t\t", "b\t1\t1\t0\t\t2\t\t\t\t\t"});
    const UserRecord user =
        newUserRecord({"Olga", "", "", defaultProgressPath(course.path(), "Olga"), "B"});
    EXPECT_FALSE(prepareUserFiles(user));
    EXPECT_EQ(course.read("Report/Olga/Olga.rep").size(), 3 * 264);

    UserRecord noCatalogue = user;
    noCatalogue.setMode("A");
    EXPECT_TRUE(prepareUserFiles(noCatalogue)) << "no InitRegA.txt to size the progress";
}
