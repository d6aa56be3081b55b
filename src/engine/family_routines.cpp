#include "engine/family_routines.h"

#include <algorithm>
#include <vector>

#include "engine/app_folder.h"
#include "engine/command_templates.h"
#include "engine/command_text.h"
#include "engine/encoder_log.h"
#include "engine/encoder_runner.h"
#include "engine/family_passes.h"
#include "engine/profile_files.h"
#include "engine/profile_ini.h"
#include "engine/progress_parser.h"
#include "engine/run_state.h"
#include "engine/work_files.h"
#include "tasks/output_directory.h"

namespace {

// How long a routine waits for its programs to let go of the files it
// deletes, and for a stopped item's files to stop appearing.
constexpr unsigned kPendingFilesTimeoutMs = 15000;

// A command in a writable buffer with room for the longest command line, as
// CreateProcessA may write into it.
std::vector<char> CommandBuffer(const std::string& command) {
    std::vector<char> buffer(command.begin(), command.end());
    buffer.resize(std::max<std::size_t>(buffer.size() + 1, kCommandBufferSize), '\0');
    return buffer;
}

// The real processes, files and profile reader behind the families' passes.
class RoutineHost : public IPassHost {
public:
    explicit RoutineHost(const EngineContext& context) : context_(context) {}

    std::optional<std::vector<std::string>> OpenProfile(int fileIndex) override {
        const char* fileName = ProfileFileName(fileIndex);
        if (fileName == nullptr) return std::nullopt;
        ::EnterAppFolder();
        profileIni.SetFile(fileName);
        const int count = profileIni.GetSectionNames(sectionNames);
        // Position 0 is "Info": without a chosen profile there is nothing to convert.
        const int position = itemChoice.profileEntry + 1;
        if (position < 1 || position >= count) return std::nullopt;
        profileIni.GetSection(sectionNames[static_cast<std::size_t>(position)], sectionKeys, sectionValues);
        return sectionValues;
    }
    std::string IpodTemplate() override { return ReadIpodTemplate(context_.settings); }
    std::optional<std::string> ExpandCommand(const std::string& commandTemplate) override {
        return ::ExpandCommand(context_, commandTemplate);
    }
    std::optional<std::string> BuildIpodCommand(const std::string& commandTemplate) override {
        return ::BuildIpodCommand(context_, context_.currentItemIndex, commandTemplate);
    }
    void EnterAppFolder() override { ::EnterAppFolder(); }

    void RunEncoder(const std::string& command) override {
        std::vector<char> buffer = CommandBuffer(command);
        const EngineContext& context = context_;
        ::RunEncoder(buffer.data(), [&context](const char* chunk) { ParseEncoderOutput(context, chunk); });
    }
    void RunHidden(const std::string& command) override {
        std::vector<char> buffer = CommandBuffer(command);
        ::RunHidden(buffer.data());
    }
    void StopEncoder() override { ::StopEncoder(); }
    bool CancelRequested() const override { return cancelRequested; }

    void SetItemStatus(int status) override { ::SetItemStatus(context_, status); }
    void MarkItemFinished() override {
        ConversionItem item = context_.tasks.Copy(context_.currentItemIndex);
        item.finished = 1;
        context_.tasks.Replace(context_.currentItemIndex, item);
        context_.view.RepaintProgressCell(context_.currentItemIndex);
    }
    void DeleteFile(const std::string& path) override {
        if (!path.empty()) DeleteWorkFile(context_.tasks, path);
    }
    void AddToITunes(const std::string& outputPath) override { ::AddToITunes(outputPath.c_str()); }
    bool IsSourceOfAnItem(const std::string& path) const override { return ::IsSourceOfAnItem(context_.tasks, path); }
    void LogRefusal(const std::string& reason) override { AppendLog(("REFUSED: " + reason + "\n").c_str()); }

    int DeviceTab() const override { return itemChoice.deviceTab; }
    int ThreeGpType() const override { return itemChoice.threeGpType; }
    bool ShutDownWhenFinished() const override { return context_.options.ShutDownWhenFinished(); }
    std::string OutputDirectory() const override { return outputDirectory; }
    std::string OutputName() const override { return CurrentItem().outputName; }
    std::string OutputFileStem() const override {
        return ::OutputFileStem(CurrentItem(), itemChoice.deviceTab, itemChoice.profileEntry);
    }
    std::string ExportPath() const override { return CurrentItem().exportPath; }

private:
    ConversionItem CurrentItem() const { return context_.tasks.Copy(context_.currentItemIndex); }

    const EngineContext& context_;
};

// Runs a family's passes, then waits (dispatching messages) until the files
// that could not be deleted yet, above all those of a stopped item, are gone.
// A Stop pressed during that wait finds the passes ended and deletes nothing.
void RunFamily(const EngineContext& context, void (*passes)(IPassHost&)) {
    RoutineHost host(context);
    passes(host);
    itemPassesEnded = true;
    FinishPendingDeletions(context.tasks, kPendingFilesTimeoutMs);
}

}  // namespace

void ConvertIpod(const EngineContext& context) { RunFamily(context, RunIpodPasses); }
void ConvertPsp(const EngineContext& context) { RunFamily(context, RunPspPasses); }
void Convert3gp(const EngineContext& context) { RunFamily(context, Run3gpPasses); }
void ConvertSinglePass(const EngineContext& context) { RunFamily(context, RunSinglePass); }
void ConvertPmp(const EngineContext& context) { RunFamily(context, RunPmpPasses); }

void BeginItem(const EngineContext& context) {
    itemChoice = {context.settings.DeviceTab(), context.settings.ProfileEntry(), context.settings.ThreeGpType()};
    itemPassesEnded = false;
    ForgetPendingDeletions();
}

void ConvertWithFamilyOfTab(const EngineContext& context) {
    switch (itemChoice.deviceTab) {
        case kTabIpod:
            ConvertIpod(context);
            break;
        case kTabPsp:
            ConvertPsp(context);
            break;
        case kTab3gp:
            Convert3gp(context);
            break;
        case kTabXbox:
        case kTabPpc:
            ConvertSinglePass(context);
            break;
        case kTabPmp:
            ConvertPmp(context);
            break;
        default:
            break;
    }
}
