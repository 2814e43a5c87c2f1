#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// Sound files made for the tests with libsndfile, so that every test starts
// from files whose content it knows.
struct Tone {
    int sampleRate = 22050;
    int channels = 1;
    qint64 ms = 1000;
    double hz = 440;
    double level = 0.5; // peak, of full scale
    int format = 0;     // libsndfile SF_FORMAT_*; 0 is 16-bit PCM WAV
};

// Writes a sine tone; returns false if libsndfile refused.
bool writeTone(const QString& path, const Tone& tone);
// Writes mono 16-bit PCM WAV.
bool writeSamples(const QString& path, int sampleRate, const std::vector<float>& samples);
// Writes silence with `clicks` (1 ms pulses) at the given milliseconds.
bool writeClicks(const QString& path, int sampleRate, qint64 ms, const std::vector<qint64>& clicks);
// The recording template: 16-bit mono 22050 Hz WAV holding `ms` of a tone.
bool writeTemplate(const QString& path, qint64 ms = 0);

struct ReadBack {
    int sampleRate = 0;
    int channels = 0;
    int format = 0;
    std::vector<float> samples; // interleaved
    qint64 frames() const { return channels ? qint64(samples.size()) / channels : 0; }
};
ReadBack readSound(const QString& path);

// Share of the samples' energy at one frequency (Goertzel), 0 to 1.
double shareAt(const float* samples, qint64 n, int sampleRate, double hz);
// Peak amplitude of the sine at one frequency in the samples (Goertzel);
// other sounds mixed in barely change it.
double amplitudeAt(const float* samples, qint64 n, int sampleRate, double hz);
double rms(const float* samples, qint64 n);
