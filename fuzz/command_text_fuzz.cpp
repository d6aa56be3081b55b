// Commands are expanded from a profile's templates with a source's path and
// title, which may hold placeholders themselves. Whatever they hold: a command
// is never longer than the runner takes, a replacement that fits gives what
// plain replacement gives, one that does not fit is refused, and the files a
// template names lie under the item's stem in the output folder, and a
// setting outside its combo's items puts in nothing.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/command_text.h"
#include "engine/value_tables.h"
#include "fuzz_support.h"

namespace {

class FuzzedSettings : public IOutputSettings {
public:
    FuzzedSettings(int deviceTab, int profileEntry, int profileSetting, const std::string& items)
        : deviceTab_(deviceTab), profileEntry_(profileEntry), profileSetting_(profileSetting), items_(items) {}
    int DeviceTab() const override { return deviceTab_; }
    int ProfileEntry() const override { return profileEntry_; }
    int ProfileSetting() const override { return profileSetting_; }
    int ThreeGpType() const override { return 0; }
    int SettingItem(Setting setting) const override {
        const std::size_t index = static_cast<std::size_t>(setting);
        return index < items_.size() ? static_cast<signed char>(items_[index]) : 0;
    }

private:
    int deviceTab_;
    int profileEntry_;
    int profileSetting_;
    std::string items_;
};

// Every occurrence replaced, with no limit.
std::string PlainReplacement(const std::string& text, const std::string& placeholder, const std::string& value) {
    std::string result;
    std::size_t copied = 0;
    for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, copied)) {
        result += text.substr(copied, at - copied) + value;
        copied = at + placeholder.size();
    }
    return result + text.substr(copied);
}

// A replacement fits exactly when its plain result does.
void CheckReplaceAll(const std::string& text, const std::string& placeholder, const std::string& value) {
    if (placeholder.empty() || text.size() > 512 || value.size() > 512) return;  // keeps plain replacement small
    const std::string plain = PlainReplacement(text, placeholder, value);
    std::string replaced = text;
    FUZZ_CHECK(ReplaceAll(replaced, placeholder, value, plain.size()) && replaced == plain);
    replaced = text;
    if (!plain.empty()) FUZZ_CHECK(!ReplaceAll(replaced, placeholder, value, plain.size() - 1));
}

void CheckCommand(const std::optional<std::string>& command) {
    if (command) FUZZ_CHECK(command->size() <= kCommandLimit);
}

}  // namespace

// Input: template, source path, title, output stem, export path and output
// folder, each ended by a zero byte, then one byte each for: the item being
// exported, the device tab, the profile entry, the profile setting, the nine
// setting items, the begin and the end (seconds) and the file number.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string texts[6];
    std::size_t at = 0;
    for (std::string& text : texts) {
        while (at < size && data[at] != 0) text += static_cast<char>(data[at++]);
        if (at < size) ++at;
    }
    std::string numbers = AsText(data + at, size - at);
    numbers.resize(16, '\0');
    const auto number = [&](std::size_t index) { return static_cast<signed char>(numbers[index]); };

    ExpansionInputs inputs;
    inputs.item.sourcePath = texts[1];
    inputs.item.title = texts[2];
    inputs.item.outputName = texts[3];
    inputs.item.exportPath = texts[4];
    inputs.outputDirectory = texts[5];
    inputs.item.needsExport = number(0) & 1;
    inputs.item.beginTime = number(13);
    inputs.item.endTime = number(14);
    inputs.item.fileNumber = number(15);
    inputs.now = {2024, 2, 29, 23, 59, 58};
    const int deviceTab = static_cast<unsigned char>(numbers[1]) % 6;
    const FuzzedSettings settings(deviceTab, number(2), number(3) & 1, numbers.substr(4, kSettingCount));

    // A combo without a selection, or an item past its table, reads empty.
    for (int index = 0; index < kSettingCount; ++index) {
        const Setting setting = static_cast<Setting>(index);
        const int item = settings.SettingItem(setting);
        if (item < 0 || item >= SettingItemCount(setting)) FUZZ_CHECK(*SettingValue(setting, item) == '\0');
    }

    const std::string& commandTemplate = texts[0];
    CheckCommand(ExpandFamilyTemplate(commandTemplate, inputs, deviceTab, settings.ProfileEntry()));
    CheckCommand(ExpandIpodTemplate(commandTemplate, inputs, settings));
    CheckReplaceAll(commandTemplate, texts[2], texts[1]);

    const std::string stem = OutputFileStem(inputs.item, deviceTab, settings.ProfileEntry());
    for (const std::string& file : OutputFilesOfTemplate(commandTemplate, inputs.outputDirectory, stem)) {
        FUZZ_CHECK(file.compare(0, inputs.outputDirectory.size() + stem.size(), inputs.outputDirectory + stem) == 0);
    }
    return 0;
}
