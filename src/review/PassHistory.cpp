#include "review/PassHistory.h"

#include "common/AtomicFile.h"
#include "common/FileProblems.h"
#include "common/PassHistoryName.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {
const QByteArray Signature(PassHistorySignature);
constexpr int FieldCount = 11;
const QString DateForm = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QString lagField(const std::optional<qint32>& lag)
{
    return lag ? QString::number(*lag) : QStringLiteral("-");
}

std::optional<std::optional<qint32>> readLag(const QString& field)
{
    if (field == u'-')
        return std::optional<qint32>();
    bool ok = false;
    const qint32 lag = field.toInt(&ok);
    return ok && lag >= 0 ? std::optional<std::optional<qint32>>(lag) : std::nullopt;
}

// A tab or a line end inside a name would split the line.
QString field(QString text)
{
    return text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
}

QString recordLine(const PassRecord& r)
{
    return QStringList{r.when.toString(DateForm),
                       QString::number(r.exercise.kind),
                       field(r.exercise.text),
                       field(r.recording),
                       QString::number(r.recordingStamp),
                       QString::number(r.lessonMs),
                       QString::number(r.speakingMs),
                       QString::number(r.pauseCount),
                       QString::number(r.pauseMs),
                       lagField(r.medianLag),
                       lagField(r.largestLag)}
        .join(u'\t');
}

// The numbers of a line in order; nothing when one is not a number >= 0.
std::optional<QList<qint64>> numbers(const QStringList& fields, QList<int> columns)
{
    QList<qint64> values;
    for (int column : columns) {
        bool ok = false;
        values.append(fields[column].toLongLong(&ok));
        if (!ok || values.last() < 0)
            return std::nullopt;
    }
    return values;
}

std::optional<PassRecord> parseLine(const QString& line)
{
    const QStringList fields = line.split(u'\t');
    if (fields.size() != FieldCount)
        return std::nullopt;
    const auto n = numbers(fields, {1, 4, 5, 6, 7, 8});
    const auto median = readLag(fields[9]);
    const auto largest = readLag(fields[10]);
    PassRecord r;
    r.when = QDateTime::fromString(fields[0], DateForm);
    if (!n || !median || !largest || !r.when.isValid())
        return std::nullopt;
    r.exercise = {int((*n)[0]), fields[2]};
    r.recording = fields[3];
    r.recordingStamp = (*n)[1];
    r.lessonMs = qint32((*n)[2]);
    r.speakingMs = qint32((*n)[3]);
    r.pauseCount = int((*n)[4]);
    r.pauseMs = qint32((*n)[5]);
    r.medianLag = *median;
    r.largestLag = *largest;
    return r;
}

PassHistory parseHistory(const QString& path, const QByteArray& bytes)
{
    PassHistory history;
    history.exists = true;
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.first().trimmed() != Signature) {
        history.problems.append({path, 1,
                                 QStringLiteral("это не история проходов: нет её "
                                                "первой строки")});
        return history;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty())
            continue;
        if (const auto record = parseLine(line))
            history.records.append(*record);
        else
            history.problems.append({path, int(i + 1), QStringLiteral("строка повреждена")});
    }
    return history;
}
} // namespace

PassRecord passRecord(const PassFigures& figures)
{
    PassRecord record;
    record.lessonMs = figures.lessonMs;
    record.speakingMs = figures.speakingMs;
    record.pauseCount = figures.pauseCount;
    record.pauseMs = figures.pauseMs;
    record.medianLag = figures.medianLag;
    record.largestLag = figures.largestLag;
    return record;
}

PassHistory readPassHistory(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    if (isSpecialFile(path))
        return {{}, {{path, 0, SpecialFileText}}, true};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, {{path, 0, UnreadableFileText}}, true};
    return parseHistory(path, file.readAll());
}

std::optional<CourseError> appendPass(const QString& path, const PassRecord& record)
{
    const PassHistory history = readPassHistory(path);
    if (!history.problems.isEmpty())
        return CourseError{path, 0,
                           QStringLiteral("файл не читается целиком, и он не будет перезаписан")};
    QByteArray bytes = Signature + '\n';
    for (const PassRecord& old : history.records)
        bytes += recordLine(old).toUtf8() + '\n';
    bytes += recordLine(record).toUtf8() + '\n';
    return writeFileAtomically(path, bytes);
}

QList<PassRecord> passesOf(const QList<PassRecord>& records, const PassExercise& exercise)
{
    QList<PassRecord> passes;
    for (const PassRecord& record : records)
        if (record.exercise == exercise)
            passes.append(record);
    return passes;
}

QString figuresText(const PassRecord& record, qsizetype silentTurns)
{
    QStringList lines;
    lines << QStringLiteral("Речь: %1 из %2 (%3 %)")
                 .arg(secondsText(record.speakingMs), secondsText(record.lessonMs))
                 .arg(qRound(record.speakingShare() * 100));
    lines << QStringLiteral("Паузы длиннее 0,5 с: %1, всего %2")
                 .arg(record.pauseCount)
                 .arg(secondsText(record.pauseMs));
    if (record.medianLag)
        lines << QStringLiteral("Отставание: медиана %1, наибольшее %2")
                     .arg(secondsText(*record.medianLag), secondsText(*record.largestLag));
    else
        lines << QStringLiteral("Отставание: речи в записи не найдено");
    if (silentTurns > 0 && record.medianLag)
        lines << QStringLiteral("Синтагм без перевода: %1").arg(silentTurns);
    return lines.join(u'\n');
}

QString figuresText(const PassFigures& figures)
{
    return figuresText(passRecord(figures),
                       std::count(figures.lags.begin(), figures.lags.end(), std::nullopt));
}
