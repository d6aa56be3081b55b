#include "player/encoder_report.h"

#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <tuple>

#include "player/encoder_commands.h"
#include "player/player_process.h"

namespace {

// How long a stopped run's output may take to end once the run is gone.
constexpr int kReaderGraceMs = 2000;

struct FileVersion {
    std::string path;
    ULONGLONG size = 0;
    ULONGLONG written = 0;
    bool operator<(const FileVersion& other) const {
        return std::tie(path, size, written) < std::tie(other.path, other.size, other.written);
    }
};

bool VersionOf(const std::string& path, FileVersion& version) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    version.path = path;
    version.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    version.written =
        (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

std::mutex probedLock;
std::map<FileVersion, MediaInfo> probed;

}  // namespace

EncoderReport RunForReport(const std::string& commandLine, bool errorOutput, DWORD timeoutMs, HANDLE stop) {
    // Shared with the reader, which may outlive this call (below).
    struct Run {
        CPlayerProcess process;
        std::string report;
    };
    const auto run = std::make_shared<Run>();
    if (!run->process.Start(commandLine, errorOutput ? CPlayerProcess::Output::Error : CPlayerProcess::Output::Standard,
                            false)) {
        return {};
    }
    std::promise<void> done;
    std::future<void> readerDone = done.get_future();
    std::thread reader([run, done = std::move(done)]() mutable {
        char bytes[4096];
        while (const DWORD got = run->process.Read(bytes, sizeof bytes)) run->report.append(bytes, got);
        done.set_value();
    });
    const HANDLE ends[2] = {run->process.Handle(), stop};
    const DWORD woke = WaitForMultipleObjects(stop ? 2 : 1, ends, FALSE, timeoutMs);
    run->process.Cancel();
    // A run ended while it was still starting can leave its pipe open a long
    // time under some systems: its reader is left to end on its own, and the
    // report counts as empty, rather than holding the caller (and a window
    // closing) without end.
    if (readerDone.wait_for(std::chrono::milliseconds(kReaderGraceMs)) != std::future_status::ready) {
        reader.detach();
        return {};
    }
    reader.join();
    return {run->report, woke == WAIT_OBJECT_0};
}

std::optional<MediaInfo> KnownMedia(const std::string& source) {
    FileVersion version;
    if (!VersionOf(source, version)) return std::nullopt;
    std::lock_guard<std::mutex> hold(probedLock);
    const auto known = probed.find(version);
    if (known == probed.end()) return std::nullopt;
    return known->second;
}

ProbedMedia ProbeMedia(const std::string& encoder, const std::string& source, HANDLE stop, ProbeLimits limits) {
    if (const std::optional<MediaInfo> known = KnownMedia(source)) return {*known, true};
    // FFmpeg always prints its banner: silence means it never ran (a start
    // that failed on a busy system, or a crash before its first line).
    const auto answered = [](const EncoderReport& report) { return report.finished && !report.text.empty(); };
    const auto stopped = [stop] { return stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; };
    FileVersion version;
    const bool versioned = VersionOf(source, version);
    const std::string command = ReportCommand(encoder, source);
    EncoderReport report = RunForReport(command, true, limits.firstMs, stop);
    if (!answered(report) && !stopped()) report = RunForReport(command, true, limits.retryMs, stop);
    const ProbedMedia result = {ParseMediaReport(report.text), answered(report)};
    const MediaInfo& info = result.info;
    // Only what FFmpeg found in a file is kept: a file it could not read yet
    // (still being copied, say) is asked about again next time.
    if (result.answered && versioned && (info.duration > 0.0 || info.hasVideo || info.hasAudio)) {
        std::lock_guard<std::mutex> hold(probedLock);
        probed[version] = info;
    }
    return result;
}
