#pragma once

#include <string>
#include <vector>

// Our profile files were written for an older encoder's option dialect
// ("-vcodec xvid", "-b 768" in kbit/s, "-vol 512"...). cvenc keeps that dialect
// stable for them and says it again in FFmpeg's terms; anything it does not
// know passes through unchanged and in order, so a profile may also use plain
// FFmpeg options.
//
// A frame size ("-s 320x240") keeps the picture's shape: the output's "-s"
// becomes a filter chain that fits the source inside the frame with black bars
// (picture_fit.h), shown at the command's "-aspect" or else with square pixels.
// cvenc's own "-stretch" keeps the old way: the picture fills the frame.
// cvenc's own "-maxsize 1280x720" is a bound, not a frame: the source's frame
// is made smaller to fit it, never larger, and gets no bars.

struct Translation {
    std::vector<std::string> arguments;  // for ffmpeg.exe, without the program name
    std::string error;                   // empty when the translation worked
    bool needsAudio = false;             // "-needaudio": the output must have an audio stream (silent_audio.h)
};

// Arguments as they came (without cvenc's own name) to FFmpeg's arguments,
// with the options FFmpeg needs to print its progress lines in front.
Translation TranslateArguments(const std::vector<std::string>& dialect);
