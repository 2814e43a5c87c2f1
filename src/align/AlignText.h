#pragma once

#include "common/CourseError.h"

#include <QList>
#include <QString>
#include <variant>

// Which course file the text is: its lines are spoken differently.
enum class TextKind { Lesson, Lexicon, Questions, Statements };

// One line of the text as the timing file will hold it.
struct AlignLine {
    // What the recording speaks of the line; empty for a heading or a line
    // with nothing spoken.
    QString spoken;
    // A lesson heading: its timing line is "#\t#".
    bool heading = false;
    // The recording pauses after it: the line ends a sentence of the lesson,
    // or is a word, a question or a statement of its own.
    bool endsSentence = true;
};

// A lesson line that closes a sentence: it ends in ".", "!", "?" or "…".
// Inline, since the course check in the program uses it without the module.
inline bool endsSentence(const QString& line)
{
    const QString end = line.trimmed();
    return !end.isEmpty() && QStringLiteral(".!?…").contains(end.back());
}

// Reads the text an author aligns. A lesson's "#" lines are headings; a
// statement line speaks what stands before its first TAB; lexicon and
// question lines are spoken whole. `germanLetters` refuses a text whose letters
// show it was saved in another code page than 1250 (a Russian text, say),
// which only makes sense when the reference voice speaks German.
std::variant<QList<AlignLine>, CourseError> readAlignText(const QString& path, TextKind kind,
                                                          bool germanLetters);

// The same, from the file's bytes.
std::variant<QList<AlignLine>, CourseError> parseAlignText(const QByteArray& bytes, TextKind kind,
                                                           bool germanLetters);

// The timing file of the lines: begin TAB end in milliseconds per line, a
// heading as "#\t#", every line ended by CR LF. `segments` holds one entry per
// line; a heading's entry is ignored.
struct AlignSegment {
    qint64 begin = 0;
    qint64 end = 0;
};
QByteArray timingFileBytes(const QList<AlignLine>& lines, const QList<AlignSegment>& segments);
