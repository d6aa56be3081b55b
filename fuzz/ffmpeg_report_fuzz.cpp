// The player reads what FFmpeg says of a file ("ffmpeg -i FILE") and which
// encoders it has ("ffmpeg -encoders"). FFmpeg prints a file's name and tags
// as they are, so they can say anything. Each input describes a file and the
// encoders at hand; the harness prints both reports the way FFmpeg prints
// them, and the readers must give back what they were built from.
//
// Input: records separated by zero bytes, each a letter and its text:
//   n NAME                    the file's name
//   d CENTISECONDS            its length (without it, "N/A")
//   t KEY=VALUE               a tag of the file, or of the stream before it
//   v TAG W H FPS100 SAR DAR  a video stream: four bytes of codec tag, the frame
//                             size, frames per second x 100, aspects as "N:D"
//   a TAG                     an audio stream
//   o TAG                     a data stream
//   e NAME DESCRIPTION        an encoder
//   r                         lines end in CR LF
#include <strings.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "player/codec_catalog.h"
#include "player/media_report.h"

namespace {

std::string Printed(const char* format, long long a, long long b = 0, long long c = 0, long long d = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// A codec tag as FFmpeg shows it: letters, digits and ". -_" as they are, other bytes as "[N]".
std::string FourCc(const std::string& tag) {
    std::string shown;
    for (unsigned char c : tag) {
        const bool plain = std::isalnum(c) || (c != 0 && std::strchr(". -_", c));
        shown += plain ? std::string(1, static_cast<char>(c)) : Printed("[%lld]", c);
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(tag[i]);
    return " (" + shown + Printed(" / 0x%04llX)", value);
}

// A tag's lines: the key as it is, the value with line feeds continued on
// lines of their own, CR shown as a blank, other control bytes and anything
// past 255 bytes of a line left out.
std::string TagLines(const std::string& indent, const std::string& key, const std::string& value) {
    const std::string head = indent + "  " + key + std::string(key.size() < 16 ? 16 - key.size() : 0, ' ') + ": ";
    std::string lines = head, segment;
    const auto flush = [&] { lines += segment.substr(0, 255), segment.clear(); };
    for (char c : value) {
        if (std::strchr("\b\n\v\f\r", c) == nullptr) {
            segment += c;
            continue;
        }
        flush();
        if (c == '\r') lines += ' ';
        if (c == '\n') lines += "\n" + indent + "  " + std::string(16, ' ') + ": ";
    }
    flush();
    return lines + "\n";
}

struct Stream {
    char kind;
    std::string line;
    std::string tags;
};

// print_fps: "%1.4f" below 0.005, "%3.2f" with a fraction, else "%1.0f".
std::string Fps(int hundredths, const char* unit) {
    char text[64];
    if (hundredths % 100) {
        std::snprintf(text, sizeof text, "%3.2f %s", hundredths / 100.0, unit);
    } else {
        std::snprintf(text, sizeof text, "%d %s", hundredths / 100, unit);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string name = "clip.avi", fileTags, encoders;
    long long centiseconds = -1;
    bool crlf = false;
    std::vector<Stream> streams;
    std::set<std::string> encoderNames;
    MediaInfo expected;
    for (const std::string& record : ZeroSeparated(data, size)) {
        if (record.empty()) continue;
        const std::string text = record.substr(1);
        const std::string tag = (text + "    ").substr(0, 4);
        const std::string details = text.size() > 4 ? text.substr(4) : std::string();
        switch (record[0]) {
            case 'n':  // Windows names hold no line breaks
                if (text.find_first_of("\r\n") == std::string::npos) name = text;
                break;
            case 'd':
                centiseconds = std::strtoll(text.c_str(), nullptr, 10);
                if (centiseconds < 0 || centiseconds > 360000LL * 100000) centiseconds = -1;
                break;
            case 't': {
                // A key holding a line break could print any line at all, and
                // the language shows in the stream's own line: both left out.
                const std::size_t equals = text.find('=');
                const std::string key = text.substr(0, equals);
                if (equals == std::string::npos || key.find('\n') != std::string::npos ||
                    strcasecmp(key.c_str(), "language") == 0) {
                    break;
                }
                if (streams.empty()) {
                    fileTags += TagLines("  ", key, text.substr(equals + 1));
                } else {
                    streams.back().tags += TagLines("    ", key, text.substr(equals + 1));
                }
                break;
            }
            case 'v': {
                int width = 0, height = 0, fps = 0, sarN = 0, sarD = 0, darN = 0, darD = 0;
                if (std::sscanf(details.c_str(), "%d %d %d %d:%d %d:%d", &width, &height, &fps, &sarN, &sarD, &darN,
                                &darD) < 2 ||
                    width < 1 || height < 1 || width > 16384 || height > 16384) {
                    break;
                }
                std::string line = ": Video: mpeg4 (Simple Profile)" + FourCc(tag) + ", yuv420p(tv, top first), " +
                                   Printed("%lldx%lld", width, height);
                const bool aspects = sarN > 0 && sarD > 0 && darN > 0 && darD > 0;
                if (aspects) line += Printed(" [SAR %lld:%lld DAR %lld:%lld]", sarN, sarD, darN, darD);
                const bool rated = fps > 0 && fps < 100000;
                if (rated) line += ", " + Fps(fps, "fps") + ", " + Fps(fps, "tbr");
                streams.push_back({'v', line + ", 90k tbn, 50 tbc", ""});
                if (!expected.hasVideo) {
                    expected.hasVideo = true;
                    expected.width = width;
                    expected.height = height;
                    expected.displayAspect =
                        aspects ? static_cast<double>(darN) / darD : static_cast<double>(width) / height;
                    expected.frameRate = rated ? fps / 100.0 : 0.0;
                }
                break;
            }
            case 'a':
                streams.push_back({'a', ": Audio: mp3" + FourCc(tag) + ", 44100 Hz, stereo, fltp, 128 kb/s", ""});
                expected.hasAudio = true;
                break;
            case 'o':
                streams.push_back({'o', ": Data: none" + FourCc(tag), ""});
                break;
            case 'e': {
                const std::size_t blank = text.find(' ');
                const std::string encoder = text.substr(0, blank);
                const std::string description = blank == std::string::npos ? "" : text.substr(blank + 1);
                if (encoder.empty() || description.find_first_of("\r\n") != std::string::npos) break;
                bool word = true;
                for (unsigned char c : encoder) word = word && std::isgraph(c);
                if (!word) break;
                encoderNames.insert(encoder);
                encoders += std::string(encoderNames.size() % 2 ? " V...." : " A....") + ".D"[encoder.size() % 2] +
                            " " + encoder + std::string(encoder.size() < 20 ? 20 - encoder.size() : 0, ' ') + " " +
                            description + "\n";
                break;
            }
            case 'r':
                crlf = true;
                break;
        }
    }

    const std::string banner =
        "ffmpeg version 4.1 Copyright (c) 2000-2018 the FFmpeg developers\n  built with gcc 8.2.1 (GCC)\n"
        "  configuration: --enable-gpl --enable-libmp3lame\n  libavutil      56. 22.100 / 56. 22.100\n";
    std::string report = banner + "Input #0, avi, from '" + name + "':\n";
    if (!fileTags.empty()) report += "  Metadata:\n" + fileTags;
    if (centiseconds >= 0) {
        const long long seconds = centiseconds / 100;
        report += Printed("  Duration: %02lld:%02lld:%02lld.%02lld, start: 0.000000, bitrate: 1205 kb/s\n",
                          seconds / 3600, seconds / 60 % 60, seconds % 60, centiseconds % 100);
        expected.duration = centiseconds / 100.0;
    } else {
        report += "  Duration: N/A, bitrate: N/A\n";
    }
    for (std::size_t i = 0; i < streams.size(); ++i) {
        report += Printed("    Stream #0:%lld", static_cast<long long>(i)) +
                  (i % 3 == 1   ? "[0x1e0]"
                   : i % 3 == 2 ? "(eng)"
                                : "") +
                  streams[i].line + (i == 0 ? " (default)\n" : "\n");
        if (!streams[i].tags.empty()) report += "    Metadata:\n" + streams[i].tags;
    }
    report += "At least one output file must be specified\n";
    if (crlf) {
        std::string windows;
        for (char c : report) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
        report = windows;
    }

    const MediaInfo info = ParseMediaReport(report);
    FUZZ_CHECK(std::fabs(info.duration - expected.duration) <= 1e-9 * (1.0 + expected.duration));
    FUZZ_CHECK(info.hasVideo == expected.hasVideo && info.hasAudio == expected.hasAudio);
    FUZZ_CHECK(info.width == expected.width && info.height == expected.height);
    FUZZ_CHECK(std::fabs(info.displayAspect - expected.displayAspect) <= 1e-9 * expected.displayAspect);
    FUZZ_CHECK(std::fabs(info.frameRate - expected.frameRate) <= 1e-9 * expected.frameRate);

    const std::string list = banner +
                             "Encoders:\n V..... = Video\n A..... = Audio\n S..... = Subtitle\n"
                             " .F.... = Frame-level multithreading\n ..S... = Slice-level multithreading\n"
                             " ...X.. = Codec is experimental\n ....B. = Supports draw_horiz_band\n"
                             " .....D = Supports direct rendering method 1\n ------\n" +
                             encoders;
    FUZZ_CHECK(ParseEncoderList(list) == encoderNames);
    return 0;
}
