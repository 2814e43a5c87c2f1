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

// The path in a form two spellings of the same file share: absolute, with
// symbolic links and "." and ".." resolved as far as the path exists (a file not
// yet made keeps its name below its existing folder). Both separators work.
QString canonicalForm(const QString& path);

// True when the path lies inside the folder (at any depth), in canonical form.
bool isInsideFolder(const QString& path, const QString& folder);
