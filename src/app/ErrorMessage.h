#pragma once

#include <QString>

// The standard error message for faults in course files and missing files:
// one place, so that every such message looks the same.
void showError(const QString& text);
