#include "support/HeardSound.h"

#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>
#include <random>

MonitorCapture::MonitorCapture()
{
    QAudioFormat format;
    format.setSampleRate(Rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Float);
    source_ = std::make_unique<QAudioSource>(QMediaDevices::defaultAudioInput(), format);
    source_->setBufferSize(format.bytesForDuration(10000));
    input_ = source_->start();
}

MonitorCapture::~MonitorCapture()
{
    source_->stop();
}

bool MonitorCapture::recording() const
{
    return input_ != nullptr;
}

const std::vector<float>& MonitorCapture::samples()
{
    if (input_) {
        const QByteArray bytes = input_->readAll();
        const auto* s = reinterpret_cast<const float*>(bytes.constData());
        samples_.insert(samples_.end(), s, s + bytes.size() / qsizetype(sizeof(float)));
    }
    return samples_;
}

std::vector<float> noise(qint64 frames, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> level(-0.5f, 0.5f);
    std::vector<float> samples(size_t(std::max<qint64>(frames, 0)));
    for (float& s : samples)
        s = level(random);
    return samples;
}

namespace {
// Silence on the test server is digital zero; a little room for the
// resampler's ringing at the edges of a sound.
constexpr float Quiet = 0.01f;

} // namespace

std::vector<HeardPiece> soundingPieces(const std::vector<float>& capture, int rate, int gapMs)
{
    const qint64 gap = qint64(gapMs) * rate / 1000;
    std::vector<HeardPiece> pieces;
    qint64 last = -gap - 1; // the last loud frame
    for (qint64 f = 0; f < qint64(capture.size()); ++f) {
        if (std::abs(capture[size_t(f)]) <= Quiet)
            continue;
        if (f - last > gap)
            pieces.push_back({f, 0, -1});
        pieces.back().frames = f + 1 - pieces.back().captureFrame;
        last = f;
    }
    return pieces;
}

namespace {
// The file frame where `probe` matches best, by normalised cross-correlation;
// -1 when nothing matches well (another sound, or none of this file's).
qint64 locate(const float* probe, qint64 n, const std::vector<float>& file)
{
    double probeEnergy = 0;
    for (qint64 i = 0; i < n; ++i)
        probeEnergy += double(probe[i]) * probe[i];
    const qint64 last = qint64(file.size()) - n;
    if (last < 0 || probeEnergy <= 0)
        return -1;
    double windowEnergy = 0;
    for (qint64 i = 0; i < n; ++i)
        windowEnergy += double(file[size_t(i)]) * file[size_t(i)];
    double best = 0;
    qint64 bestAt = -1;
    for (qint64 at = 0; at <= last; ++at) {
        double dot = 0;
        for (qint64 i = 0; i < n; ++i)
            dot += double(probe[i]) * file[size_t(at + i)];
        const double score = windowEnergy > 0 ? dot / std::sqrt(probeEnergy * windowEnergy) : 0;
        if (score > best) {
            best = score;
            bestAt = at;
        }
        if (at < last)
            windowEnergy += double(file[size_t(at + n)]) * file[size_t(at + n)] -
                            double(file[size_t(at)]) * file[size_t(at)];
    }
    return best > 0.8 ? bestAt : -1;
}
} // namespace

std::vector<HeardPiece> findHeard(const std::vector<float>& capture, const std::vector<float>& file,
                                  int rate, int gapMs)
{
    std::vector<HeardPiece> pieces = soundingPieces(capture, rate, gapMs);
    for (HeardPiece& piece : pieces) {
        // A probe of at most 10 ms from the middle, clear of the edges.
        const qint64 n = std::min<qint64>(piece.frames, rate / 100);
        const qint64 from = piece.captureFrame + (piece.frames - n) / 2;
        const qint64 found = locate(capture.data() + from, n, file);
        if (found >= 0)
            piece.fileFrame = found - (from - piece.captureFrame);
    }
    return pieces;
}
