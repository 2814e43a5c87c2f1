#pragma once

#include <QString>

// A course of n entries in all four modes, for the benchmarks: lessons of one
// heading and nine exercises, with the description files the first show opens.
void writeBenchCourse(const QString& folder, int n);
