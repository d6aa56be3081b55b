#include "engine/family_passes.h"

#include "engine/output_settings.h"
#include "engine/profile_files.h"
#include "tasks/conversion_item.h"

namespace {

constexpr int k3gp2Type = 2;
const char* const kIpodExtension = ".mp4";

using ProfileLines = std::vector<std::string>;

// A profile with fewer lines than the family has passes runs the missing ones
// as empty commands, which cannot start and are skipped like any such command.
std::string Line(const ProfileLines& lines, std::size_t number) {
    return number < lines.size() ? lines[number] : std::string();
}

// Status first, then the run, then the Stop check. False when Stop ended the routine.
bool EncodingPass(IPassHost& host, const std::string& commandTemplate) {
    const std::string command = host.ExpandCommand(commandTemplate);
    host.SetItemStatus(kStatusEncoding);
    host.RunEncoder(command);
    if (host.CancelRequested()) {
        host.SetItemStatus(kStatusCanceled);
        return false;
    }
    host.StopEncoder();  // closes our pipe ends; the encoder has finished already
    return true;
}

void HiddenPass(IPassHost& host, const std::string& commandTemplate, int status = kStatusNone) {
    const std::string command = host.ExpandCommand(commandTemplate);
    if (status != kStatusNone) host.SetItemStatus(status);
    host.RunHidden(command);
}

bool StopCheck(IPassHost& host) {
    if (!host.CancelRequested()) return true;
    host.SetItemStatus(kStatusCanceled);
    return false;
}

void DeleteIntermediate(IPassHost& host, const char* suffix) {
    host.DeleteFile(OutputFilePath(host.OutputDirectory(), host.OutputName(), suffix));
}

}  // namespace

std::string OutputFilePath(const std::string& outputDirectory, const std::string& outputName, const char* suffix) {
    return outputDirectory + outputName + suffix;
}

// The iPod pass leaves a stopped item at "encoding" with its last figures, and
// marks the item finished before the media-library step so the row reads
// finished while that runs.
void RunIpodPasses(IPassHost& host) {
    host.EnterAppFolder();
    const std::string command = host.BuildIpodCommand();
    host.SetItemStatus(kStatusEncoding);
    host.RunEncoder(command);
    if (host.CancelRequested()) return;
    host.DeleteFile(host.ExportPath());
    host.StopEncoder();
    host.MarkItemFinished();
    if (!host.ShutDownWhenFinished()) {
        host.AddToITunes(host.OutputDirectory() + host.OutputName() + kIpodExtension);
    }
}

void RunPspPasses(IPassHost& host) {
    const std::optional<ProfileLines> lines = host.OpenProfile(kPspProfileFile);
    if (!lines) return;
    HiddenPass(host, Line(*lines, 1));
    if (!StopCheck(host)) return;
    EncodingPass(host, Line(*lines, 2));
}

// The first intermediate is deleted after pass 3 even when Stop came during
// it; a 3GP2 item then ends its pass 4 at once and is marked canceled.
void Run3gpPasses(IPassHost& host) {
    const int fileIndex = ProfileFileForTab(kTab3gp, host.ThreeGpType());
    const std::optional<ProfileLines> lines = host.OpenProfile(fileIndex);
    if (!lines) return;
    if (!EncodingPass(host, Line(*lines, 1))) return;
    HiddenPass(host, Line(*lines, 2), kStatusExporting);
    if (!StopCheck(host)) return;
    HiddenPass(host, Line(*lines, 3));
    DeleteIntermediate(host, kTemp3gp);
    if (host.ThreeGpType() != k3gp2Type) return;
    HiddenPass(host, Line(*lines, 4), kStatusChanging);
    if (!StopCheck(host)) return;
    HiddenPass(host, Line(*lines, 5));
    DeleteIntermediate(host, kTemp3g2);
}

void RunSinglePass(IPassHost& host) {
    const std::optional<ProfileLines> lines = host.OpenProfile(ProfileFileForTab(host.DeviceTab(), 0));
    if (!lines) return;
    EncodingPass(host, Line(*lines, 1));
}

// No Stop check between passes 3 and 4: a Stop during pass 3 still deletes its
// intermediate, starts pass 4 (ended at once) and deletes that one's too.
void RunPmpPasses(IPassHost& host) {
    const std::optional<ProfileLines> lines = host.OpenProfile(kPmpProfileFile);
    if (!lines) return;
    if (!EncodingPass(host, Line(*lines, 1))) return;
    HiddenPass(host, Line(*lines, 2), kStatusMuxingPmp);
    if (!StopCheck(host)) return;
    HiddenPass(host, Line(*lines, 3));
    DeleteIntermediate(host, kTempPmpVideo);
    HiddenPass(host, Line(*lines, 4));
    DeleteIntermediate(host, kTempPmpAudio);
}
