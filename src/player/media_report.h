#pragma once

#include <string>

// What the encoder tells about a media file when it is asked only to open it
// ("ffmpeg -i FILE"): its length and its first video and audio streams.
struct MediaInfo {
    double duration = 0.0;  // seconds; 0 when unknown or not a sane number
    bool hasVideo = false;
    bool hasAudio = false;
    int width = 0;  // coded frame size of the first video stream
    int height = 0;
    double displayAspect = 0.0;  // width / height as shown; 0 when unknown
    double frameRate = 0.0;      // frames per second; 0 when unknown
};

// Reads the report FFmpeg prints on its error output, e.g.
//   Duration: 00:01:02.50, start: 0.000000, bitrate: 1205 kb/s
//     Stream #0:0[0x1e0]: Video: mpeg2video (Main), yuv420p(tv, top first), 720x576 [SAR 64:45 DAR 16:9], 25 fps, ...
//     Stream #0:1(eng): Audio: mp3, 44100 Hz, stereo, fltp, 128 kb/s
// Only FFmpeg's own lines are read, never the text of the file's tags, which
// it prints as they are. Anything it cannot read is left at its default: a
// file FFmpeg cannot open gives a duration of 0 and no streams.
MediaInfo ParseMediaReport(const std::string& report);
