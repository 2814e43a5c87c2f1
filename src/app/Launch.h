#pragma once

#include "app/Catalogue.h"

// A copy of the entry ready to launch: the data folder before its file names,
// always before the text, translation and picture list files, and before the
// sound and timing files only when they are named (an empty name tells the
// window there is nothing to play or to cut). Names use the platform's separator.
CatalogueEntry prefixedEntry(const CatalogueEntry& entry, const QString& dataFolder);
