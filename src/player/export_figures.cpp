#include "player/export_figures.h"

#include <algorithm>
#include <cmath>

namespace {

// Past this many seconds of the range the measured speed decides the remaining time.
constexpr double kTrustSpeedAfter = 20.0;

double FiniteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

}  // namespace

ExportFigures ComputeExportFigures(double position, double total, std::uint32_t elapsedMs) {
    total = std::max(FiniteOrZero(total), 0.0);
    position = std::clamp(FiniteOrZero(position), 0.0, total);
    ExportFigures figures;
    figures.position = position;
    if (total <= 0.0) return figures;
    figures.percent = position * 100.0 / total;
    const double speed = elapsedMs > 0 ? position * 1000.0 / elapsedMs : 0.0;
    const double left = total - position;
    figures.remaining = speed > 0.0 && position > kTrustSpeedAfter ? left / speed : left;
    return figures;
}
