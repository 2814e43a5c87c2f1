#pragma once

#include "common/CourseError.h"

#include <QByteArray>
#include <optional>

// Writes the whole file through a temporary file in the same folder, flushed to
// the disk and then renamed over the old one: a crash or a full disk leaves the
// old file as it was, never half a file. Returns the error, if any.
std::optional<CourseError> writeFileAtomically(const QString& path, const QByteArray& bytes);
