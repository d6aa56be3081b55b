// Times reach the clock texts from the encoder's output, the player and the
// trim range. Whatever the doubles: whole seconds are the time truncated,
// never overflowing, and read back from their clock text; a command's start
// text reads back within half a millisecond of the begin, its length is never
// negative, and start plus length is the end within half a millisecond, or
// nothing when the range ends before it begins.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/command_text.h"
#include "engine/time_text.h"
#include "fuzz_support.h"

namespace {

// Input: a time, a whole number of seconds, then the begin and the end of a
// range; missing bytes are zero.
struct Fields {
    double seconds = 0.0;
    long long wholeSeconds = 0;
    double begin = 0.0;
    double end = 0.0;
};

// The longest time a command's texts take as it is.
constexpr double kLongestRange = 9.0e12;

void CheckClock(long long value) {
    const std::string clock = FormatClock(value);
    long long hours = 0;
    int minutes = 0, seconds = 0, used = 0;
    FUZZ_CHECK(std::sscanf(clock.c_str(), "%lld:%2d:%2d%n", &hours, &minutes, &seconds, &used) == 3);
    FUZZ_CHECK(used == static_cast<int>(clock.size()) && minutes < 60 && seconds < 60);
    FUZZ_CHECK(hours * 3600 + minutes * 60 + seconds == value);
}

// The milliseconds a "H:MM:SS.mmm" text stands for; -1 when it is not one.
long long ReadMilliseconds(const std::string& text) {
    long long hours = -1;
    int minutes = 60, seconds = 60, milliseconds = 1000, used = 0;
    if (std::sscanf(text.c_str(), "%lld:%2d:%2d.%3d%n", &hours, &minutes, &seconds, &milliseconds, &used) != 4 ||
        used != static_cast<int>(text.size()) || text.size() < 12 || text[text.size() - 4] != '.' || hours < 0 ||
        minutes >= 60 || seconds >= 60 || milliseconds < 0) {
        return -1;
    }
    return ((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds;
}

bool InRange(double seconds) { return seconds >= 0.0 && seconds <= kLongestRange; }

// Give or take the precision of a double of so many milliseconds.
bool WithinHalfMillisecond(long long milliseconds, double seconds) {
    const long double exact = static_cast<long double>(seconds) * 1000;
    return std::fabs(static_cast<long double>(milliseconds) - exact) <= 0.5L + exact * 0x1p-52L + 1e-9L;
}

void CheckRange(double begin, double end) {
    ExpansionInputs inputs;
    inputs.item.beginTime = begin;
    inputs.item.endTime = end;
    const std::string command = *ExpandFamilyTemplate("$START|$LENGTH", inputs, kTabXbox, -1);
    const std::size_t bar = command.find('|');
    const long long start = ReadMilliseconds(command.substr(0, bar));
    const long long length = ReadMilliseconds(command.substr(bar + 1));
    FUZZ_CHECK(start >= 0 && length >= 0);
    if (InRange(begin)) FUZZ_CHECK(WithinHalfMillisecond(start, begin));
    if (!(begin > 0.0)) FUZZ_CHECK(start == 0);
    if (!InRange(begin) || !InRange(end)) return;
    if (end >= begin) FUZZ_CHECK(WithinHalfMillisecond(start + length, end));
    if (end < begin) FUZZ_CHECK(length == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fields fields;
    std::memcpy(&fields, data, size < sizeof fields ? size : sizeof fields);

    const long long whole = WholeSeconds(fields.seconds);
    FUZZ_CHECK(whole >= -9000000000000000LL && whole <= 9000000000000000LL);
    if (std::isnan(fields.seconds)) FUZZ_CHECK(whole == 0);
    if (std::fabs(fields.seconds) < 9.0e15) FUZZ_CHECK(whole == static_cast<long long>(std::trunc(fields.seconds)));
    if (whole >= 0) CheckClock(whole);
    if (fields.wholeSeconds >= 0) CheckClock(fields.wholeSeconds);

    CheckRange(fields.begin, fields.end);
    return 0;
}
