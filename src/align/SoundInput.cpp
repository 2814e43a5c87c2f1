#include "align/SoundInput.h"

#include "common/FileProblems.h"

#include <QFile>
#include <sndfile.h>

std::variant<Analysis, CourseError>
analyseRecording(const QString& path, const std::function<void(double)>& progress, bool spectrum)
{
    constexpr sf_count_t BlockFrames = 1 << 16;
    if (isSpecialFile(path) || !QFile::exists(path))
        return CourseError{path, 0, UnreadableFileText};
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return CourseError{path, 0,
                           QStringLiteral("формат записи не поддерживается (%1)")
                               .arg(QString::fromLocal8Bit(sf_strerror(nullptr)))};
    SignalAnalysis analysis(info.samplerate, spectrum);
    std::vector<float> block(std::size_t(BlockFrames * info.channels));
    std::vector<float> mono(static_cast<std::size_t>(BlockFrames));
    sf_count_t got = 0;
    while ((got = sf_readf_float(file, block.data(), BlockFrames)) > 0) {
        for (sf_count_t f = 0; f < got; ++f) {
            float sum = 0.0f;
            for (int c = 0; c < info.channels; ++c)
                sum += block[std::size_t(f * info.channels + c)];
            mono[std::size_t(f)] = sum / float(info.channels);
        }
        analysis.append(mono.data(), long(got));
        if (progress && info.frames > 0)
            progress(0.4 * double(analysis.samples()) / double(info.frames));
    }
    sf_close(file);
    if (analysis.samples() == 0)
        return CourseError{path, 0, QStringLiteral("в записи нет ни одного отсчета звука")};
    return analysis.finish();
}

double recordingSeconds(const QString& path)
{
    SF_INFO info{};
    SNDFILE* file = isSpecialFile(path)
                        ? nullptr
                        : sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return 0.0;
    sf_close(file);
    return info.samplerate > 0 ? double(info.frames) / info.samplerate : 0.0;
}
