#pragma once

#include <QtGlobal>
#include <memory>
#include <vector>

class QAudioSource;
class QIODevice;

// Hearing what the test sound server played. Its default input is the monitor
// of its only output, so a recording of that input holds everything played,
// at the moment it was played.

// Records the default input, mono, from construction on. The samples arrive
// through the event loop: let it run (QTest::qWait) before taking them.
class MonitorCapture {
public:
    static constexpr int Rate = 44100;
    MonitorCapture();
    ~MonitorCapture();
    bool recording() const;
    // Everything captured since construction.
    const std::vector<float>& samples();

private:
    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;
    std::vector<float> samples_;
};

// Loud white noise, the same for the same seed: played, it is recognised in a
// capture by cross-correlation at one sharp peak, to the sample.
std::vector<float> noise(qint64 frames, unsigned seed = 1);

// A stretch of a capture that sounded, found in the file it came from.
struct HeardPiece {
    qint64 captureFrame = 0; // where the sound begins in the capture
    qint64 frames = 0;       // how long it sounds
    qint64 fileFrame = -1;   // where its first frame is in the file; -1: not found
    double fileStartMs(int rate) const { return double(fileFrame) * 1000 / rate; }
    double fileEndMs(int rate) const { return double(fileFrame + frames) * 1000 / rate; }
};

// Splits a capture into pieces of sound separated by at least `gapMs` of
// silence; their place in a file is not looked for.
std::vector<HeardPiece> soundingPieces(const std::vector<float>& capture, int rate, int gapMs);

// Splits a capture into pieces of sound separated by at least `gapMs` of
// silence, and finds where each piece is in `file` (mono, at the capture's
// rate). A piece that matches no part of the file keeps fileFrame -1.
std::vector<HeardPiece> findHeard(const std::vector<float>& capture, const std::vector<float>& file,
                                  int rate, int gapMs = 20);
