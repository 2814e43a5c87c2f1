#include "align/Synthesis.h"

#include <espeak-ng/speak_lib.h>

#include <cmath>
#include <cstring>

namespace {

constexpr float SpeechLevel = 0.01f; // -40 dBFS
constexpr double PauseSeconds = 0.2;

int collect(short* wav, int count, espeak_EVENT* events)
{
    if (wav && count > 0) {
        auto* out = static_cast<std::vector<float>*>(events->user_data);
        for (int i = 0; i < count; ++i)
            out->push_back(wav[i] / 32768.0f);
    }
    return 0;
}

// The synthesiser is one per process; it is made once and kept.
int startSynthesiser()
{
    static const int rate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate > 0)
        espeak_SetSynthCallback(collect);
    return rate;
}

std::vector<float> speakLine(const QString& line)
{
    std::vector<float> out;
    const QByteArray text = line.toUtf8();
    espeak_Synth(text.constData(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                 &out);
    espeak_Synchronize();
    return out;
}

} // namespace

std::pair<long, long> speechExtent(const float* samples, long count)
{
    long first = 0;
    while (first < count && std::fabs(samples[first]) < SpeechLevel)
        ++first;
    if (first == count)
        return {-1, -1};
    long last = count - 1;
    while (std::fabs(samples[last]) < SpeechLevel)
        --last;
    return {first, last};
}

std::optional<Synthesis> synthesise(const QStringList& lines, const QString& voice,
                                    QString* problem)
{
    const int sampleRate = startSynthesiser();
    if (sampleRate <= 0) {
        *problem = QStringLiteral("синтезатор речи espeak-ng не запускается");
        return std::nullopt;
    }
    if (espeak_SetVoiceByName(voice.toUtf8().constData()) != EE_OK) {
        *problem = QStringLiteral("у синтезатора речи espeak-ng нет голоса \"%1\"").arg(voice);
        return std::nullopt;
    }
    Synthesis result;
    SignalAnalysis analysis(sampleRate);
    const std::vector<float> pause(std::size_t(PauseSeconds * sampleRate), 0.0f);
    analysis.append(pause.data(), long(pause.size()));
    for (const QString& line : lines) {
        const std::vector<float> speech = speakLine(line);
        const auto [first, last] = speechExtent(speech.data(), static_cast<long>(speech.size()));
        if (first < 0) {
            result.lines.emplace_back(-1, -1);
            continue;
        }
        const long at = analysis.samples();
        result.lines.emplace_back(at, at + last - first);
        analysis.append(speech.data() + first, last - first + 1);
        analysis.append(pause.data(), long(pause.size()));
    }
    result.analysis = analysis.finish();
    return result;
}
