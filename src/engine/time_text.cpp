#include "engine/time_text.h"

#include <cmath>
#include <cstdio>

namespace {

// Far beyond any video, yet well inside a long long and a double's exact range.
constexpr double kLongestTime = 9.0e15;

}  // namespace

long long WholeSeconds(double seconds) {
    if (std::isnan(seconds)) return 0;
    if (seconds > kLongestTime) seconds = kLongestTime;
    if (seconds < -kLongestTime) seconds = -kLongestTime;
    return static_cast<long long>(seconds);
}

std::string FormatClock(long long wholeSeconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", wholeSeconds / 3600, (wholeSeconds % 3600) / 60,
                  wholeSeconds % 60);
    return text;
}

long long Milliseconds(double seconds) {
    if (std::isnan(seconds) || seconds <= 0.0) return 0;
    if (seconds > kLongestTime / 1000.0) seconds = kLongestTime / 1000.0;
    return std::llround(seconds * 1000.0);
}

std::string FormatClockWithMilliseconds(long long milliseconds) {
    const long long seconds = milliseconds / 1000;
    char text[80];
    std::snprintf(text, sizeof text, "%s.%03lld", FormatClock(seconds).c_str(), milliseconds % 1000);
    return text;
}

std::string FormatTimestamp(const LocalClock& clock) {
    char text[96];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", clock.year, clock.month, clock.day, clock.hour,
                  clock.minute, clock.second);
    return text;
}
