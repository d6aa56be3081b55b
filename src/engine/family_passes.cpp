#include "engine/family_passes.h"

#include "engine/command_text.h"
#include "engine/output_settings.h"
#include "engine/profile_files.h"
#include "tasks/conversion_item.h"

namespace {

constexpr int k3gp2Type = 2;

using Lines = std::vector<std::string>;
using Expander = std::optional<std::string> (IPassHost::*)(const std::string&);

// The templates of passes 1 to count. A profile with fewer lines than the
// family has passes runs the missing ones as empty commands, which cannot
// start and are skipped like any such command.
Lines PassTemplates(const Lines& profileLines, std::size_t count) {
    Lines templates;
    for (std::size_t number = 1; number <= count; ++number) {
        templates.push_back(number < profileLines.size() ? profileLines[number] : std::string());
    }
    return templates;
}

// Every command of the item, expanded before its first pass runs, so that its
// passes agree on the names they share and a refusal leaves nothing behind.
// The item is refused when a file its passes name in the output folder is the
// source of any item (-y would write over it), or when a command does not fit.
std::optional<Lines> PrepareCommands(IPassHost& host, const Lines& templates, Expander expand) {
    for (const std::string& commandTemplate : templates) {
        for (const std::string& file :
             OutputFilesOfTemplate(commandTemplate, host.OutputDirectory(), host.OutputFileStem())) {
            if (host.IsSourceOfAnItem(file)) {
                host.LogRefusal("output would overwrite a source: " + file);
                host.SetItemStatus(kStatusWouldOverwriteSource);
                return std::nullopt;
            }
        }
    }
    Lines commands;
    for (const std::string& commandTemplate : templates) {
        std::optional<std::string> command = (host.*expand)(commandTemplate);
        if (!command) {
            host.LogRefusal("command longer than 2047 characters, not run: " + commandTemplate);
            host.SetItemStatus(kStatusFailed);
            return std::nullopt;
        }
        commands.push_back(*command);
    }
    return commands;
}

std::optional<Lines> OpenPasses(IPassHost& host, int fileIndex, std::size_t passCount) {
    const std::optional<Lines> lines = host.OpenProfile(fileIndex);
    if (!lines) return std::nullopt;
    return PrepareCommands(host, PassTemplates(*lines, passCount), &IPassHost::ExpandCommand);
}

// Status first, then the run, then the Stop check. False when Stop ended the routine.
bool EncodingPass(IPassHost& host, const std::string& command) {
    host.SetItemStatus(kStatusEncoding);
    host.RunEncoder(command);
    if (host.CancelRequested()) {
        host.SetItemStatus(kStatusCanceled);
        return false;
    }
    host.StopEncoder();  // closes our pipe ends; the encoder has finished already
    return true;
}

void HiddenPass(IPassHost& host, const std::string& command, int status = kStatusNone) {
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
// finished while that runs. The library gets the file the profile wrote.
void RunIpodPasses(IPassHost& host) {
    host.EnterAppFolder();
    const std::string commandTemplate = host.IpodTemplate();
    const std::optional<Lines> command = PrepareCommands(host, {commandTemplate}, &IPassHost::BuildIpodCommand);
    if (!command) return;
    host.SetItemStatus(kStatusEncoding);
    host.RunEncoder(command->front());
    if (host.CancelRequested()) return;
    host.DeleteFile(host.ExportPath());
    host.StopEncoder();
    host.MarkItemFinished();
    const Lines written = OutputFilesOfTemplate(commandTemplate, host.OutputDirectory(), host.OutputFileStem());
    if (!host.ShutDownWhenFinished() && !written.empty()) host.AddToITunes(written.back());
}

void RunPspPasses(IPassHost& host) {
    const std::optional<Lines> commands = OpenPasses(host, kPspProfileFile, 2);
    if (!commands) return;
    HiddenPass(host, (*commands)[0]);
    if (!StopCheck(host)) return;
    EncodingPass(host, (*commands)[1]);
}

// The first intermediate is deleted after pass 3 even when Stop came during
// it; a 3GP2 item then ends its pass 4 at once and is marked canceled.
void Run3gpPasses(IPassHost& host) {
    const bool threeGp2 = host.ThreeGpType() == k3gp2Type;
    const std::optional<Lines> commands =
        OpenPasses(host, ProfileFileForTab(kTab3gp, host.ThreeGpType()), threeGp2 ? 5 : 3);
    if (!commands) return;
    if (!EncodingPass(host, (*commands)[0])) return;
    HiddenPass(host, (*commands)[1], kStatusExporting);
    if (!StopCheck(host)) return;
    HiddenPass(host, (*commands)[2]);
    DeleteIntermediate(host, kTemp3gp);
    if (!threeGp2) return;
    HiddenPass(host, (*commands)[3], kStatusChanging);
    if (!StopCheck(host)) return;
    HiddenPass(host, (*commands)[4]);
    DeleteIntermediate(host, kTemp3g2);
}

void RunSinglePass(IPassHost& host) {
    const std::optional<Lines> commands = OpenPasses(host, ProfileFileForTab(host.DeviceTab(), 0), 1);
    if (!commands) return;
    EncodingPass(host, (*commands)[0]);
}

// No Stop check between passes 3 and 4: a Stop during pass 3 still deletes its
// intermediate, starts pass 4 (ended at once) and deletes that one's too.
void RunPmpPasses(IPassHost& host) {
    const std::optional<Lines> commands = OpenPasses(host, kPmpProfileFile, 4);
    if (!commands) return;
    if (!EncodingPass(host, (*commands)[0])) return;
    HiddenPass(host, (*commands)[1], kStatusMuxingPmp);
    if (!StopCheck(host)) return;
    HiddenPass(host, (*commands)[2]);
    DeleteIntermediate(host, kTempPmpVideo);
    HiddenPass(host, (*commands)[3]);
    DeleteIntermediate(host, kTempPmpAudio);
}
