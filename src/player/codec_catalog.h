#pragma once

#include <set>
#include <string>
#include <vector>

// The codecs that an export can be written with, under the names the player's
// codec lists show. The names keep the export's choice by name meaningful:
// FFmpeg's msmpeg4 (its encoder of the codec msmpeg4v3) is the "Microsoft MPEG-4 Video Codec V3", its MPEG-4
// Part 2 encoder the "DivX" entry, LAME "MPEG Layer-3", 16-bit PCM "PCM".
// A codec is listed only when the encoder at hand offers it.
struct CatalogCodec {
    std::string name;     // as the list shows it
    std::string encoder;  // FFmpeg's encoder name
};

// The encoder names in the report of "ffmpeg -encoders" (the second word of
// each line after the "------" rule).
std::set<std::string> ParseEncoderList(const std::string& report);

std::vector<CatalogCodec> VideoCatalog(const std::set<std::string>& encoders);
std::vector<CatalogCodec> AudioCatalog(const std::set<std::string>& encoders);
