#pragma once

#include <cstdint>

// One pseudo-random generator for the whole process, seeded once from the
// system's entropy source and the clock. Re-seeding before every draw (from a
// clock that ticks slower than a student clicks) would repeat the same draw, so
// every drill takes its numbers from this one sequence.

// A number drawn uniformly from low..high, both included; low when high < low.
int drawUniform(int low, int high);

// Restarts the sequence from a fixed seed, so that tests see the same draws
// on every run.
void seedDrillRandom(std::uint64_t seed);
