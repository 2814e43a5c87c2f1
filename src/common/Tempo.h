#pragma once

// The speeds a student may listen at: the normal one down to half of it, in
// steps of 5 percent, the voice at its own pitch.
namespace Tempo {
inline constexpr int Normal = 100;
inline constexpr int Slowest = 50;
inline constexpr int Step = 5;

// The allowed tempo nearest to `percent`.
int valid(int percent);
// One step slower or faster, staying within the allowed ones.
int slower(int percent);
int faster(int percent);

// The tempo the student at work chose last (StudentSettings.h); Normal until
// the student chooses one.
int chosen();
void choose(int percent);
} // namespace Tempo
