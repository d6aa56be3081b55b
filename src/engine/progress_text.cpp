#include "engine/progress_text.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

const char kSizeToken[] = "size=";
const char kTimeToken[] = "time=";
constexpr std::size_t kTokenLength = 5;
// The size token counts only with at least 8 characters after it, the time
// token with at least 4.
constexpr std::size_t kShortestSizeText = 13;
constexpr std::size_t kShortestTimeText = 9;
constexpr std::size_t kSizeDigits = 8;
constexpr std::size_t kTimeDigits = 5;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// More hour digits than any real position has; the limit keeps the value finite
// whatever text follows the token.
constexpr std::size_t kLongestHours = 12;

// Reads "H:MM:SS[.ff]" (up to kLongestHours hour digits, an optional sign) at
// text. Returns false when the text is not in clock form or is cut off by the
// chunk's end before its seconds are complete. A position before the start
// (FFmpeg's while it buffers the first frames) is 0: nothing encoded yet.
bool ReadClockForm(const char* text, double& seconds) {
    const char* at = text;
    const bool negative = *at == '-';
    if (negative) ++at;
    if (!IsDigit(*at)) return false;
    double hours = 0.0;
    for (std::size_t digits = 0; IsDigit(*at); ++digits) {
        if (digits == kLongestHours) return false;
        hours = hours * 10.0 + (*at++ - '0');
    }
    if (at[0] != ':' || !IsDigit(at[1]) || !IsDigit(at[2]) || at[3] != ':' || !IsDigit(at[4]) || !IsDigit(at[5])) {
        return false;
    }
    const int minutes = (at[1] - '0') * 10 + (at[2] - '0');
    const double wholeSeconds = (at[4] - '0') * 10 + (at[5] - '0');
    at += 6;
    double fraction = 0.0;
    if (*at == '.') {
        ++at;
        if (!IsDigit(*at)) return false;
        for (double scale = 0.1; IsDigit(*at); scale /= 10.0) fraction += (*at++ - '0') * scale;
    }
    // A clock text that runs into the end of the chunk may be missing digits.
    if (*at == '\0') return false;
    seconds = negative ? 0.0 : hours * 3600.0 + minutes * 60.0 + wholeSeconds + fraction;
    return true;
}

// Reads plain seconds from the first kTimeDigits characters: digits with at
// most one '.', up to the first other character. Anything else that atof would
// take ("nan", "inf", "1e99", "0x1p9", "-3") is no position and reads as 0.
double ReadSecondsForm(const char* text) {
    char digits[kTimeDigits + 1] = {};
    bool sawPoint = false;
    for (std::size_t i = 0; i < kTimeDigits; ++i) {
        const char c = text[i];
        if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else if (!IsDigit(c)) {
            break;
        }
        digits[i] = c;
    }
    return std::atof(digits);
}

bool StartsClockForm(const char* text) {
    if (*text == '-') ++text;
    while (IsDigit(*text)) ++text;
    return *text == ':';
}

}  // namespace

ProgressTokens ReadProgressTokens(const char* chunk) {
    ProgressTokens tokens;

    const char* size = std::strstr(chunk, kSizeToken);
    if (size != nullptr && std::strlen(size) >= kShortestSizeText) {
        char digits[kSizeDigits + 1] = {};
        std::memcpy(digits, size + kTokenLength, kSizeDigits);
        tokens.hasSize = true;
        tokens.sizeKB = static_cast<std::int32_t>(std::atol(digits));
    }

    const char* time = std::strstr(chunk, kTimeToken);
    if (time != nullptr && std::strlen(time) >= kShortestTimeText) {
        const char* value = time + kTokenLength;
        if (StartsClockForm(value)) {
            tokens.hasTime = ReadClockForm(value, tokens.time);
        } else {
            tokens.hasTime = true;
            tokens.time = ReadSecondsForm(value);
        }
    }
    return tokens;
}

bool ApplyProgress(ConversionItem& item, const char* chunk, std::uint32_t nowTick, std::uint32_t itemStartTick) {
    const ProgressTokens tokens = ReadProgressTokens(chunk);
    if (tokens.hasSize) item.outputSizeKB = tokens.sizeKB;
    if (!tokens.hasTime) return false;

    const bool stopEncoder =
        item.needsExport == 1 && item.outputSizeKB > 0 && !(tokens.time < item.endTime - item.beginTime);
    item.encodedTime = tokens.time;
    const std::uint32_t elapsedMs = nowTick - itemStartTick;  // wraps like the tick count itself
    item.encodingSpeed = elapsedMs == 0 ? 0.0 : tokens.time * 1000.0 / static_cast<double>(elapsedMs);
    return stopEncoder;
}
