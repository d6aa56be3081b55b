#pragma once

#include <string>

#include "player/picture_fit.h"

// The command lines the player runs FFmpeg with. Each run does one job and
// writes one stream: FFmpeg with two outputs fails as a whole when the source
// lacks one of the streams, so playback uses one run for pictures and one for
// sound. Times are in seconds; input seeking (-ss before -i) decodes from the
// key frame before the start and hands out frames from the start on exactly.

// Just opens the file: its report (on the error output) tells length and streams.
std::string ReportCommand(const std::string& encoder, const std::string& source);
// Lists the encoders the build offers.
std::string EncoderListCommand(const std::string& encoder);

// One frame at the start, as 24-bit BGR pixels of the given size.
std::string StillFrameCommand(const std::string& encoder, const std::string& source, double start, int width,
                              int height);
// The range's pictures at a constant rate, as 24-bit BGR pixels of the given size.
std::string PicturesCommand(const std::string& encoder, const std::string& source, double start, double length,
                            int width, int height, double frameRate);
// The range's sound as 16-bit little-endian stereo PCM.
constexpr int kSoundRate = 44100;
constexpr int kSoundChannels = 2;
std::string SoundCommand(const std::string& encoder, const std::string& source, double start, double length);

// What an export writes.
struct ExportSettings {
    long format = 0;  // kOutputFormatAvi or kOutputFormatMpeg
    int width = 0;
    int height = 0;
    double frameRate = 0.0;
    PictureRect picture;       // where the source's picture lies in the frame
    std::string videoEncoder;  // for AVI: FFmpeg's encoder names
    std::string audioEncoder;
};

// Writes the range to the output with progress blocks on the standard output;
// never replaces an existing file.
std::string ExportCommand(const std::string& encoder, const std::string& source, double start, double length,
                          const std::string& output, const ExportSettings& settings);

// A frame rate as FFmpeg takes it: the NTSC rates as exact fractions, since
// MPEG-1 accepts only its standard rates.
std::string FrameRateText(double frameRate);
