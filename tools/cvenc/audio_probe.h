#pragma once

#include <string>
#include <vector>

#include "cvenc/silent_audio.h"

// Asks ffmpeg.exe whether the first input of a translated command has an
// audio stream (AudioProbeArguments), quietly and for a few seconds at most.
// Whatever it cannot find out counts as Present: the command stays as it was.
InputAudio ProbeInputAudio(const std::wstring& ffmpegPath, const std::vector<std::string>& translated);
