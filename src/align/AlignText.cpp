#include "align/AlignText.h"

#include "common/CodePage.h"
#include "common/FileProblems.h"
#include "common/LineFile.h"

#include <QFile>
#include <QStringConverter>

namespace {

// A file saved as UTF-8 without its mark: some byte above 0x7F and all of them
// in well-formed UTF-8 sequences, which a single-byte German text practically
// never is.
bool looksLikeUtf8(const QByteArray& bytes)
{
    bool high = false;
    for (char c : bytes)
        high = high || (static_cast<unsigned char>(c) & 0x80);
    if (!high)
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError() && !text.isEmpty();
}

// A Russian text read as code page 1250 turns into accented Central European
// letters that German does not use; a few of them in a loanword are fine.
bool lettersAreGerman(const QString& text)
{
    static const QString german = QStringLiteral("äöüÄÖÜßéÉèàç");
    int letters = 0;
    int foreign = 0;
    for (QChar c : text) {
        if (!c.isLetter())
            continue;
        ++letters;
        if (c.unicode() > 0x7F && !german.contains(c))
            ++foreign;
    }
    return foreign <= 3 || foreign * 10 < letters;
}

AlignLine alignLine(const QString& line, TextKind kind)
{
    switch (kind) {
    case TextKind::Lesson: {
        if (line.startsWith(u'#'))
            return {QString(), true, true};
        return {line, false, endsSentence(line)};
    }
    case TextKind::Statements:
        return {line.section(u'\t', 0, 0), false, true};
    case TextKind::Lexicon:
    case TextKind::Questions:
        break;
    }
    return {line, false, true};
}

} // namespace

std::variant<QList<AlignLine>, CourseError> parseAlignText(const QByteArray& bytes, TextKind kind,
                                                           bool germanLetters)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (!bytes.startsWith(bom) && looksLikeUtf8(bytes))
        return CourseError{QString(), 0,
                           QStringLiteral("текст сохранен в кодировке UTF-8, а нужна кодовая "
                                          "страница 1250 (или UTF-8 с меткой порядка байтов)")};
    const QString text = decodeCourseText(bytes, CodePage::Cp1250);
    if (germanLetters && !lettersAreGerman(text))
        return CourseError{QString(), 0,
                           QStringLiteral("в тексте буквы не немецкого языка: видимо, он сохранен "
                                          "не в кодовой странице 1250")};
    QList<AlignLine> lines;
    bool spoken = false;
    for (QStringView line : courseLineViews(text)) {
        lines.append(alignLine(line.toString(), kind));
        spoken = spoken || !lines.last().spoken.trimmed().isEmpty();
    }
    if (!spoken)
        return CourseError{QString(), 0, QStringLiteral("в тексте нет ни одной строки для речи")};
    return lines;
}

std::variant<QList<AlignLine>, CourseError> readAlignText(const QString& path, TextKind kind,
                                                          bool germanLetters)
{
    QFile file(path);
    if (isSpecialFile(path) || !file.open(QIODevice::ReadOnly))
        return CourseError{path, 0, UnreadableFileText};
    auto lines = parseAlignText(file.readAll(), kind, germanLetters);
    if (auto* error = std::get_if<CourseError>(&lines))
        error->file = path;
    return lines;
}

QByteArray timingFileBytes(const QList<AlignLine>& lines, const QList<AlignSegment>& segments)
{
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].heading)
            out += "#\t#";
        else
            out +=
                QByteArray::number(segments[i].begin) + '\t' + QByteArray::number(segments[i].end);
        out += "\r\n";
    }
    return out;
}
