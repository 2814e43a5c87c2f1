#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// How many bytes of sound a WAV file's header promises and how many the file
// holds after it: a file cut short (a copy broken off, a full disk) holds
// fewer, and every sound reader quietly takes what is there.
struct WaveDataSize {
    qint64 declared = 0;
    qint64 present = 0;

    bool cut() const { return present < declared; }
};

// Nothing when the file is not a RIFF WAVE file with a data chunk.
std::optional<WaveDataSize> waveDataSize(const QString& path);
