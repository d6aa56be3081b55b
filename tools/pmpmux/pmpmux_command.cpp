#include "pmpmux/pmpmux_command.h"

#include "pmpmux/avi_reader.h"
#include "pmpmux/mp3_frames.h"
#include "pmpmux/pmp_check.h"
#include "pmpmux/pmp_writer.h"

namespace {

const char kUsage[] = "usage: pmpmux [-y] VIDEO.avi AUDIO.mp3 OUTPUT.pmp  or  pmpmux -check OUTPUT.pmp AUDIO.mp3";

int Failure(const std::string& path, const std::string& why, std::string* message) {
    *message = "pmpmux: " + path + ": " + why;
    return kExitFailure;
}

std::unique_ptr<InputFile> OpenInput(FileSystem& files, const std::string& path, std::string* message) {
    std::string why;
    std::unique_ptr<InputFile> file = files.OpenInput(path, &why);
    if (!file) Failure(path, "cannot open: " + why, message);
    return file;
}

bool ReadAudio(ByteSource& file, const std::string& path, Mp3Stream* stream, std::string* message) {
    CachedSource cached(file);
    std::string why;
    if (ReadMp3Stream(cached, stream, &why)) return true;
    Failure(path, why, message);
    return false;
}

// A source without sound gives an AVI without audio, from which no MP3 could
// be made: the .pmp then carries silence, since its players need audio frames.
int Mux(const std::string& videoPath, const std::string& audioPath, const std::string& outputPath, bool replace,
        FileSystem& files, std::string* message) {
    std::unique_ptr<InputFile> videoFile = OpenInput(files, videoPath, message);
    if (!videoFile) return kExitFailure;
    std::string why;
    AviVideo video;
    CachedSource cachedVideo(*videoFile);
    if (!ReadAviVideo(cachedVideo, &video, &why)) return Failure(videoPath, why, message);

    std::unique_ptr<InputFile> audioFile = files.OpenInput(audioPath, &why);
    if (!audioFile && video.hasAudio) return Failure(audioPath, "cannot open: " + why, message);
    Mp3Stream audio = SilentMp3Stream();
    if (audioFile && !ReadAudio(*audioFile, audioPath, &audio, message)) return kExitFailure;
    PmpPlan plan;
    if (!PlanPmp(video, audio, &plan, &why)) return Failure(outputPath, why, message);

    std::unique_ptr<OutputFile> output = files.OpenOutput(outputPath, replace, &why);
    if (!output && !replace && files.OpenInput(outputPath, &why)) {
        // FFmpeg's words for it, which the converter knows.
        *message = "pmpmux: File '" + outputPath + "' already exists. Exiting.";
        return kExitFailure;
    }
    if (!output) return Failure(outputPath, "cannot create: " + why, message);
    if (output->Identity() == videoFile->Identity() || (audioFile && output->Identity() == audioFile->Identity())) {
        return Failure(outputPath, "is one of the input files; it is left as it was", message);
    }
    if (!output->Truncate()) return Failure(outputPath, "cannot empty the file", message);
    MemorySource noAudio("");
    CachedSource cachedAudio(audioFile ? static_cast<ByteSource&>(*audioFile) : noAudio);
    if (!WritePmp(plan, video, *videoFile, audio, cachedAudio, *output, &why)) return Failure(outputPath, why, message);
    if (!output->Close()) return Failure(outputPath, "cannot finish writing (is the disk full?)", message);
    return kExitSuccess;
}

// Without the MP3 (a silent source) the .pmp must hold silence only.
int Check(const std::string& pmpPath, const std::string& audioPath, FileSystem& files, std::string* message) {
    std::unique_ptr<InputFile> pmpFile = OpenInput(files, pmpPath, message);
    if (!pmpFile) return kExitFailure;
    std::string why;
    std::unique_ptr<InputFile> audioFile = files.OpenInput(audioPath, &why);

    Mp3Stream audio = SilentMp3Stream();
    if (audioFile && !ReadAudio(*audioFile, audioPath, &audio, message)) return kExitFailure;
    CachedSource cachedPmp(*pmpFile);
    MemorySource noAudio("");
    CachedSource cachedAudio(audioFile ? static_cast<ByteSource&>(*audioFile) : noAudio);
    if (!CheckPmp(cachedPmp, audio, cachedAudio, &why)) return Failure(pmpPath, why, message);
    return kExitSuccess;
}

}  // namespace

int RunPmpmux(const std::vector<std::string>& arguments, FileSystem& files, std::string* message) {
    if (arguments.size() == 3 && arguments[0] == "-check") return Check(arguments[1], arguments[2], files, message);
    const bool replace = !arguments.empty() && arguments[0] == "-y";
    const std::size_t first = replace ? 1 : 0;
    if (arguments.size() == first + 3 && arguments[first].compare(0, 1, "-") != 0) {
        return Mux(arguments[first], arguments[first + 1], arguments[first + 2], replace, files, message);
    }
    *message = kUsage;
    return kExitUsage;
}
