#pragma once

#include <QString>

// Names inside course files may use "\" or "/"; both separate folders on every
// platform. The result uses the platform's own separator.
QString coursePath(const QString& name);

// The folder part of a path: everything up to and including its last separator
// ("\" or "/"); empty when there is none.
QString folderOf(const QString& path);

// The name with its last three characters replaced (recording.wav -> recording.txt).
QString replaceLastThree(const QString& name, const QString& ending);
