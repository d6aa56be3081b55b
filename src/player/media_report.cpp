#include "player/media_report.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

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

// The fields of a stream's description, split at the ", " outside brackets:
// "yuv420p(tv, top first)" is one field.
std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields(1);
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == '[') ++depth;
        if ((c == ')' || c == ']') && depth > 0) --depth;
        if (depth == 0 && c == ',' && i + 1 < text.size() && text[i + 1] == ' ') {
            fields.emplace_back();
            ++i;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// The frame size of a field that begins "WxH" ("720x576 [SAR 64:45 DAR 16:9]").
bool ParseFrameSize(const std::string& field, int& width, int& height) {
    char* end = nullptr;
    if (!std::isdigit(static_cast<unsigned char>(field[0]))) return false;
    const long w = std::strtol(field.c_str(), &end, 10);
    if (*end != 'x' || !std::isdigit(static_cast<unsigned char>(end[1]))) return false;
    const long h = std::strtol(end + 1, &end, 10);
    if ((*end != '\0' && *end != ' ') || w < 1 || h < 1 || w > 16384 || h > 16384) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// "NAME a:b" as a / b; 0 when absent or not positive.
double ParseRatio(const std::string& field, const char* name) {
    const std::size_t at = field.find(std::string(name) + " ");
    if (at == std::string::npos) return 0.0;
    char* end = nullptr;
    const char* start = field.c_str() + at + std::char_traits<char>::length(name) + 1;
    const long numerator = std::strtol(start, &end, 10);
    if (end == start || *end != ':') return 0.0;
    const long denominator = std::strtol(end + 1, nullptr, 10);
    return numerator > 0 && denominator > 0 ? static_cast<double>(numerator) / denominator : 0.0;
}

// The number of a field "NUMBER UNIT" ("25 fps", "29.97 tbr (default)"); 0 when the field is not one.
double ParseRate(const std::string& field, const char* unit) {
    char* end = nullptr;
    const double rate = std::strtod(field.c_str(), &end);
    const std::string named = std::string(" ") + unit;
    const std::size_t after = end - field.c_str() + named.size();
    if (end == field.c_str() || field.compare(end - field.c_str(), named.size(), named) != 0) return 0.0;
    if (after < field.size() && field[after] != ' ') return 0.0;
    return std::isfinite(rate) && rate > 0.0 && rate <= 1000.0 ? rate : 0.0;
}

void ReadVideo(const std::string& details, MediaInfo& info) {
    info.hasVideo = true;
    const std::vector<std::string> fields = Fields(details);
    double fps = 0.0;
    double tbr = 0.0;
    // The first field names the codec, with its profile and tag: "mpeg4 (Simple Profile) ( 1x1 / 0x31783120)".
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        if (info.width == 0 && ParseFrameSize(field, info.width, info.height)) {
            const double shown = ParseRatio(field, "DAR");
            const double pixel = ParseRatio(field, "SAR");
            info.displayAspect = shown > 0.0 ? shown : (pixel > 0.0 ? pixel : 1.0) * info.width / info.height;
        }
        if (fps == 0.0) fps = ParseRate(field, "fps");
        if (tbr == 0.0) tbr = ParseRate(field, "tbr");
    }
    info.frameRate = fps > 0.0 ? fps : tbr;
}

// A stream line "Stream #0:1[0x1e0](eng): Video: ...": its kind and what follows it.
bool SplitStreamLine(const std::string& text, std::string& kind, std::string& details) {
    std::size_t at = text.find_first_not_of("0123456789", std::char_traits<char>::length("Stream #"));
    if (at != std::string::npos && text[at] == ':') at = text.find_first_not_of("0123456789", at + 1);
    if (at != std::string::npos && text[at] == '[') at = text.find(']', at);
    if (at != std::string::npos && text[at] == ']') ++at;
    if (at != std::string::npos && text.compare(at, 1, "(") == 0) at = text.find(')', at);
    if (at != std::string::npos && text[at] == ')') ++at;
    if (at == std::string::npos || text.compare(at, 2, ": ") != 0) return false;
    const std::size_t colon = text.find(": ", at + 2);
    kind = text.substr(at + 2, colon == std::string::npos ? std::string::npos : colon - at - 2);
    details = colon == std::string::npos ? std::string() : text.substr(colon + 2);
    return true;
}

}  // namespace

MediaInfo ParseMediaReport(const std::string& report) {
    // FFmpeg indents its own lines by what they belong to: 2 for the input's
    // ("  Duration: "), 4 for its streams' ("    Stream #0:0"). A tag's key
    // and value are printed as they are, but always indented deeper than the
    // "Metadata:" line they follow, so they are passed over whatever they say.
    MediaInfo info;
    bool durationRead = false;
    std::size_t tagsDeeperThan = std::string::npos;
    std::istringstream lines(report);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
        if (tagsDeeperThan != std::string::npos && indent > tagsDeeperThan) continue;
        tagsDeeperThan = std::string::npos;
        const std::string text = line.substr(indent);
        std::string kind, details;
        if (text == "Metadata:") {
            tagsDeeperThan = indent;
        } else if (indent == 2 && StartsWith(text, "Duration: ") && !durationRead) {
            durationRead = true;
            info.duration = SaneDuration(ParseClock(text, 10));
        } else if (indent == 4 && StartsWith(text, "Stream #") && SplitStreamLine(text, kind, details)) {
            if (kind == "Video" && !info.hasVideo) ReadVideo(details, info);
            if (kind == "Audio") info.hasAudio = true;
        }
    }
    return info;
}
