#pragma once

#include "app/FormMain.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

class TempCourse;

// Shows the main window and waits until its first show has finished.
void showMainWindow(TFormMain& main);

// A part of the main window by its object name, which is its member's name;
// nullptr (and a test failure) when there is none.
template <class T> T* part(const TFormMain& main, const char* name)
{
    T* found = main.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << "the main window has no " << name;
    return found;
}

inline QTreeWidget* treeOf(const TFormMain& main)
{
    return part<QTreeWidget>(main, "TreeView");
}

// The tree node of a catalogue entry; nullptr (and a test failure) when there is none.
QTreeWidgetItem* nodeOfEntry(const TFormMain& main, int entry);

// The picture a node shows.
TreeImage imageOfEntry(const TFormMain& main, int entry);

// The demo course the build makes (tests/course/demo beside this test's folder).
QString builtDemoCourse();
// True when the demo course is there. Otherwise the test is skipped, or fails
// when the run asks for the demo course (TOLVAREN_DEMO_REQUIRED).
bool builtDemoCourseReady();
// Copies what the program reads of the demo course; the shared copy stays untouched.
void copyBuiltDemoCourse(const TempCourse& course);
