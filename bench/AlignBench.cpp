// Aligning a long lesson: CPU time against the recording's length, and the
// peak memory of the process.
//
// Usage: align_bench MINUTES
// Makes a lesson of about 100 s with tests/align/make_speech.py (another voice,
// pauses, reverberation and noise) and lays it end to end, text and
// recording, until it lasts MINUTES; then aligns it once on one core.
#include "align/AlignCommand.h"
#include "align/SoundInput.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The lesson laid end to end `copies` times, recording and text.
bool lengthen(const QTemporaryDir& dir, int copies)
{
    QStringList arguments;
    QFile piece(dir.filePath("text.txt"));
    QFile text(dir.filePath("long.txt"));
    if (!piece.open(QIODevice::ReadOnly) || !text.open(QIODevice::WriteOnly))
        return false;
    const QByteArray lines = piece.readAll();
    for (int i = 0; i < copies; ++i) {
        arguments << dir.filePath("speech.wav");
        text.write(lines);
    }
    return QProcess::execute("sox", arguments << dir.filePath("long.wav")) == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
    QTemporaryDir dir;
    if (QProcess::execute("python3", {TOLVAREN_MAKE_SPEECH, "lesson", dir.path()}) != 0)
        return 1;
    const double pieceSeconds = recordingSeconds(dir.filePath("speech.wav"));
    const int copies = std::max(1, int(minutes * 60.0 / std::max(pieceSeconds, 1.0) + 0.5));
    if (pieceSeconds <= 0.0 || !lengthen(dir, copies))
        return 1;
    const double memoryBefore = peakMiB();
    const double start = cpuSeconds();
    QStringList messages;
    const int status = runAlignCommand(
        {dir.filePath("long.wav"), dir.filePath("long.txt"), dir.filePath("long.tim")}, &messages);
    const double cpu = cpuSeconds() - start;
    const double seconds = recordingSeconds(dir.filePath("long.wav"));
    std::printf("recording about %.0f s (%d copies), exit status %d\n", seconds, copies, status);
    std::printf("CPU %.2f s: %.0f times faster than real time\n", cpu, seconds / cpu);
    std::printf("peak memory %.0f MiB (%.0f MiB before aligning)\n", peakMiB(), memoryBefore);
    return 0;
}
