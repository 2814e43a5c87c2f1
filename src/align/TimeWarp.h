#pragma once

#include "align/Features.h"

#include <vector>

// The cheapest monotone path that pairs every frame of `a` with frames of
// `b` (dynamic time warping, Euclidean distance, steps right, down and
// diagonal). It is found coarse to fine: both sequences are halved until they
// are short, the short ones are warped whole, and each finer pass looks only
// within `radius` frames of the coarser path, so time and memory grow with
// the length, not with its square.
//
// The answer: for every frame i of `a`, the first and the last frame of `b`
// that the path pairs with it.
struct WarpSpan {
    long first = 0;
    long last = 0;
};
std::vector<WarpSpan> warp(const Features& a, const Features& b, int radius = 24);
