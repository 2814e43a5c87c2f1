#include "align/TimeWarp.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Below this many frames on both sides a whole cost matrix is cheap.
constexpr long WholeLength = 400;

// The cells looked at: for every row i of `a`, columns low[i]..high[i] of `b`.
struct Window {
    std::vector<long> low;
    std::vector<long> high;
};

Features halve(const Features& f)
{
    Features half;
    half.frames = (f.frames + 1) / 2;
    half.values.resize(std::size_t(half.frames) * FeatureCount);
    for (long i = 0; i < half.frames; ++i) {
        const long second = std::min(2 * i + 1, f.frames - 1);
        for (int c = 0; c < FeatureCount; ++c)
            half.values[i * FeatureCount + c] = 0.5f * (f.frame(2 * i)[c] + f.frame(second)[c]);
    }
    return half;
}

float distance(const float* x, const float* y)
{
    float sum = 0.0f;
    for (int c = 0; c < FeatureCount; ++c)
        sum += (x[c] - y[c]) * (x[c] - y[c]);
    return std::sqrt(sum);
}

Window wholeWindow(long rows, long columns)
{
    return {std::vector<long>(rows, 0), std::vector<long>(rows, columns - 1)};
}

// The coarse path's cells doubled, widened by `radius` on every side and
// made monotone so that a path through the window always exists.
Window widen(const std::vector<WarpSpan>& coarse, long rows, long columns, int radius)
{
    Window w{std::vector<long>(rows, columns), std::vector<long>(rows, -1)};
    for (long ci = 0; ci < long(coarse.size()); ++ci)
        for (long i = std::max(0L, 2 * ci - radius); i < std::min(rows, 2 * ci + 2 + radius); ++i) {
            w.low[i] = std::min(w.low[i], std::max(0L, 2 * coarse[ci].first - radius));
            w.high[i] =
                std::max(w.high[i], std::min(columns - 1, 2 * coarse[ci].last + 1 + radius));
        }
    w.low[0] = 0;
    w.high[rows - 1] = columns - 1;
    for (long i = 1; i < rows; ++i)
        w.high[i] = std::max(w.high[i], w.high[i - 1]);
    for (long i = rows - 2; i >= 0; --i)
        w.low[i] = std::min(w.low[i], w.low[i + 1]);
    return w;
}

enum Step : unsigned char { Diagonal, Down, Right };

// Warps within the window; the steps are kept per cell to trace the path back.
std::vector<WarpSpan> warpWithin(const Features& a, const Features& b, const Window& w)
{
    constexpr float Infinite = std::numeric_limits<float>::infinity();
    const long rows = a.frames;
    std::vector<std::size_t> offset(rows + 1, 0);
    for (long i = 0; i < rows; ++i)
        offset[i + 1] = offset[i] + std::size_t(w.high[i] - w.low[i] + 1);
    std::vector<unsigned char> steps(offset[rows]);
    std::vector<float> above;
    std::vector<float> here;
    for (long i = 0; i < rows; ++i) {
        here.assign(std::size_t(w.high[i] - w.low[i] + 1), Infinite);
        for (long j = w.low[i]; j <= w.high[i]; ++j) {
            const auto up = [&](long col) {
                return i > 0 && col >= w.low[i - 1] && col <= w.high[i - 1]
                           ? above[col - w.low[i - 1]]
                           : Infinite;
            };
            float best = (i == 0 && j == 0) ? 0.0f : Infinite;
            Step step = Diagonal;
            if (j > 0 && up(j - 1) < best)
                best = up(j - 1), step = Diagonal;
            if (up(j) < best)
                best = up(j), step = Down;
            if (j > w.low[i] && here[j - 1 - w.low[i]] < best)
                best = here[j - 1 - w.low[i]], step = Right;
            here[j - w.low[i]] = best + distance(a.frame(i), b.frame(j));
            steps[offset[i] + std::size_t(j - w.low[i])] = step;
        }
        above.swap(here);
    }
    std::vector<WarpSpan> spans(rows, WarpSpan{b.frames, -1});
    long i = rows - 1;
    long j = b.frames - 1;
    while (i >= 0) {
        spans[i].first = std::min(spans[i].first, j);
        spans[i].last = std::max(spans[i].last, j);
        if (i == 0 && j == 0)
            break;
        const Step step = Step(steps[offset[i] + std::size_t(j - w.low[i])]);
        if (step != Right)
            --i;
        if (step != Down)
            --j;
    }
    return spans;
}

} // namespace

std::vector<WarpSpan> warp(const Features& a, const Features& b, int radius)
{
    if (a.frames <= WholeLength || b.frames <= WholeLength)
        return warpWithin(a, b, wholeWindow(a.frames, b.frames));
    const std::vector<WarpSpan> coarse = warp(halve(a), halve(b), radius);
    return warpWithin(a, b, widen(coarse, a.frames, b.frames, radius));
}
