#include "cvenc/silent_audio.h"

#include <cstddef>
#include <iterator>

namespace {

// Stereo at 48 kHz, the PSP's own rate; the encoder still converts it to
// whatever a profile asks with -ac and -ar.
const char kSilence[] = "anullsrc=channel_layout=stereo:sample_rate=48000";

// What FFmpeg says when the probe's -map finds no audio stream in the input.
const char kNoSuchStream[] = "Stream map '0:a:0' matches no streams";

// Options placed after the input win over the same options before it (a
// "-stats" among the progress options, a profile's own "-loglevel").
const char* const kProbeOptions[] = {
    "-map", "0:a:0", "-c",       "copy",     "-t", "0",  // its first audio stream, not decoded, for no time
    "-v",   "error", "-nostats", "-nostdin",             // nothing but errors, nothing read from standard input
    "-f",   "null",  "-"};

bool IsInputAt(const std::vector<std::string>& arguments, std::size_t i) {
    return arguments[i] == "-i" && i + 1 < arguments.size();
}

}  // namespace

std::vector<std::string> AudioProbeArguments(const std::vector<std::string>& translated) {
    for (std::size_t i = 0; i < translated.size(); ++i) {
        if (!IsInputAt(translated, i)) continue;
        std::vector<std::string> probe(translated.begin(), translated.begin() + static_cast<std::ptrdiff_t>(i + 2));
        probe.insert(probe.end(), std::begin(kProbeOptions), std::end(kProbeOptions));
        return probe;
    }
    return {};
}

InputAudio ReadAudioProbe(int exitCode, const std::string& messages) {
    const bool saysNoStream = messages.find(kNoSuchStream) != std::string::npos;
    return exitCode != 0 && saysNoStream ? InputAudio::Missing : InputAudio::Present;
}

void AddSilentAudio(std::vector<std::string>& translated) {
    std::size_t inputs = 0;
    std::size_t afterLastInput = 0;
    bool mapsOwnStreams = false;
    for (std::size_t i = 0; i < translated.size(); ++i) {
        if (IsInputAt(translated, i)) {
            ++inputs;
            ++i;  // past its value: a file name, whatever it looks like
            afterLastInput = i + 1;
        } else if (translated[i] == "-map") {
            mapsOwnStreams = true;
        }
    }
    if (inputs == 0) return;
    std::vector<std::string> added = {"-f", "lavfi", "-i", kSilence};
    if (!mapsOwnStreams) added.insert(added.end(), {"-map", "0:v:0"});
    added.insert(added.end(), {"-map", std::to_string(inputs) + ":a:0", "-shortest"});
    translated.insert(translated.begin() + static_cast<std::ptrdiff_t>(afterLastInput), added.begin(), added.end());
}
