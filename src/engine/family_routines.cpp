#include "engine/family_routines.h"

#include <algorithm>
#include <vector>

#include "engine/app_folder.h"
#include "engine/command_templates.h"
#include "engine/command_text.h"
#include "engine/encoder_log.h"
#include "engine/encoder_runner.h"
#include "engine/family_passes.h"
#include "engine/output_directory.h"
#include "engine/pass_output.h"
#include "engine/profile_files.h"
#include "engine/profile_ini.h"
#include "engine/progress_parser.h"
#include "engine/work_files.h"

namespace {

// Where an item writes its output: the name it was written under in this
// run, or the one its family gives it under the choice.
std::string OutputPathOf(const ConversionItem& item, const ItemChoice& choice) {
    if (!item.writtenName.empty()) return outputDirectory + item.writtenName;
    return outputDirectory + OutputFileName(item, choice.deviceTab, choice.profileEntry, choice.threeGpType);
}

// The real processes, files and profile reader behind the families' passes.
class RoutineHost : public IPassHost {
public:
    // outputs, when given, are where every item writes its output, one path
    // per item: for planning, worked out once for the whole list.
    explicit RoutineHost(const EngineContext& context, const std::vector<std::string>* outputs = nullptr)
        : context_(context), choice_(context.item.choice), outputs_(outputs) {}

    std::optional<std::vector<std::string>> OpenProfile(int fileIndex) override {
        const char* fileName = ProfileFileName(fileIndex);
        if (fileName == nullptr) return std::nullopt;
        ::EnterAppFolder();
        profileIni.SetFile(fileName);
        const int count = profileIni.GetSectionNames(sectionNames);
        // Position 0 is "Info": without a chosen profile there is nothing to convert.
        const int position = choice_.profileEntry + 1;
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

    PassEnd RunEncoder(const std::string& command) override {
        PassOutput output;
        const ProgramEnd end = context_.runner.RunEncoder(command, [this, &output](const char* chunk) {
            output.Append(chunk);
            ParseEncoderOutput(context_, chunk);
        });
        return {end.exitCode, output.Text(), end.stalled};
    }
    PassEnd RunHidden(const std::string& command) override {
        const ProgramEnd end = context_.runner.RunHidden(command);
        return {end.exitCode, std::string(), end.stalled};
    }
    void StopEncoder() override { context_.runner.StopEncoder(); }
    bool CancelRequested() const override { return context_.cancelRequested; }

    void SetItemStatus(int status) override { ::SetItemStatus(context_, status); }
    void FailItem(int status, const std::string& reason, const std::string& output) override {
        ConversionItem item = CurrentItem();
        item.status = status;
        item.failureReason = reason;
        WriteAndRepaintProgress(item);
        LogNotConverted(item, output);
    }
    void MarkItemFinished() override {
        ConversionItem item = CurrentItem();
        item.finished = 1;
        WriteAndRepaintProgress(item);
    }
    void UseOutputName(const std::string& outputPath, int fileNumber) override {
        ConversionItem item = CurrentItem();
        item.writtenName = outputPath.substr(std::min(outputDirectory.size(), outputPath.size()));
        if (choice_.deviceTab == kTabPsp) item.fileNumber = fileNumber;
        context_.tasks.Replace(context_.currentItemIndex, item);
        context_.view.RepaintOutputCell(context_.currentItemIndex);
    }
    void ClaimItemFiles(const std::vector<std::string>& paths) override { context_.item.files = paths; }
    void DeleteFile(const std::string& path) override {
        if (!path.empty()) DeleteWorkFile(context_.tasks, path);
    }
    bool IsSourceOfAnItem(const std::string& path) const override { return ::IsSourceOfAnItem(context_.tasks, path); }
    bool IsOwnSource(const std::string& path) const override {
        TaskList itself;  // the item alone, for the delete helper's comparison of paths
        itself.Append(CurrentItem());
        return ::IsSourceOfAnItem(itself, path);
    }
    void HoldNames(const std::vector<std::string>& paths) override {
        std::vector<HeldName>& held = context_.heldNames;
        const int self = context_.currentItemIndex;
        held.erase(
            std::remove_if(held.begin(), held.end(), [self](const HeldName& name) { return name.itemIndex == self; }),
            held.end());
        for (const std::string& path : paths) held.push_back({self, path});
    }
    bool IsNameTaken(const std::string& path) const override {
        if (FileOrFolderExists(path)) return true;
        for (int index = 0; index < context_.tasks.Count(); ++index) {
            if (index != context_.currentItemIndex && SameFileName(OutputOf(index), path)) return true;
        }
        for (const HeldName& name : context_.heldNames) {
            if (name.itemIndex != context_.currentItemIndex && SameFileName(name.path, path)) return true;
        }
        return false;
    }
    bool SameName(const std::string& first, const std::string& second) const override {
        return SameFileName(first, second);
    }
    bool HoldsContent(const std::string& path) const override { return ::HoldsContent(path); }

    int DeviceTab() const override { return choice_.deviceTab; }
    int ProfileEntry() const override { return choice_.profileEntry; }
    int ThreeGpType() const override { return choice_.threeGpType; }
    std::string OutputDirectory() const override { return outputDirectory; }
    int FileNumber() const override { return CurrentItem().fileNumber; }
    std::string OutputFileStem() const override {
        return ::OutputFileStem(CurrentItem(), choice_.deviceTab, choice_.profileEntry);
    }
    std::string ExportPath() const override { return CurrentItem().exportPath; }
    double RangeSeconds() const override {
        const ConversionItem item = CurrentItem();
        return item.endTime - item.beginTime;
    }

private:
    ConversionItem CurrentItem() const { return context_.tasks.Copy(context_.currentItemIndex); }
    void WriteAndRepaintProgress(const ConversionItem& item) {
        context_.tasks.Replace(context_.currentItemIndex, item);
        context_.view.RepaintProgressCell(context_.currentItemIndex);
    }
    std::string OutputOf(int index) const {
        return outputs_ ? (*outputs_)[static_cast<std::size_t>(index)]
                        : OutputPathOf(context_.tasks.Copy(index), choice_);
    }

    const EngineContext& context_;
    const ItemChoice& choice_;
    const std::vector<std::string>* outputs_;
};

// Planning repaints nothing.
struct NoView : IItemView {
    void RepaintProgressCell(int) override {}
    void RepaintOutputCell(int) override {}
};

// Runs a family's passes. The files that could not be deleted yet, above all
// those of a stopped item, are deleted once the run's last item has ended.
void RunFamily(const EngineContext& context, bool (*passes)(IPassHost&)) {
    RoutineHost host(context);
    passes(host);
    context.item.passesEnded = true;
}

}  // namespace

void ConvertIpod(const EngineContext& context) { RunFamily(context, RunIpodPasses); }
void ConvertPsp(const EngineContext& context) { RunFamily(context, RunPspPasses); }
void Convert3gp(const EngineContext& context) { RunFamily(context, Run3gpPasses); }
void ConvertSinglePass(const EngineContext& context) { RunFamily(context, RunSinglePass); }
void ConvertPmp(const EngineContext& context) { RunFamily(context, RunPmpPasses); }

void BeginItem(const EngineContext& context) {
    context.item.choice = {context.settings.DeviceTab(), context.settings.ProfileEntry(),
                           context.settings.ThreeGpType()};
    context.item.files.clear();
    context.item.passesEnded = false;
}

void ConvertWithFamilyOfTab(const EngineContext& context) {
    switch (context.item.choice.deviceTab) {
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

std::vector<std::string> PlannedOutputNames(TaskList& tasks, const IOutputSettings& settings) {
    const bool noStop = false;
    CEncoderRunner unused(noStop);
    ItemState planning;
    std::vector<HeldName> noneHeld;
    planning.choice = {settings.DeviceTab(), settings.ProfileEntry(), settings.ThreeGpType()};
    NoView view;
    // The items before each one will have written under their planned names,
    // the items after it are still under their families' names.
    std::vector<std::string> outputs;
    for (int index = 0; index < tasks.Count(); ++index)
        outputs.push_back(OutputPathOf(tasks.Copy(index), planning.choice));
    std::vector<std::string> names;
    for (int index = 0; index < tasks.Count(); ++index) {
        const EngineContext context{tasks, index, settings, view, noStop, unused, planning, noneHeld};
        RoutineHost host(context, &outputs);
        const std::string planned = PlannedOutput(host);
        if (!planned.empty()) outputs[static_cast<std::size_t>(index)] = planned;
        names.push_back(planned.substr(std::min(outputDirectory.size(), planned.size())));
    }
    return names;
}
