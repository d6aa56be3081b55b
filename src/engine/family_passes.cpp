#include "engine/family_passes.h"

#include <algorithm>
#include <cstdio>

#include "engine/command_text.h"
#include "engine/failure_reason.h"
#include "engine/free_names.h"
#include "engine/output_settings.h"
#include "engine/pass_output.h"
#include "engine/profile_files.h"
#include "tasks/conversion_item.h"

namespace {

constexpr const char* kTemp3gp = "_temp.3gp";
constexpr const char* kTemp3g2 = "_temp_2.3g2";
constexpr const char* kTempPmpVideo = "_temp.avi";
constexpr const char* kTempPmpAudio = "_temp.mp3";

using Lines = std::vector<std::string>;
using Expander = std::optional<std::string> (IPassHost::*)(const std::string&);

// The templates of passes 1 to count. A profile with fewer lines than the
// family has passes runs the missing ones as empty commands, which cannot
// start and fail the item.
Lines PassTemplates(const Lines& profileLines, std::size_t count) {
    Lines templates;
    for (std::size_t number = 1; number <= count; ++number) {
        templates.push_back(number < profileLines.size() ? profileLines[number] : std::string());
    }
    return templates;
}

// The template with FFmpeg's "-n" for every "-y" word outside quotes: a file
// that appears under the chosen name after the last look is left alone.
std::string RefusingToOverwrite(std::string commandTemplate) {
    bool quoted = false;
    for (std::size_t at = 0; at < commandTemplate.size(); ++at) {
        if (commandTemplate[at] == '"') quoted = !quoted;
        const bool wordStarts = at == 0 || commandTemplate[at - 1] == ' ';
        const bool wordEnds = at + 2 >= commandTemplate.size() || commandTemplate[at + 2] == ' ';
        if (!quoted && wordStarts && commandTemplate.compare(at, 2, "-y") == 0 && wordEnds) {
            commandTemplate[at + 1] = 'n';
        }
    }
    return commandTemplate;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// The commands of the item's passes as the profile of the tab's family gives
// them; nothing when no profile is chosen or the tab has no family.
std::optional<Lines> FamilyTemplates(IPassHost& host, int tab) {
    if (tab == kTabIpod) return Lines{host.IpodTemplate()};
    const bool threeGp2 = host.ThreeGpType() == kThreeGp2Type;
    std::size_t count = 0;
    int fileIndex = 0;
    switch (tab) {
        case kTabPsp:
            fileIndex = kPspProfileFile;
            count = 2;
            break;
        case kTab3gp:
            fileIndex = ProfileFileForTab(kTab3gp, host.ThreeGpType());
            count = threeGp2 ? 5 : 3;
            break;
        case kTabXbox:
        case kTabPpc:
            fileIndex = ProfileFileForTab(tab, 0);
            count = 1;
            break;
        case kTabPmp:
            fileIndex = kPmpProfileFile;
            count = 4;
            break;
        default:
            return std::nullopt;
    }
    const std::optional<Lines> lines = host.OpenProfile(fileIndex);
    if (!lines) return std::nullopt;
    return PassTemplates(*lines, count);
}

// One item's passes: the names it writes under, the files it creates, the
// commands, and its result.
class ItemRun {
public:
    explicit ItemRun(IPassHost& host) : host_(host) {}

    // The passes of the profile chosen for the tab's family.
    bool Open(int tab) {
        const std::optional<Lines> templates = FamilyTemplates(host_, tab);
        if (!templates) return Fail(kStatusFailed, "no profile chosen");
        return Prepare(*templates, tab == kTabIpod ? &IPassHost::BuildIpodCommand : &IPassHost::ExpandCommand);
    }

    // The final output the names chosen now would give; empty when the item
    // would be refused.
    std::string Plan(const Lines& templates) const { return ChooseFreeNames(Naming(templates), Questions()).output; }

    // Expands every command before the first pass runs, so that the passes
    // agree on the names they share and a refusal leaves nothing behind. The
    // item is refused when a file its passes name is its own source, when no
    // free names are left, or when a command does not fit. Another item's
    // source is a taken name like any file that is there.
    bool Prepare(const Lines& templates, Expander expand) {
        const std::string folder = host_.OutputDirectory();
        for (const std::string& commandTemplate : templates) {
            for (const std::string& file : OutputFilesOfTemplate(commandTemplate, folder, host_.OutputFileStem())) {
                if (host_.IsOwnSource(file)) return Fail(kStatusWouldOverwriteSource, kReasonOverwritesSource);
            }
        }
        const FreeNames names = ChooseFreeNames(Naming(templates), Questions());
        if (!names.refusal.empty()) return Fail(kStatusFailed, names.refusal);
        files_ = names.files;
        output_ = names.output;
        Lines paths;
        for (const NamedFile& file : names.files) paths.push_back(file.path);
        host_.HoldNames(paths);
        host_.UseOutputName(names.output, names.fileNumber);
        for (const std::string& commandTemplate : names.templates) {
            creates_.push_back(FilesFirstNamed(OutputFilesOfTemplate(commandTemplate, folder, names.stem)));
            const std::optional<std::string> command =
                (host_.*expand)(creates_.back().empty() ? commandTemplate : RefusingToOverwrite(commandTemplate));
            if (!command) return Fail(kStatusFailed, kReasonCommandTooLong);
            commands_.push_back(*command);
        }
        return true;
    }

    // Status first, then the run, then the Stop check. False when the item
    // was stopped or failed: nothing more runs.
    bool Encoding(std::size_t pass) {
        if (!Claim(pass)) return false;
        host_.SetItemStatus(kStatusEncoding);
        const PassEnd end = host_.RunEncoder(commands_[pass]);
        if (Stopped()) return false;
        host_.StopEncoder();  // closes our pipe ends; the encoder has finished already
        ForgetFilesLeftAlone(pass, end.output);
        if (!Succeeded(pass, end)) return false;
        if (ShowsFinishedEncode(end.output, host_.RangeSeconds())) return true;
        return Fail(kStatusFailed, kReasonStoppedEarly, end.output);
    }
    bool Hidden(std::size_t pass, int status = kStatusNone) {
        if (!Claim(pass)) return false;
        if (status != kStatusNone) host_.SetItemStatus(status);
        const PassEnd end = host_.RunHidden(commands_[pass]);
        if (Stopped()) return false;
        ForgetFilesLeftAlone(pass, end.output);
        return Succeeded(pass, end);
    }

    // An intermediate the item created, under the name it was written.
    void DeleteIntermediate(const char* suffix) {
        for (const NamedFile& file : files_) {
            if (!host_.SameName(file.suffix, suffix) || !Disown(file.path)) continue;
            host_.DeleteFile(file.path);
            host_.ClaimItemFiles(created_);
        }
    }

    // Finished only when every pass succeeded and the output holds
    // something; a failed item's files are its own, half-written ones: they
    // go. A stopped item's went with the stop sequence.
    bool Finish() {
        if (stopped_) return false;
        if (!failed_ && host_.HoldsContent(output_)) {
            host_.MarkItemFinished();
            return true;
        }
        if (!failed_) Fail(kStatusFailed, kReasonNoOutput);
        for (const std::string& path : created_) host_.DeleteFile(path);
        return false;
    }

private:
    ItemNaming Naming(const Lines& templates) const {
        ItemNaming naming;
        naming.templates = templates;
        naming.outputDirectory = host_.OutputDirectory();
        naming.stem = host_.OutputFileStem();
        naming.numberedStem = host_.DeviceTab() == kTabPsp;
        naming.profileEntry = host_.ProfileEntry();
        naming.fileNumber = host_.FileNumber();
        return naming;
    }
    NameQuestions Questions() const {
        return {[this](const std::string& path) { return host_.IsNameTaken(path) || host_.IsSourceOfAnItem(path); },
                [this](const std::string& first, const std::string& second) { return host_.SameName(first, second); }};
    }

    // The files no earlier pass named: those this pass creates.
    Lines FilesFirstNamed(const Lines& files) {
        Lines first;
        for (const std::string& file : files) {
            const auto same = [&](const std::string& known) { return host_.SameName(known, file); };
            if (std::none_of(named_.begin(), named_.end(), same)) {
                named_.push_back(file);
                first.push_back(file);
            }
        }
        return first;
    }

    // The pass's new files were free when the item started; one that is there
    // now is someone else's, and the pass does not run.
    bool Claim(std::size_t pass) {
        for (const std::string& file : creates_[pass]) {
            if (host_.IsNameTaken(file)) return Fail(kStatusFailed, FileNameOf(file) + " appeared meanwhile: kept");
        }
        created_.insert(created_.end(), creates_[pass].begin(), creates_[pass].end());
        host_.ClaimItemFiles(created_);
        return true;
    }

    // False when the item did not create the file.
    bool Disown(const std::string& path) {
        const auto found = std::find(created_.begin(), created_.end(), path);
        if (found == created_.end()) return false;
        created_.erase(found);
        return true;
    }

    bool Fail(int status, const std::string& reason, const std::string& output = std::string()) {
        host_.FailItem(status, ShownReason(reason), output);
        failed_ = true;
        return false;
    }

    bool Stopped() {
        if (!host_.CancelRequested()) return false;
        host_.SetItemStatus(kStatusCanceled);
        stopped_ = true;
        return true;
    }

    // A file that appeared just before the pass opened it, which "-n" kept
    // the pass from writing, is not the item's.
    void ForgetFilesLeftAlone(std::size_t pass, const std::string& output) {
        bool forgotten = false;
        for (const std::string& file : creates_[pass]) {
            if (RefusedExistingFile(output, file)) forgotten = Disown(file) || forgotten;
        }
        if (forgotten) host_.ClaimItemFiles(created_);
    }

    bool Succeeded(std::size_t pass, const PassEnd& end) {
        if (!end.stalled && end.exitCode && *end.exitCode == 0) return true;
        const std::string& command = commands_[pass];
        const std::string program = command.substr(0, command.find(' '));
        std::string reason = end.stalled ? kReasonEncoderStalled : ProblemLine(end.output);
        if (reason.empty() && !end.exitCode) reason = "could not start " + program;
        if (reason.empty()) {
            char code[64];
            std::snprintf(code, sizeof code, " ended with code %lu", *end.exitCode);
            reason = program + code;
        }
        return Fail(kStatusFailed, reason, end.output);
    }

    IPassHost& host_;
    Lines commands_;
    std::vector<NamedFile> files_;
    std::string output_;
    std::vector<Lines> creates_;  // by pass: the files it creates
    Lines named_;                 // the files the passes name, so far
    Lines created_;               // the files the passes run so far created
    bool failed_ = false;
    bool stopped_ = false;
};

}  // namespace

// A stopped iPod item is marked canceled like any other.
bool RunIpodPasses(IPassHost& host) {
    host.EnterAppFolder();
    ItemRun run(host);
    if (!run.Open(kTabIpod)) return false;
    if (run.Encoding(0)) host.DeleteFile(host.ExportPath());
    return run.Finish();
}

bool RunPspPasses(IPassHost& host) {
    ItemRun run(host);
    if (!run.Open(kTabPsp)) return false;
    if (run.Hidden(0)) run.Encoding(1);
    return run.Finish();
}

bool Run3gpPasses(IPassHost& host) {
    const bool threeGp2 = host.ThreeGpType() == kThreeGp2Type;
    ItemRun run(host);
    if (!run.Open(kTab3gp)) return false;
    const bool ran = run.Encoding(0) && run.Hidden(1, kStatusExporting) && run.Hidden(2);
    if (ran) run.DeleteIntermediate(kTemp3gp);
    if (ran && threeGp2 && run.Hidden(3, kStatusChanging) && run.Hidden(4)) run.DeleteIntermediate(kTemp3g2);
    return run.Finish();
}

bool RunSinglePass(IPassHost& host) {
    ItemRun run(host);
    if (!run.Open(host.DeviceTab())) return false;
    run.Encoding(0);
    return run.Finish();
}

bool RunPmpPasses(IPassHost& host) {
    ItemRun run(host);
    if (!run.Open(kTabPmp)) return false;
    if (run.Encoding(0) && run.Hidden(1, kStatusMuxingPmp) && run.Hidden(2)) {
        run.DeleteIntermediate(kTempPmpVideo);
        if (run.Hidden(3)) run.DeleteIntermediate(kTempPmpAudio);
    }
    return run.Finish();
}

std::string PlannedOutput(IPassHost& host) {
    const std::optional<Lines> templates = FamilyTemplates(host, host.DeviceTab());
    return templates ? ItemRun(host).Plan(*templates) : std::string();
}
