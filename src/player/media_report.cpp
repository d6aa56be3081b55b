#include "player/media_report.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

// Seconds of a clock text "HH:MM:SS.ff"; negative when it is not one.
double ParseClock(const std::string& text, std::size_t at) {
    const char* start = text.c_str() + at;
    if (!std::isdigit(static_cast<unsigned char>(*start))) return -1.0;
    char* end = nullptr;
    const long hours = std::strtol(start, &end, 10);
    if (end == start || *end != ':') return -1.0;
    start = end + 1;
    const long minutes = std::strtol(start, &end, 10);
    if (end == start || *end != ':') return -1.0;
    start = end + 1;
    const double seconds = std::strtod(start, &end);
    if (end == start || hours < 0 || minutes < 0 || minutes > 59 || seconds < 0.0 || seconds >= 60.0) return -1.0;
    return hours * 3600.0 + minutes * 60.0 + seconds;
}

double SaneDuration(double seconds) { return std::isfinite(seconds) && seconds > 0.0 ? seconds : 0.0; }

// The line that holds position at.
std::string LineAt(const std::string& text, std::size_t at) {
    const std::size_t begin = text.rfind('\n', at);
    const std::size_t end = text.find('\n', at);
    const std::size_t from = begin == std::string::npos ? 0 : begin + 1;
    return text.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

// The first "Stream #..: Kind:" line of that kind; empty when there is none.
std::string FirstStreamLine(const std::string& report, const char* kind) {
    const std::string marker = std::string(": ") + kind + ":";
    for (std::size_t at = report.find("Stream #"); at != std::string::npos; at = report.find("Stream #", at + 1)) {
        const std::string line = LineAt(report, at);
        // A stream line begins with "Stream #" (metadata lines are "key : value"),
        // and the kind follows the stream's number, [id] and (language) directly.
        const std::size_t stream = line.find_first_not_of(' ');
        if (stream == std::string::npos || line.compare(stream, 8, "Stream #") != 0) continue;
        const std::size_t kindAt = line.find(marker, stream);
        if (kindAt != std::string::npos && line.find(' ', stream + 8) == kindAt + 1) return line;
    }
    return std::string();
}

bool IsSeparator(char c) { return c == ' ' || c == ','; }

// The frame size: a "WxH" standing alone between separators, so that codec
// tags such as "(avc1 / 0x31637661)" are not taken for one.
bool ParseFrameSize(const std::string& line, int& width, int& height) {
    for (std::size_t x = line.find('x'); x != std::string::npos; x = line.find('x', x + 1)) {
        std::size_t begin = x;
        while (begin > 0 && std::isdigit(static_cast<unsigned char>(line[begin - 1]))) --begin;
        std::size_t end = x + 1;
        while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) ++end;
        if (begin == x || end == x + 1 || begin == 0 || !IsSeparator(line[begin - 1])) continue;
        if (end < line.size() && !IsSeparator(line[end])) continue;
        const long w = std::strtol(line.c_str() + begin, nullptr, 10);
        const long h = std::strtol(line.c_str() + x + 1, nullptr, 10);
        if (w < 1 || h < 1 || w > 16384 || h > 16384) continue;
        width = static_cast<int>(w);
        height = static_cast<int>(h);
        return true;
    }
    return false;
}

// "NAME a:b" as a / b; 0 when absent or not positive.
double ParseRatio(const std::string& line, const char* name) {
    const std::size_t at = line.find(std::string(name) + " ");
    if (at == std::string::npos) return 0.0;
    char* end = nullptr;
    const char* start = line.c_str() + at + std::char_traits<char>::length(name) + 1;
    const long numerator = std::strtol(start, &end, 10);
    if (end == start || *end != ':') return 0.0;
    const long denominator = std::strtol(end + 1, nullptr, 10);
    return numerator > 0 && denominator > 0 ? static_cast<double>(numerator) / denominator : 0.0;
}

// The number before " UNIT" (", 25 fps", ", 29.97 tbr"); 0 when absent.
double ParseRate(const std::string& line, const char* unit) {
    const std::size_t at = line.find(std::string(" ") + unit);
    if (at == std::string::npos) return 0.0;
    const std::size_t begin = line.rfind(' ', at - 1);
    if (begin == std::string::npos) return 0.0;
    char* end = nullptr;
    const double rate = std::strtod(line.c_str() + begin + 1, &end);
    return end == line.c_str() + at && std::isfinite(rate) && rate > 0.0 && rate <= 1000.0 ? rate : 0.0;
}

}  // namespace

MediaInfo ParseMediaReport(const std::string& report) {
    MediaInfo info;
    const std::size_t duration = report.find("Duration: ");
    if (duration != std::string::npos) info.duration = SaneDuration(ParseClock(report, duration + 10));

    const std::string video = FirstStreamLine(report, "Video");
    if (!video.empty()) {
        info.hasVideo = true;
        if (ParseFrameSize(video, info.width, info.height)) {
            const double shown = ParseRatio(video, "DAR");
            const double pixel = ParseRatio(video, "SAR");
            info.displayAspect = shown > 0.0 ? shown : (pixel > 0.0 ? pixel : 1.0) * info.width / info.height;
        }
        info.frameRate = ParseRate(video, "fps");
        if (info.frameRate == 0.0) info.frameRate = ParseRate(video, "tbr");
    }
    info.hasAudio = !FirstStreamLine(report, "Audio").empty();
    return info;
}
