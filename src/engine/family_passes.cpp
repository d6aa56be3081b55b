#include "engine/family_passes.h"

#include <cstdio>

#include "engine/command_text.h"
#include "engine/output_settings.h"
#include "engine/pass_output.h"
#include "engine/profile_files.h"
#include "tasks/conversion_item.h"

namespace {

constexpr int k3gp2Type = 2;
// More numbered names than any folder holds files of one stem.
constexpr int kNameAttempts = 10000;

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

// "x.3gp" as the k-th free name: "x_k.3gp" (the number before the extension).
std::string NumberedSuffix(const std::string& suffix, int k) {
    if (k == 1) return suffix;
    const std::size_t dot = suffix.rfind('.');
    const std::string number = "_" + std::to_string(k);
    return dot == std::string::npos ? suffix + number : suffix.substr(0, dot) + number + suffix.substr(dot);
}

// One item's passes: the names it writes under, the commands, and its result.
class ItemRun {
public:
    explicit ItemRun(IPassHost& host) : host_(host) {}

    // Expands every command before the first pass runs, so that the passes
    // agree on the names they share and a refusal leaves nothing behind. The
    // item is refused when a file its passes name is the source of any item
    // (-y would write over it), or when a command does not fit. A name that is
    // taken is replaced by the next free one: the PSP's names, which the player
    // pairs by their number, take the next free number together; the other
    // families' files each get "_2", "_3"... before their extension.
    bool Prepare(const Lines& templates, Expander expand) {
        for (const std::string& commandTemplate : templates) {
            for (const std::string& file :
                 OutputFilesOfTemplate(commandTemplate, host_.OutputDirectory(), host_.OutputFileStem())) {
                if (host_.IsSourceOfAnItem(file)) return Refuse(kStatusWouldOverwriteSource, kReasonOverwritesSource);
            }
        }
        const std::optional<Lines> named =
            host_.DeviceTab() == kTabPsp ? NameByNumber(templates) : NameEachFile(templates);
        if (!named) return Refuse(kStatusFailed, "no free file name");
        for (const std::string& commandTemplate : *named) {
            std::optional<std::string> command = (host_.*expand)(commandTemplate);
            if (!command) return Refuse(kStatusFailed, kReasonCommandTooLong);
            commands_.push_back(*command);
        }
        return true;
    }

    const std::string& Command(std::size_t pass) const { return commands_[pass]; }

    // Status first, then the run, then the Stop check. False when the item
    // was stopped or failed: nothing more runs.
    bool Encoding(std::size_t pass) {
        host_.SetItemStatus(kStatusEncoding);
        const PassEnd end = host_.RunEncoder(Command(pass));
        if (Stopped()) return false;
        host_.StopEncoder();  // closes our pipe ends; the encoder has finished already
        return Succeeded(pass, end);
    }
    bool Hidden(std::size_t pass, int status = kStatusNone) {
        if (status != kStatusNone) host_.SetItemStatus(status);
        const PassEnd end = host_.RunHidden(Command(pass));
        return !Stopped() && Succeeded(pass, end);
    }

    // An intermediate of the item, under the name it was written.
    void DeleteIntermediate(const char* suffix) {
        for (const auto& [templateSuffix, path] : written_) {
            if (host_.SameName(templateSuffix, suffix)) host_.DeleteFile(path);
        }
    }

    // Finished only when every pass succeeded and the output holds
    // something; a failed item's files are its own, half-written ones: they
    // go. A stopped item's went with the stop sequence.
    bool Finish() {
        if (stopped_) return false;
        if (!failed_ && host_.HoldsContent(files_.output)) {
            host_.MarkItemFinished();
            return true;
        }
        if (!failed_) host_.FailItem(kStatusFailed, kReasonNoOutput, std::string());
        for (const std::string& path : files_.paths) host_.DeleteFile(path);
        return false;
    }
    const std::string& Output() const { return files_.output; }

private:
    bool Refuse(int status, const std::string& reason) {
        host_.FailItem(status, reason, std::string());
        return false;
    }

    bool Stopped() {
        if (!host_.CancelRequested()) return false;
        host_.SetItemStatus(kStatusCanceled);
        stopped_ = true;
        return true;
    }

    bool Succeeded(std::size_t pass, const PassEnd& end) {
        if (!end.stalled && end.exitCode && *end.exitCode == 0) return true;
        const std::string program = Command(pass).substr(0, Command(pass).find(' '));
        std::string reason = end.stalled ? kReasonEncoderStalled : ProblemLine(end.output);
        if (reason.empty() && !end.exitCode) reason = "could not start " + program;
        if (reason.empty()) {
            char code[64];
            std::snprintf(code, sizeof code, " ended with code %lu", *end.exitCode);
            reason = program + code;
        }
        host_.FailItem(kStatusFailed, reason, end.output);
        failed_ = true;
        return false;
    }

    bool Taken(const std::string& path) const {
        if (host_.IsNameTaken(path)) return true;
        for (const std::string& chosen : files_.paths) {
            if (host_.SameName(chosen, path)) return true;
        }
        return false;
    }

    // The output is the first file the last pass names: it writes or finishes it.
    void Choose(const Lines& templates, const std::string& stem) {
        const Lines last = OutputFilesOfTemplate(templates.back(), host_.OutputDirectory(), stem);
        files_.output = last.empty() ? std::string() : last.front();
        host_.UseItemFiles(files_);
    }

    std::optional<Lines> NameEachFile(const Lines& templates) {
        const std::string stem = host_.OutputDirectory() + host_.OutputFileStem();
        const auto nameFor = [&](const std::string& suffix) {
            for (const auto& [known, path] : written_) {
                if (host_.SameName(known, suffix)) return path.substr(stem.size());
            }
            for (int k = 1; k <= kNameAttempts; ++k) {
                const std::string path = stem + NumberedSuffix(suffix, k);
                if (Taken(path)) continue;
                written_.push_back({suffix, path});
                files_.paths.push_back(path);
                return path.substr(stem.size());
            }
            return std::string();
        };
        Lines renamed;
        bool named = true;
        for (const std::string& commandTemplate : templates) {
            renamed.push_back(RenameOutputFiles(commandTemplate, [&](const std::string& suffix) {
                const std::string free = nameFor(suffix);
                named = named && !free.empty();
                return free;
            }));
        }
        if (!named) return std::nullopt;
        Choose(renamed, host_.OutputFileStem());
        return renamed;
    }

    std::optional<Lines> NameByNumber(const Lines& templates) {
        for (int k = 0; k < kNameAttempts; ++k) {
            const std::string stem = PspOutputName(host_.ProfileEntry(), host_.FileNumber() + k);
            files_.paths.clear();
            written_.clear();
            bool free = true;
            for (const std::string& commandTemplate : templates) {
                for (const std::string& suffix : OutputSuffixesOfTemplate(commandTemplate)) {
                    const std::string path = host_.OutputDirectory() + stem + suffix;
                    if (Taken(path)) free = false;
                    written_.push_back({suffix, path});
                    files_.paths.push_back(path);
                }
            }
            if (!free) continue;
            files_.fileNumber = host_.FileNumber() + k;
            Choose(templates, stem);
            return templates;
        }
        return std::nullopt;
    }

    IPassHost& host_;
    Lines commands_;
    ItemFiles files_;
    std::vector<std::pair<std::string, std::string>> written_;  // template suffix, the path it is written as
    bool failed_ = false;
    bool stopped_ = false;
};

bool OpenPasses(IPassHost& host, ItemRun& run, int fileIndex, std::size_t passCount) {
    const std::optional<Lines> lines = host.OpenProfile(fileIndex);
    if (!lines) {
        host.FailItem(kStatusFailed, "no profile chosen", std::string());
        return false;
    }
    return run.Prepare(PassTemplates(*lines, passCount), &IPassHost::ExpandCommand);
}

}  // namespace

// A stopped iPod item is marked canceled like any other.
void RunIpodPasses(IPassHost& host) {
    host.EnterAppFolder();
    ItemRun run(host);
    if (!run.Prepare({host.IpodTemplate()}, &IPassHost::BuildIpodCommand)) return;
    if (run.Encoding(0)) host.DeleteFile(host.ExportPath());
    run.Finish();
}

void RunPspPasses(IPassHost& host) {
    ItemRun run(host);
    if (!OpenPasses(host, run, kPspProfileFile, 2)) return;
    if (run.Hidden(0)) run.Encoding(1);
    run.Finish();
}

void Run3gpPasses(IPassHost& host) {
    const bool threeGp2 = host.ThreeGpType() == k3gp2Type;
    ItemRun run(host);
    if (!OpenPasses(host, run, ProfileFileForTab(kTab3gp, host.ThreeGpType()), threeGp2 ? 5 : 3)) return;
    const bool ran = run.Encoding(0) && run.Hidden(1, kStatusExporting) && run.Hidden(2);
    if (ran) run.DeleteIntermediate(kTemp3gp);
    if (ran && threeGp2 && run.Hidden(3, kStatusChanging) && run.Hidden(4)) run.DeleteIntermediate(kTemp3g2);
    run.Finish();
}

void RunSinglePass(IPassHost& host) {
    ItemRun run(host);
    if (!OpenPasses(host, run, ProfileFileForTab(host.DeviceTab(), 0), 1)) return;
    run.Encoding(0);
    run.Finish();
}

void RunPmpPasses(IPassHost& host) {
    ItemRun run(host);
    if (!OpenPasses(host, run, kPmpProfileFile, 4)) return;
    if (run.Encoding(0) && run.Hidden(1, kStatusMuxingPmp) && run.Hidden(2)) {
        run.DeleteIntermediate(kTempPmpVideo);
        if (run.Hidden(3)) run.DeleteIntermediate(kTempPmpAudio);
    }
    run.Finish();
}
