#pragma once

#include "common/CourseError.h"

#include <QList>
#include <QString>

// The folder of the exercise and description files, inside the course folder.
inline const QString CourseDataFolder = QStringLiteral("DataTest\\");

// What checking a course found: every problem, in the order the catalogues
// name the files (a problem inside a file once, however many entries name it),
// and how many catalogue lines and files were looked at.
struct CourseCheckResult {
    QList<CourseError> problems;
    // Doubts that are no faults (a timing boundary between sentences in the
    // middle of speech); they count for nothing.
    QList<CourseError> warnings;
    int entries = 0;
    int files = 0;
};

// Reads the four catalogues of the course folder and every file they name with
// the program's own readers, and looks for what would make the program stumble:
// missing files, lines of the wrong shape, timings that do not match the text or
// the recording, pictures and descriptions that do not read, characters outside
// a file's code page. Only reads: nothing in the folder is written or touched.
CourseCheckResult checkCourse(const QString& folder);

// "file:line: what", the file relative to the course folder; a problem not tied
// to a line gives "file: what".
QString problemLine(const CourseError& problem, const QString& folder);

// The closing line of a check.
QString checkSummary(const CourseCheckResult& result);
