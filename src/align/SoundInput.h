#pragma once

#include "align/Analysis.h"
#include "common/CourseError.h"

#include <functional>
#include <variant>

// Reads a sound file block by block, its channels mixed to one, into its
// analysis; the error names the file and, in Russian, why it cannot be read.
// `progress` is told the share read, from 0 to 1.
std::variant<Analysis, CourseError>
analyseRecording(const QString& path, const std::function<void(double)>& progress = {},
                 bool spectrum = true);

// The length of a sound file in seconds; 0 when it cannot be read.
double recordingSeconds(const QString& path);
