#include "engine/command_text.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/value_tables.h"

namespace {

constexpr int kFirstAvcPspEntry = 16;
constexpr char kOutputPathPlaceholder[] = "$OUTPUT_DIR$OUTPUT_FILE";

struct TimeTexts {
    std::string start;
    std::string length;
};

// The length is taken between the two rounded ends, so that start plus length
// is the end the user chose, to the millisecond.
TimeTexts PlainTimes(const ConversionItem& item) {
    const long long start = Milliseconds(item.beginTime);
    const long long length = std::max(Milliseconds(item.endTime) - start, 0LL);
    return {FormatClockWithMilliseconds(start), FormatClockWithMilliseconds(length)};
}

TimeTexts IpodTimeOptions(const ConversionItem& item) {
    const TimeTexts plain = PlainTimes(item);
    return {" -ss " + plain.start, " -t " + plain.length};
}

// The replacement steps of one command, in order. Once a step would pass the
// limit the command is refused and the remaining steps do nothing.
class Expansion {
public:
    explicit Expansion(std::string text) : text_(std::move(text)), fits_(text_.size() <= kCommandLimit) {}

    Expansion& Replace(const std::string& placeholder, const std::string& value) {
        fits_ = fits_ && ReplaceAll(text_, placeholder, value);
        return *this;
    }
    std::optional<std::string> Result() const { return fits_ ? std::optional<std::string>(text_) : std::nullopt; }

private:
    std::string text_;
    bool fits_;
};

// Steps shared by both expansions: the input, the range, title, timestamp and
// output folder. An exported item is read from its intermediate file, which
// already holds just the range, so the range placeholders become one blank.
void ExpandCommonPlaceholders(Expansion& expansion, const ExpansionInputs& inputs, const TimeTexts& times) {
    const ConversionItem& item = inputs.item;
    if (item.needsExport != 0) {
        expansion.Replace("$INPUT_FILE", item.exportPath).Replace("$START", " ").Replace("$LENGTH", " ");
    } else {
        expansion.Replace("$INPUT_FILE", item.sourcePath)
            .Replace("$START", times.start)
            .Replace("$LENGTH", times.length);
    }
    expansion.Replace("$TITLE", item.title)
        .Replace("$TIMESTAMP", FormatTimestamp(inputs.now))
        .Replace("$OUTPUT_DIR", inputs.outputDirectory);
}

}  // namespace

bool ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value, std::size_t limit) {
    if (placeholder.empty()) return text.size() <= limit;
    std::string result;
    std::size_t copied = 0;
    for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, copied)) {
        result.append(text, copied, at - copied);
        if (result.size() + value.size() > limit) return false;
        result += value;
        copied = at + placeholder.size();
    }
    if (copied == 0) return text.size() <= limit;
    if (result.size() + (text.size() - copied) > limit) return false;
    result.append(text, copied, std::string::npos);
    text.swap(result);
    return true;
}

std::string PspOutputName(int profileEntry, int fileNumber) {
    char name[32];
    std::snprintf(name, sizeof name, profileEntry < kFirstAvcPspEntry ? "M4V%05d" : "MAQ%05d", fileNumber);
    return name;
}

std::string OutputFileStem(const ConversionItem& item, int deviceTab, int profileEntry) {
    return deviceTab == kTabPsp ? PspOutputName(profileEntry, item.fileNumber) : item.outputName;
}

std::optional<std::string> ExpandFamilyTemplate(const std::string& commandTemplate, const ExpansionInputs& inputs,
                                                int deviceTab, int profileEntry) {
    Expansion expansion(commandTemplate);
    ExpandCommonPlaceholders(expansion, inputs, PlainTimes(inputs.item));
    expansion.Replace("$OUTPUT_FILE", OutputFileStem(inputs.item, deviceTab, profileEntry));
    return expansion.Result();
}

std::optional<std::string> ExpandIpodTemplate(const std::string& commandTemplate, const ExpansionInputs& inputs,
                                              const IOutputSettings& settings) {
    Expansion expansion(commandTemplate);
    ExpandCommonPlaceholders(expansion, inputs, IpodTimeOptions(inputs.item));
    expansion.Replace("$OUTPUT_FILE", inputs.item.outputName);
    if (settings.ProfileSetting() == 0) {
        for (int index = 0; index < kSettingCount; ++index) {
            const Setting setting = static_cast<Setting>(index);
            expansion.Replace(SettingPlaceholder(setting), SettingValue(setting, settings.SettingItem(setting)));
        }
    }
    return expansion.Result();
}

std::vector<std::string> OutputSuffixesOfTemplate(const std::string& commandTemplate) {
    std::vector<std::string> suffixes;
    RenameOutputFiles(commandTemplate, [&suffixes](const std::string& suffix) {
        suffixes.push_back(suffix);
        return suffix;
    });
    return suffixes;
}

std::vector<std::string> OutputFilesOfTemplate(const std::string& commandTemplate, const std::string& outputDirectory,
                                               const std::string& outputStem) {
    std::vector<std::string> files;
    for (const std::string& suffix : OutputSuffixesOfTemplate(commandTemplate)) {
        files.push_back(outputDirectory + outputStem + suffix);
    }
    return files;
}

std::string RenameOutputFiles(const std::string& commandTemplate,
                              const std::function<std::string(const std::string&)>& newSuffix) {
    const std::size_t placeholderLength = sizeof kOutputPathPlaceholder - 1;
    std::string renamed;
    std::size_t copied = 0;
    for (std::size_t at = commandTemplate.find(kOutputPathPlaceholder); at != std::string::npos;
         at = commandTemplate.find(kOutputPathPlaceholder, copied)) {
        const std::size_t suffixStart = at + placeholderLength;
        const std::size_t suffixEnd =
            std::min(commandTemplate.find_first_of("\" ", suffixStart), commandTemplate.size());
        renamed.append(commandTemplate, copied, suffixStart - copied);
        renamed += newSuffix(commandTemplate.substr(suffixStart, suffixEnd - suffixStart));
        copied = suffixEnd;
    }
    renamed.append(commandTemplate, copied, std::string::npos);
    return renamed;
}

std::string OutputFileName(const ConversionItem& item, int deviceTab, int profileEntry, int threeGpType) {
    switch (deviceTab) {
        case kTabIpod:
            return item.outputName + ".mp4";
        case kTabPsp:
            return PspOutputName(profileEntry, item.fileNumber) + ".MP4";
        case kTab3gp:
            return item.outputName + (threeGpType == kThreeGp2Type ? ".3g2" : ".3gp");
        case kTabXbox:
            return item.outputName + ".mpg";
        case kTabPpc:
            return item.outputName + ".avi";
        case kTabPmp:
            return item.outputName + ".pmp";
        default:
            return std::string();
    }
}
