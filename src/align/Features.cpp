#include "align/Features.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

} // namespace

namespace {

float percentileOf(std::vector<float> values, double share)
{
    const auto at = std::size_t(share * double(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + long(at), values.end());
    return values[at];
}

std::vector<float> frameTotals(const MelEnergies& e)
{
    std::vector<float> totals(std::size_t(e.frames), 0.0f);
    for (long f = 0; f < e.frames; ++f)
        for (int band = 0; band < BandCount; ++band)
            totals[f] += e.values[f * BandCount + band];
    return totals;
}

// Frames well above the quiet ones: a third of the way, in dB, from the
// quietest tenth to the loudest tenth.
std::vector<bool> speechFrames(const std::vector<float>& totals)
{
    const float quiet = std::log(std::max(percentileOf(totals, 0.1), 1e-30f));
    const float loud = std::log(std::max(percentileOf(totals, 0.9), 1e-30f));
    std::vector<bool> speech(totals.size());
    for (std::size_t f = 0; f < totals.size(); ++f)
        speech[f] = std::log(std::max(totals[f], 1e-30f)) >= quiet + (loud - quiet) / 3;
    return speech;
}

// The mean log energy of every band over the speech frames.
std::vector<double> speechSpectrum(const MelEnergies& e)
{
    const std::vector<bool> speech = speechFrames(frameTotals(e));
    std::vector<double> mean(BandCount, 0.0);
    long counted = 0;
    for (long f = 0; f < e.frames; ++f) {
        if (!speech[f])
            continue;
        ++counted;
        for (int band = 0; band < BandCount; ++band)
            mean[band] += std::log(std::max(e.values[f * BandCount + band], 1e-30f));
    }
    for (double& m : mean)
        m /= double(std::max(1L, counted));
    return mean;
}

} // namespace

float silenceFloor(const MelEnergies& recording)
{
    return std::max(percentileOf(frameTotals(recording), 0.9) * 1e-6f / BandCount, 1e-30f);
}

// The room's noise is the average of the quietest fifth of the frames, band by
// band; the speech level is that of the loud frames.
void matchRoom(MelEnergies& reference, const MelEnergies& recording)
{
    const std::vector<float> totals = frameTotals(recording);
    const std::vector<double> heard = speechSpectrum(recording);
    const std::vector<double> spoken = speechSpectrum(reference);
    const float quiet = percentileOf(totals, 0.2);
    std::vector<double> noise(BandCount, 0.0);
    long quietFrames = 0;
    for (long f = 0; f < recording.frames; ++f) {
        if (totals[f] > quiet)
            continue;
        ++quietFrames;
        for (int band = 0; band < BandCount; ++band)
            noise[band] += recording.values[f * BandCount + band];
    }
    for (long f = 0; f < reference.frames; ++f)
        for (int band = 0; band < BandCount; ++band) {
            float& v = reference.values[f * BandCount + band];
            v = float(v * std::exp(heard[band] - spoken[band]) +
                      noise[band] / double(std::max(1L, quietFrames)));
        }
}

Features melCepstrum(const MelEnergies& energies, float floor)
{
    Features features;
    features.frames = energies.frames;
    std::vector<float> logs(energies.values.size());
    for (std::size_t i = 0; i < logs.size(); ++i)
        logs[i] = std::log(std::max(energies.values[i], floor));
    features.values.resize(std::size_t(features.frames) * FeatureCount);
    for (long f = 0; f < features.frames; ++f)
        for (int c = 0; c < FeatureCount; ++c) {
            double sum = 0.0;
            for (int band = 0; band < BandCount; ++band)
                sum += logs[f * BandCount + band] *
                       std::cos(std::numbers::pi * c * (band + 0.5) / BandCount);
            features.values[f * FeatureCount + c] = float(sum);
        }
    return features;
}
