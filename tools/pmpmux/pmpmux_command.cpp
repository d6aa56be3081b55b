#include "pmpmux/pmpmux_command.h"

#include "pmpmux/avi_reader.h"
#include "pmpmux/mp3_frames.h"
#include "pmpmux/pmp_check.h"
#include "pmpmux/pmp_writer.h"

namespace {

const char kUsage[] = "usage: pmpmux VIDEO.avi AUDIO.mp3 OUTPUT.pmp  or  pmpmux -check OUTPUT.pmp AUDIO.mp3";

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

int Mux(const std::string& videoPath, const std::string& audioPath, const std::string& outputPath, FileSystem& files,
        std::string* message) {
    std::unique_ptr<InputFile> videoFile = OpenInput(files, videoPath, message);
    if (!videoFile) return kExitFailure;
    std::unique_ptr<InputFile> audioFile = OpenInput(files, audioPath, message);
    if (!audioFile) return kExitFailure;

    std::string why;
    AviVideo video;
    CachedSource cachedVideo(*videoFile);
    if (!ReadAviVideo(cachedVideo, &video, &why)) return Failure(videoPath, why, message);
    Mp3Stream audio;
    if (!ReadAudio(*audioFile, audioPath, &audio, message)) return kExitFailure;
    PmpPlan plan;
    if (!PlanPmp(video, audio, &plan, &why)) return Failure(outputPath, why, message);

    std::unique_ptr<OutputFile> output = files.OpenOutput(outputPath, &why);
    if (!output) return Failure(outputPath, "cannot create: " + why, message);
    if (output->Identity() == videoFile->Identity() || output->Identity() == audioFile->Identity()) {
        return Failure(outputPath, "is one of the input files; it is left as it was", message);
    }
    if (!output->Truncate()) return Failure(outputPath, "cannot empty the file", message);
    CachedSource cachedAudio(*audioFile);
    if (!WritePmp(plan, video, *videoFile, audio, cachedAudio, *output, &why)) return Failure(outputPath, why, message);
    if (!output->Close()) return Failure(outputPath, "cannot finish writing (is the disk full?)", message);
    return kExitSuccess;
}

int Check(const std::string& pmpPath, const std::string& audioPath, FileSystem& files, std::string* message) {
    std::unique_ptr<InputFile> pmpFile = OpenInput(files, pmpPath, message);
    if (!pmpFile) return kExitFailure;
    std::unique_ptr<InputFile> audioFile = OpenInput(files, audioPath, message);
    if (!audioFile) return kExitFailure;

    Mp3Stream audio;
    if (!ReadAudio(*audioFile, audioPath, &audio, message)) return kExitFailure;
    CachedSource cachedPmp(*pmpFile);
    CachedSource cachedAudio(*audioFile);
    std::string why;
    if (!CheckPmp(cachedPmp, audio, cachedAudio, &why)) return Failure(pmpPath, why, message);
    return kExitSuccess;
}

}  // namespace

int RunPmpmux(const std::vector<std::string>& arguments, FileSystem& files, std::string* message) {
    if (arguments.size() == 3 && arguments[0] == "-check") return Check(arguments[1], arguments[2], files, message);
    if (arguments.size() == 3 && arguments[0].compare(0, 1, "-") != 0) {
        return Mux(arguments[0], arguments[1], arguments[2], files, message);
    }
    *message = kUsage;
    return kExitUsage;
}
