#pragma once

#include <string>

// Times are kept as seconds in doubles and shown, or passed to the encoder, as
// whole seconds truncated toward zero.

// Truncates toward zero. A value that is not a number gives 0, and values
// beyond what a clock text can hold are clamped instead of overflowing.
long long WholeSeconds(double seconds);

// "%02d:%02d:%02d": hours (as many digits as they need), minutes, seconds.
std::string FormatClock(long long wholeSeconds);

// The local date and time as the encoder's $TIMESTAMP shows it.
struct LocalClock {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
    int hour = 0;  // 0 to 23
    int minute = 0;
    int second = 0;
};

// "%d-%02d-%02d %02d:%02d:%02d"
std::string FormatTimestamp(const LocalClock& clock);
