#pragma once

#include <cstdint>

// What the Progress column shows of an export: how far it is, in percent,
// and the time it still needs. The player reports positions in seconds of
// the range; the speed is measured since the export started.
struct ExportFigures {
    double position = 0.0;   // seconds of the range written
    double percent = 0.0;    // 0 to 100
    double remaining = 0.0;  // seconds of waiting left
};

// For the first 20 seconds the speed is too young to trust and the remaining
// time is the rest of the range; after that it is the rest divided by the
// speed. A total of 0, no time elapsed, or a position that is not a number
// gives figures of 0 rather than a division by zero; positions past the total
// count as the total.
ExportFigures ComputeExportFigures(double position, double total, std::uint32_t elapsedMs);
