#pragma once

#include <string>

// Times are kept as seconds in doubles. The list shows them as whole seconds
// truncated toward zero; the encoder is given milliseconds, so that a trim
// lands on the frame the user looked at.

// Truncates toward zero. A value that is not a number gives 0, and values
// beyond what a clock text can hold are clamped instead of overflowing.
long long WholeSeconds(double seconds);

// "%02d:%02d:%02d": hours (as many digits as they need), minutes, seconds.
std::string FormatClock(long long wholeSeconds);

// Rounded to the nearest millisecond: a time read from a slider such as 3725.9
// is 3725.8999... as a double and must not lose its last millisecond. Not a
// number, or below zero, gives 0; values beyond a clock text are clamped.
long long Milliseconds(double seconds);

// "%02d:%02d:%02d.%03d", as FFmpeg reads a time: hours (as many digits as
// they need), minutes, seconds and milliseconds.
std::string FormatClockWithMilliseconds(long long milliseconds);

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
