#include "align/Aligner.h"
#include "align/PauseCheck.h"
#include "align/TimeWarp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// Loudness every 2 ms: -70 dB of room, -20 dB of speech between the given
// milliseconds.
std::vector<float> levels(long totalMs, std::initializer_list<std::pair<long, long>> speech)
{
    std::vector<float> db(std::size_t(totalMs / 2), -70.0f);
    for (const auto& [from, to] : speech)
        for (long ms = from; ms < to; ms += 2)
            db[std::size_t(ms / 2)] = -20.0f;
    return db;
}

struct EdgeCase {
    const char* name;
    qint64 guess;
    bool onset;
    qint64 expected; // -1: no pause edge near enough
};

TEST(PauseEdge, MovesABoundaryToTheNearestPauseWithin100Ms)
{
    // Speech 1000-1600, a 20 ms gap (a stop, not a pause), 1620-2000, speech
    // again from 2500.
    const auto db = levels(4000, {{1000, 1600}, {1620, 2000}, {2500, 3000}});
    const EdgeCase cases[] = {
        {"onset found before the guess", 1080, true, 1000},
        {"onset found after the guess", 940, true, 1000},
        {"onset beyond 100 ms", 1150, true, -1},
        {"a 20 ms gap is no pause", 1620, true, -1},
        {"end of speech", 1950, false, 2000},
        {"end beyond 100 ms", 2150, false, -1},
        {"the nearer of two onsets", 2450, true, 2500},
    };
    const float threshold = speechThreshold(db, 0.3f);
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(nearestPauseEdge(db, threshold, c.guess, c.onset), c.expected);
    }
}

TEST(PauseEdge, ThresholdLiesBetweenRoomAndSpeech)
{
    const auto db = levels(4000, {{1000, 3000}});
    EXPECT_NEAR(speechThreshold(db, 0.3f), -70.0f + 0.3f * 50.0f, 0.01f);
    // A recording of digital silence still has a sensible threshold.
    EXPECT_GE(speechThreshold(std::vector<float>(100, -120.0f), 0.3f), -60.0f);
}

// Only boundaries between sentences are judged, and only by whether a pause
// lies within 100 ms of them.
TEST(PauseEdge, BoundariesBetweenSentencesMustLieNearAPause)
{
    // Two sentences, 1000-2000 and 2400-3000, the second in two syntagms
    // spoken without a pause (the seam at 2700).
    const auto db = levels(4000, {{1000, 2000}, {2400, 3000}});
    const QList<TimedSentenceLine> good{
        {1, 1000, 2000, true, true}, {2, 2400, 2700, true, false}, {3, 2700, 3000, false, true}};
    EXPECT_EQ(linesWithBoundaryInSpeech(db, good), QList<int>());
    const QList<TimedSentenceLine> bad{{1, 1000, 1500, true, true},  // end in speech
                                       {2, 1500, 2000, true, true},  // so is this begin
                                       {3, 2400, 2950, true, false}, // inside a sentence
                                       {4, 2950, 3000, false, true},
                                       {5, 3080, 3900, true, true}}; // a pause 80 ms off
    EXPECT_EQ(linesWithBoundaryInSpeech(db, bad), QList<int>({1, 2}));
}

Features randomWalk(long frames, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<float> step(0.0f, 0.3f);
    Features f;
    f.frames = frames;
    f.values.resize(std::size_t(frames) * FeatureCount);
    for (long i = 0; i < frames; ++i)
        for (int c = 0; c < FeatureCount; ++c)
            f.values[i * FeatureCount + c] = (i > 0 ? f.frame(i - 1)[c] : 0.0f) + step(random);
    return f;
}

// `a` played at a pace that changes smoothly, with a pause held for
// `pause` frames at frame `at`; sourceOf[j] is the frame of `a` that frame j
// of the result shows.
Features warped(const Features& a, long pause, long at, std::vector<long>* sourceOf)
{
    Features b;
    double position = 0.0;
    while (long(position) < a.frames) {
        const long i = long(position);
        const long repeat = i == at ? pause : 1;
        for (long r = 0; r < repeat; ++r) {
            b.values.insert(b.values.end(), a.frame(i), a.frame(i) + FeatureCount);
            sourceOf->push_back(i);
        }
        position += 0.8 + 0.3 * std::sin(double(i) / 150.0);
    }
    b.frames = long(sourceOf->size());
    return b;
}

struct WarpCase {
    long frames;
    long pause;
};

TEST(TimeWarp, FindsTheWarpOfLongSequencesCoarseToFine)
{
    // Long enough that the coarse passes run (several halvings).
    for (const WarpCase& c : {WarpCase{300, 20}, WarpCase{3000, 150}, WarpCase{9000, 400}}) {
        SCOPED_TRACE(c.frames);
        const Features a = randomWalk(c.frames, unsigned(c.frames));
        std::vector<long> sourceOf;
        const Features b = warped(a, c.pause, c.frames / 2, &sourceOf);
        const std::vector<WarpSpan> path = warp(a, b);
        ASSERT_EQ(long(path.size()), a.frames);
        long worst = 0;
        for (long j = 0; j < b.frames; ++j) {
            const long i = sourceOf[std::size_t(j)];
            const long off = j < path[i].first  ? path[i].first - j
                             : j > path[i].last ? j - path[i].last
                                                : 0;
            worst = std::max(worst, off);
        }
        EXPECT_LE(worst, 1) << "frames of b paired with the wrong frame of a";
        // The held pause is one frame of a paired with all its copies.
        EXPECT_GE(path[c.frames / 2].last - path[c.frames / 2].first + 1, c.pause - 1);
    }
}

} // namespace
