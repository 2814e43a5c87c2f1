#pragma once

#include <cstddef>
#include <vector>

// Frames of acoustic features, one every FrameHopMs, each of FeatureCount
// numbers, row after row.
inline constexpr int FrameHopMs = 10;
inline constexpr int FeatureCount = 13;
inline constexpr double WindowMs = 25.0;

// Samples from one frame to the next, and the time of a frame's start: a hop
// of 10 ms is not a whole number of samples at every rate.
inline long frameHop(int sampleRate)
{
    return long(sampleRate) * FrameHopMs / 1000;
}
inline double frameMs(long frame, int sampleRate)
{
    return double(frame) * double(frameHop(sampleRate)) * 1000.0 / sampleRate;
}

struct Features {
    std::vector<float> values;
    long frames = 0;
    const float* frame(long i) const { return values.data() + i * FeatureCount; }
};

// Energies in 26 mel bands (see SignalAnalysis), band after band, frame after
// frame.
inline constexpr int BandCount = 26;
struct MelEnergies {
    std::vector<float> values;
    long frames = 0;
};

// Puts the reference into the recording's room: scaled to the recording's
// speech level, with the recording's steady noise added in every band. The
// pauses of a synthesised reference are digital silence, unlike any room;
// without this its quietest sounds resemble the room's noise more than its
// own pauses do, and a line's end is drawn into the following pause.
void matchRoom(MelEnergies& reference, const MelEnergies& recording);

// The band energy below which everything counts as silence: 60 dB below the
// recording's loud frames. The reference, put into the recording's room,
// takes the same floor, so digital silence in either compares as equal.
float silenceFloor(const MelEnergies& recording);

// Mel-frequency cepstral coefficients of the energies, floored, less their
// mean over the speech frames, which takes away most of what a voice, a
// microphone and a room add throughout.
Features melCepstrum(const MelEnergies& energies, float floor);
