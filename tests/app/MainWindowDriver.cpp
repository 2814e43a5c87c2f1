#include "MainWindowDriver.h"
#include "support/TempCourse.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

void showMainWindow(TFormMain& main)
{
    QSignalSpy finished(&main, &TFormMain::startupFinished);
    main.show();
    EXPECT_TRUE(finished.wait(5000)) << "the first show did not finish";
}

QTreeWidgetItem* nodeOfEntry(const TFormMain& main, int entry)
{
    for (QTreeWidgetItemIterator it(treeOf(main)); *it; ++it)
        if ((*it)->data(0, TFormMain::EntryRole).toInt() == entry)
            return *it;
    ADD_FAILURE() << "no node for entry " << entry;
    return nullptr;
}

TreeImage imageOfEntry(const TFormMain& main, int entry)
{
    // A missing node has failed the test already.
    const QTreeWidgetItem* item = nodeOfEntry(main, entry);
    return item ? TreeImage(item->data(0, TFormMain::ImageRole).toInt()) : TreeImage::Heading;
}

QString builtDemoCourse()
{
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../course/demo"));
}

bool builtDemoCourseReady()
{
    if (QFileInfo::exists(QDir(builtDemoCourse()).filePath("InitRegD.txt")))
        return true;
    if (qEnvironmentVariableIsSet("TOLVAREN_DEMO_REQUIRED"))
        ADD_FAILURE() << "the demo course is missing: " << builtDemoCourse().toStdString();
    return false;
}

void copyBuiltDemoCourse(const TempCourse& course)
{
    const QDir demo(builtDemoCourse());
    for (const QString mode : {"A", "B", "C", "D"})
        QFile::copy(demo.filePath("InitReg" + mode + ".txt"),
                    course.filePath("InitReg" + mode + ".txt"));
    QDirIterator files(demo.filePath("DataTest"), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString from = files.next();
        const QString to = course.filePath(demo.relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).path());
        QFile::copy(from, to);
    }
}
