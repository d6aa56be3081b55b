#include "cvenc/progress_line.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::string_view kTimeToken = "time=";
constexpr std::string_view kSizeToken = "size=";
constexpr std::string_view kUnknown = "N/A";

// FFmpeg's own width for the size field ("%8.0fkB"), so the converter finds
// the number within the eight characters after the token as usual.
constexpr std::string_view kUnknownSize = "       0kB";

// Enough hour digits for any real position, few enough that hundredths of a
// second cannot overflow 64 bits.
constexpr std::size_t kLongestHours = 12;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads digits at `at`, at least one and at most `longest`.
bool ReadNumber(std::string_view text, std::size_t& at, std::size_t longest, std::uint64_t& number) {
    const std::size_t start = at;
    number = 0;
    while (at < text.size() && IsDigit(text[at]) && at - start < longest) number = number * 10 + (text[at++] - '0');
    return at > start && (at == text.size() || !IsDigit(text[at]));
}

// "[-]H+:MM:SS[.ff]" to hundredths of a second; false for anything else.
bool ClockHundredths(std::string_view clock, bool& negative, std::uint64_t& hundredths) {
    std::size_t at = 0;
    negative = !clock.empty() && clock[0] == '-';
    if (negative) ++at;
    std::uint64_t hours, minutes, seconds;
    if (!ReadNumber(clock, at, kLongestHours, hours) || at >= clock.size() || clock[at++] != ':') return false;
    if (!ReadNumber(clock, at, 2, minutes) || at >= clock.size() || clock[at++] != ':') return false;
    if (!ReadNumber(clock, at, 2, seconds)) return false;
    std::uint64_t fraction = 0;
    if (at < clock.size()) {
        if (clock[at++] != '.' || at == clock.size()) return false;
        for (int digit = 0; digit < 2; ++digit) {
            const char c = at < clock.size() ? clock[at++] : '0';
            if (!IsDigit(c)) return false;
            fraction = fraction * 10 + (c - '0');
        }
        while (at < clock.size()) {
            if (!IsDigit(clock[at++])) return false;
        }
    }
    hundredths = ((hours * 60 + minutes) * 60 + seconds) * 100 + fraction;
    return true;
}

std::string SecondsText(std::string_view clock) {
    bool negative = false;
    std::uint64_t hundredths = 0;
    if (!ClockHundredths(clock, negative, hundredths) || negative) hundredths = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%02llu", static_cast<unsigned long long>(hundredths / 100),
                  static_cast<unsigned long long>(hundredths % 100));
    return text;
}

std::size_t EndOfValue(std::string_view line, std::size_t start) {
    const std::size_t end = line.find_first_of(" \t", start);
    return end == std::string_view::npos ? line.size() : end;
}

}  // namespace

std::optional<std::string> RewriteProgressLine(std::string_view line) {
    const std::size_t sizeAt = line.find(kSizeToken);
    const std::size_t timeAt = line.find(kTimeToken);
    if (sizeAt == std::string_view::npos || timeAt == std::string_view::npos || timeAt < sizeAt) return std::nullopt;

    const std::size_t clockStart = timeAt + kTimeToken.size();
    const std::size_t clockEnd = EndOfValue(line, clockStart);
    std::string rewritten(line.substr(0, clockStart));
    rewritten += SecondsText(line.substr(clockStart, clockEnd - clockStart));
    rewritten += line.substr(clockEnd);

    const std::size_t sizeValue = sizeAt + kSizeToken.size();
    if (line.substr(sizeValue, kUnknown.size()) == kUnknown)
        rewritten.replace(sizeValue, kUnknown.size(), kUnknownSize);

    rewritten.erase(rewritten.find_last_not_of(" \t") + 1);  // FFmpeg pads the line to clear the last one
    return rewritten;
}
