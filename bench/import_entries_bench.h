#pragma once

#include "coordinate_files.h"

namespace velmora::bench {

// Registers the ImportEntries benchmarks (scaled and unscaled, 1k to 1M groups)
// on files generated into files when they first run.
void RegisterImportEntriesBenchmarks(CoordinateFiles& files);

} // namespace velmora::bench
