#pragma once

#include <QStringList>

// What the command line asks for:
//   tolvaren [--no-splash] [COURSE_FOLDER] | --check COURSE_FOLDER | --help | --version
struct StartOptions {
    enum class Action { Run, Check, Help, Version };
    Action action = Action::Run;
    bool splash = true;
    QString courseFolder;
    QString error;
};

StartOptions parseStartOptions(const QStringList& arguments);

// What --help and --version print.
QString usageText();
QString versionText();

// A folder holds a course when all four catalogues are there: the program
// cannot start on fewer, and the demo copy writes them last, so a copy cut
// short is never taken for a course.
bool holdsCourse(const QString& folder);

// The places a course may come from, in the order they are tried.
struct CoursePlaces {
    QString commandLine;   // named on the command line; empty when none
    QString startFolder;   // the folder the program was started in
    QString remembered;    // the folder used last; may be gone since
    QString installedDemo; // the demo course as installed; empty when not installed
    QString userDemo;      // the student's own copy of the demo course
};

struct CourseChoice {
    QString folder;        // empty when there is no course anywhere
    bool copyDemo = false; // the installed demo course must first be copied to folder
};

CourseChoice chooseCourseFolder(const CoursePlaces& places);

// Copies a course folder, leaving files already at the target alone (a
// student's user list and progress in a half-restored copy survive), with the
// catalogues last. Returns false with a message for the user when it cannot.
bool copyCourse(const QString& from, const QString& to, QString* message);

// The places as this run sees them: the current user's settings, the demo
// course installed beside the program, the user's data folder.
CoursePlaces coursePlaces(const QString& commandLine);

// Picks this run's course folder (copying the demo course first when that is
// the choice), makes it the current folder before anything reads a file and
// remembers it for the next start. Returns false with a message for the user
// when there is no course to open.
bool openCourseFolder(const QString& commandLine, bool* demoCopied, QString* message);

// What the program says once, after it made the student's copy of the demo course.
QString demoCopiedText(const QString& folder);
