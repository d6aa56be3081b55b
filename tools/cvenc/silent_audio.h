#pragma once

#include <string>
#include <vector>

// FFmpeg's psp muxer refuses a file without an audio stream, and a PSP will
// not play one either. "-needaudio" makes sure the output has one: when the
// first input has no sound, cvenc adds a silent stereo track from FFmpeg's own
// silence source, ended with the video. An input with sound is left alone.
// Whether it has sound is asked of ffmpeg.exe itself before the encode.

enum class InputAudio { Present, Missing };

// FFmpeg arguments that ask whether the first input of a translated command
// has an audio stream: that input with the options before it, then its first
// audio stream copied for no time at all into nothing, quietly and without
// reading standard input. Empty when the command names no input.
std::vector<std::string> AudioProbeArguments(const std::vector<std::string>& translated);

// What a finished probe's exit code and messages say. Only FFmpeg saying that
// there is no such stream counts as Missing: an input it cannot open is not
// known to be silent, and the command is better left as it was.
InputAudio ReadAudioProbe(int exitCode, const std::string& messages);

// Adds the silent track to a translated command whose first input has no
// audio: the silence source as one more input after the last one, so that the
// options that follow (a range given after "-i" among them) still apply to the
// output, the first input's video and the silence mapped to it, and the output
// ended with its shortest stream, the video, as the silence never ends.
// A command that maps its own streams keeps them; only the silence is added.
void AddSilentAudio(std::vector<std::string>& translated);
