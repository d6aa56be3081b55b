#include "engine/command_text.h"

#include <cstdio>

#include "engine/value_tables.h"

namespace {

constexpr int kFirstAvcPspEntry = 16;

struct TimeTexts {
    std::string start;
    std::string length;
};

TimeTexts PlainTimes(const ConversionItem& item) {
    return {FormatClock(WholeSeconds(item.beginTime)), FormatClock(WholeSeconds(item.endTime - item.beginTime))};
}

TimeTexts IpodTimeOptions(const ConversionItem& item) {
    const TimeTexts plain = PlainTimes(item);
    return {" -ss " + plain.start, " -t " + plain.length};
}

// Steps shared by both expansions: the input, the range, title, timestamp and
// output folder. An exported item is read from its intermediate file, which
// already holds just the range, so the range placeholders become one blank.
void ExpandCommonPlaceholders(std::string& text, const ExpansionInputs& inputs, const TimeTexts& times) {
    const ConversionItem& item = inputs.item;
    if (item.needsExport != 0) {
        ReplaceAll(text, "$INPUT_FILE", item.exportPath);
        ReplaceAll(text, "$START", " ");
        ReplaceAll(text, "$LENGTH", " ");
    } else {
        ReplaceAll(text, "$INPUT_FILE", item.sourcePath);
        ReplaceAll(text, "$START", times.start);
        ReplaceAll(text, "$LENGTH", times.length);
    }
    ReplaceAll(text, "$TITLE", item.title);
    ReplaceAll(text, "$TIMESTAMP", FormatTimestamp(inputs.now));
    ReplaceAll(text, "$OUTPUT_DIR", inputs.outputDirectory);
}

std::string CutToCommandLimit(std::string text) {
    if (text.size() > kCommandLimit) text.resize(kCommandLimit);
    return text;
}

}  // namespace

void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    if (placeholder.empty()) return;
    std::size_t at = text.find(placeholder);
    while (at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
        at = text.find(placeholder, at + value.size());
    }
}

std::string PspOutputName(int profileEntry, int fileNumber) {
    char name[32];
    std::snprintf(name, sizeof name, profileEntry < kFirstAvcPspEntry ? "M4V%05d" : "MAQ%05d", fileNumber);
    return name;
}

std::string ExpandFamilyTemplate(const std::string& commandTemplate, const ExpansionInputs& inputs, int deviceTab,
                                 int profileEntry) {
    std::string text = commandTemplate;
    ExpandCommonPlaceholders(text, inputs, PlainTimes(inputs.item));
    const std::string outputFile =
        deviceTab == kTabPsp ? PspOutputName(profileEntry, inputs.item.fileNumber) : inputs.item.outputName;
    ReplaceAll(text, "$OUTPUT_FILE", outputFile);
    return CutToCommandLimit(text);
}

std::string ExpandIpodTemplate(const std::string& commandTemplate, const ExpansionInputs& inputs,
                               const IOutputSettings& settings) {
    std::string text = commandTemplate;
    ExpandCommonPlaceholders(text, inputs, IpodTimeOptions(inputs.item));
    ReplaceAll(text, "$OUTPUT_FILE", inputs.item.outputName);
    if (settings.ProfileSetting() == 0) {
        for (int index = 0; index < kSettingCount; ++index) {
            const Setting setting = static_cast<Setting>(index);
            ReplaceAll(text, SettingPlaceholder(setting), SettingValue(setting, settings.SettingItem(setting)));
        }
    }
    return CutToCommandLimit(text);
}
