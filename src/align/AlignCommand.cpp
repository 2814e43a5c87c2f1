#include "align/AlignCommand.h"

#include "align/AlignText.h"
#include "align/Aligner.h"
#include "align/SoundInput.h"
#include "common/AtomicFile.h"

#include <QFileInfo>
#include <cstdio>
#include <map>

namespace {

constexpr double ProgressFromSeconds = 60.0;

struct AlignRequest {
    TextKind kind = TextKind::Lesson;
    QString voice = QStringLiteral("de");
    bool force = false;
    QStringList files; // recording, text and, optionally, the timing file
    QString error;
};

AlignRequest parseRequest(const QStringList& arguments)
{
    static const std::map<QString, TextKind> kinds{
        {QStringLiteral("lesson"), TextKind::Lesson},
        {QStringLiteral("lexicon"), TextKind::Lexicon},
        {QStringLiteral("questions"), TextKind::Questions},
        {QStringLiteral("statements"), TextKind::Statements}};
    AlignRequest request;
    for (qsizetype i = 0; i < arguments.size() && request.error.isEmpty(); ++i) {
        const QString& a = arguments[i];
        const bool valued = a == u"--kind" || a == u"--voice";
        if (valued && i + 1 == arguments.size())
            request.error = QStringLiteral("после %1 нужно значение").arg(a);
        else if (a == u"--kind" && !kinds.contains(arguments[i + 1]))
            request.error = QStringLiteral("неизвестный вид текста \"%1\"").arg(arguments[i + 1]);
        else if (a == u"--kind")
            request.kind = kinds.at(arguments[++i]);
        else if (a == u"--voice")
            request.voice = arguments[++i];
        else if (a == u"--force")
            request.force = true;
        else if (a.startsWith(u"--"))
            request.error = QStringLiteral("неизвестный параметр %1").arg(a);
        else
            request.files.append(a);
    }
    if (request.error.isEmpty() && (request.files.size() < 2 || request.files.size() > 3))
        request.error = QStringLiteral("нужны запись, текст и, если нужно, файл разметки");
    return request;
}

// Where the messages go: the standard error, or a list a test reads.
class Messages {
public:
    explicit Messages(QStringList* lines) : lines_(lines) {}
    void say(const QString& line) const
    {
        if (lines_)
            lines_->append(line);
        else
            std::fputs(qPrintable(line + u'\n'), stderr);
    }

private:
    QStringList* lines_;
};

void showProgress(double share)
{
    constexpr int Width = 40;
    const int done = int(share * Width);
    std::fprintf(stderr, "\r[%s%s] %3d%%", QByteArray(done, '#').constData(),
                 QByteArray(Width - done, ' ').constData(), int(share * 100));
    if (share >= 1.0)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

int refuse(const Messages& messages, const CourseError& problem)
{
    messages.say(problem.userText());
    return 2;
}

int writeTiming(const AlignRequest& request, const QByteArray& bytes, const Messages& messages)
{
    if (request.files.size() < 3) {
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
        return 0;
    }
    if (const auto problem = writeFileAtomically(request.files[2], bytes))
        return refuse(messages, *problem);
    return 0;
}

} // namespace

QString alignUsage()
{
    return QStringLiteral("tolvaren --align [--kind lesson|lexicon|questions|statements] "
                          "[--voice ГОЛОС] [--force] ЗАПИСЬ ТЕКСТ [РАЗМЕТКА]");
}

int runAlignCommand(const QStringList& arguments, QStringList* messageLines)
{
    const Messages messages(messageLines);
    const AlignRequest request = parseRequest(arguments);
    if (!request.error.isEmpty()) {
        messages.say(request.error + QStringLiteral("\nВызов: ") + alignUsage());
        return 2;
    }
    const QString& soundPath = request.files[0];
    const QString& textPath = request.files[1];
    if (request.files.size() == 3 && !request.force && QFileInfo::exists(request.files[2]))
        return refuse(messages,
                      {request.files[2], 0,
                       QStringLiteral("файл уже есть; чтобы заменить его, добавьте --force")});
    const bool german = request.voice.startsWith(u"de");
    const auto lines = readAlignText(textPath, request.kind, german);
    if (const auto* problem = std::get_if<CourseError>(&lines))
        return refuse(messages, *problem);
    AlignOptions options;
    options.voice = request.voice;
    // The bar is for a person at the terminal, not for a caller reading the messages.
    if (!messageLines && recordingSeconds(soundPath) > ProgressFromSeconds)
        options.progress = showProgress;
    const auto recording = analyseRecording(soundPath, options.progress);
    if (const auto* problem = std::get_if<CourseError>(&recording))
        return refuse(messages, *problem);
    const Analysis& sound = std::get<Analysis>(recording);
    const AlignResult result = alignRecording(sound, std::get<QList<AlignLine>>(lines), options);
    if (!result.refusal.isEmpty())
        return refuse(messages, {soundPath, 0, result.refusal});
    if (const int written = writeTiming(
            request, timingFileBytes(std::get<QList<AlignLine>>(lines), result.segments), messages))
        return written;
    for (int line : result.doubtful)
        messages.say(
            QStringLiteral("%1:%2: граница строки сомнительна: рядом с ней в записи нет паузы")
                .arg(textPath)
                .arg(line));
    return result.doubtful.isEmpty() ? 0 : 1;
}
