#pragma once

#include <string>
#include <vector>

// The export writes an AVI with two named codecs when the player offers both,
// and an MPEG file otherwise. The codecs are found by name in the player's
// lists, so the choice does not depend on the order the player lists them in.

// Output formats the player writes.
constexpr long kOutputFormatMpeg = 6;  // MPEG-1 system stream
constexpr long kOutputFormatAvi = 8;

// Every export is written at this size and bit depth.
constexpr short kExportWidth = 320;
constexpr short kExportHeight = 240;
constexpr short kExportBitCount = 24;

// Indices into the player's video and audio codec lists; -1 when none fits.
struct CodecChoice {
    int video = -1;
    int audio = -1;
    bool BothFound() const { return video >= 0 && audio >= 0; }
};

// Video: the last name containing "Microsoft MPEG-4 Video Codec V3", else the
// last containing "DivX". Audio: the last containing "MPEG Layer-3", else the
// last containing "PCM".
CodecChoice ChooseExportCodecs(const std::vector<std::string>& videoNames, const std::vector<std::string>& audioNames);

// How the export is written for a codec choice.
struct ExportForm {
    float frameRate;
    long format;
    bool setCodecs;           // the codec properties are given to the player
    const char* namePattern;  // the intermediate file's name: work name, number
};
ExportForm ExportFormFor(const CodecChoice& choice);
