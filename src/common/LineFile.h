#pragma once

#include "common/CodePage.h"
#include "common/CourseError.h"

#include <QStringList>
#include <variant>

// Splits course text into lines: CR LF ends a line, and so does a lone LF or
// a lone CR (as old Mac editors save); a last line without a line end still
// counts, an empty line counts. The views point into `text`, which must
// outlive them.
QList<QStringView> courseLineViews(QStringView text);
// The lines end in CR alone: read alike, but not the course format.
bool hasOnlyCrLineEnds(QStringView text);
// The same lines as strings of their own.
QStringList splitCourseLines(const QString& text);

// Decodes the bytes of a course text file: UTF-8 when they begin with a UTF-8
// byte-order mark (a courtesy to authors who save from a modern editor),
// otherwise the given single-byte code page.
QString decodeCourseText(const QByteArray& bytes, CodePage page);

// Reads a whole course text file.
std::variant<QString, CourseError> readCourseText(const QString& path, CodePage page);

// Reads a whole course text file into lines.
std::variant<QStringList, CourseError> readCourseLines(const QString& path, CodePage page);

// Joins lines into course text: every line ended by CR LF, encoded in the code page.
// Empty when a line holds a character the code page cannot store.
std::optional<QByteArray> encodeCourseLines(const QStringList& lines, CodePage page);
