#include "support/TempCourse.h"

#include "common/LineFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TempCourse::TempCourse() : previous_(QDir::currentPath())
{
    EXPECT_TRUE(dir_.isValid());
    QDir::setCurrent(dir_.path());
}

TempCourse::~TempCourse()
{
    QDir::setCurrent(previous_);
}

void TempCourse::write(const QString& name, const QByteArray& bytes) const
{
    const QString full = filePath(name);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << full.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void TempCourse::writeLines(const QString& name, const QStringList& lines, bool cp1250) const
{
    const auto bytes = encodeCourseLines(lines, cp1250 ? CodePage::Cp1250 : CodePage::Cp1251);
    ASSERT_TRUE(bytes.has_value()) << "text not encodable: " << name.toStdString();
    write(name, *bytes);
}

QByteArray TempCourse::read(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString testDataPath(const QString& name)
{
    return QDir(QStringLiteral(TOLVAREN_TEST_DATA)).filePath(name);
}
