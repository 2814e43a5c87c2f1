#pragma once

#include <QStringList>

// What the command line asks for: tolvaren [--no-splash] [COURSE_FOLDER]
struct StartOptions {
    bool splash = true;
    QString courseFolder;
    QString error;
};

StartOptions parseStartOptions(const QStringList& arguments);

// Makes the course folder the current folder, before anything reads a file.
// Returns false (with a message for the user) when it cannot.
bool enterCourseFolder(const QString& folder, QString* message);
