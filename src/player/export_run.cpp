#include "player/export_run.h"

#include <algorithm>

#include "player/progress_lines.h"

namespace {

bool HasContent(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (data.nFileSizeLow > 0 || data.nFileSizeHigh > 0);
}

}  // namespace

void CExportRun::Start(const std::string& commandLine) {
    thread_ = std::thread([this, commandLine] { Run(commandLine); });
}

void CExportRun::Run(const std::string& commandLine) {
    ExportResult result = ExportResult::Failed;
    if (encoder_.Start(commandLine, CPlayerProcess::Output::Standard, true)) {
        ProgressLines lines;
        char bytes[256];
        double written = 0.0;
        while (const DWORD got = encoder_.Read(bytes, sizeof bytes)) {
            for (const double seconds : lines.Feed(bytes, got)) {
                written = seconds;
                // FFmpeg's last block can lie past the range's end.
                const double ms = std::min(seconds * 1000.0, totalMs_);
                PostMessageA(messages_.window, messages_.progress, messages_.serial, static_cast<LPARAM>(ms));
            }
        }
        encoder_.Wait(INFINITE);
        // "q" ends FFmpeg with exit code 0 as if the range were done.
        if (stopAsked_ || encoder_.Cancelled()) {
            result = ExportResult::Stopped;
        } else if (encoder_.ExitCode() == 0 && written > 0.0 && HasContent(output_)) {
            // A range past the source's end leaves FFmpeg content with a file of headers alone.
            result = ExportResult::Finished;
        }
    } else if (encoder_.Cancelled()) {
        result = ExportResult::Stopped;
    }
    PostMessageA(messages_.window, messages_.ended, messages_.serial, static_cast<LPARAM>(result));
}

void CExportRun::Stop() {
    stopAsked_ = true;
    // Before the encoder has started there is no file to finish.
    if (!encoder_.SendStop()) encoder_.Cancel();
}

void CExportRun::Abandon() {
    encoder_.Cancel();
    if (thread_.joinable()) thread_.join();
}
