#pragma once

#include <QString>

// Why a file could not be read or written, in Russian words for the student.

// A pipe, a device or a socket where a course or student file should be: opening
// one for reading waits for a writer or reads an endless stream, so such a file
// is refused before it is opened. A missing file or a folder is not special.
bool isSpecialFile(const QString& path);
inline const QString SpecialFileText =
    QStringLiteral("это не обычный файл (канал или устройство), он не читается");

// The reason behind a failed system call (errno), in Russian; fallback is the
// system's own text for the rarer causes.
QString systemErrorText(int code, const QString& fallback);
