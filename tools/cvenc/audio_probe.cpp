#include "cvenc/audio_probe.h"

#include "cvenc/command_line.h"
#include "cvenc/ffmpeg_process.h"
#include "cvenc/standard_output.h"
#include "common/windows_text.h"

namespace {

// FFmpeg opens the input and stops at once, well within a second even under
// Wine; the rest is for a busy machine or a slow network share. A probe that
// takes longer is stuck, and the encode must not wait for it any more.
constexpr DWORD kProbeTime = 15000;

}  // namespace

InputAudio ProbeInputAudio(const std::wstring& ffmpegPath, const std::vector<std::string>& translated) {
    const std::vector<std::string> probe = AudioProbeArguments(translated);
    if (probe.empty()) return InputAudio::Present;
    const std::wstring commandLine = ToWide(JoinCommandLine(ToUtf8(ffmpegPath), probe));
    if (commandLine.size() > kLongestCommandLine) return InputAudio::Present;  // the encode says so itself
    const QuietRun run = RunFfmpegQuietly(ffmpegPath, commandLine, kProbeTime);
    if (!run.finished) {
        ReportError("cannot tell whether the input has audio; the command stays as it is");
        return InputAudio::Present;
    }
    return ReadAudioProbe(run.exitCode, run.output);
}
