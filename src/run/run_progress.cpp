#include "run/run_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kEstimateAfterSeconds = 3.0;
constexpr double kEstimateAfterShare = 0.02;

double Share(const RunProgress& progress) {
    if (progress.total <= 0) return 0.0;
    const double share = (progress.ended * 100.0 + progress.runningPercent) / (progress.total * 100.0);
    return std::clamp(share, 0.0, 1.0);
}

}  // namespace

int RunProgress::Percent() const { return static_cast<int>(std::floor(Share(*this) * 100.0)); }

bool RunProgress::KnowsTimeLeft() const {
    const double share = Share(*this);
    return elapsedSeconds >= kEstimateAfterSeconds && share >= kEstimateAfterShare && share < 1.0;
}

std::string RunProgress::Title() const {
    const int current = std::min(total, std::max(1, ended + running));
    char title[96];
    int length = std::snprintf(title, sizeof title, "Clipvane - %d of %d, %d%%", current, total, Percent());
    if (KnowsTimeLeft()) {
        const double share = Share(*this);
        const long left = std::lround(elapsedSeconds / share * (1.0 - share));
        const long hours = left / 3600, minutes = left / 60 % 60, seconds = left % 60;
        if (hours > 0) {
            std::snprintf(title + length, sizeof title - length, ", %ld:%02ld:%02ld left", hours, minutes, seconds);
        } else {
            std::snprintf(title + length, sizeof title - length, ", %ld:%02ld left", minutes, seconds);
        }
    }
    return title;
}
