#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/output_settings.h"
#include "engine/time_text.h"
#include "tasks/conversion_item.h"

// Turns an encoder command template from a profile file into the command line
// for one conversion item. Placeholders are replaced one after the other, every
// occurrence, by plain substring replacement; a value put in by one step is open
// to the steps after it (a source path holding "$TITLE" is changed by $TITLE).
// A command that grows beyond the limit at any step is refused, never cut: a cut
// command can lose an output path's closing quote or extension and, with -y,
// overwrite another file. Expansion stops at the limit, so it costs no more
// than the command it would give.

// Longest command line handed to the encoder runner, in characters.
constexpr std::size_t kCommandLimit = 2047;

// Everything an expansion reads besides the template and the panel.
struct ExpansionInputs {
    ConversionItem item;
    std::string outputDirectory;  // ends with a backslash
    LocalClock now;
};

// Replaces every occurrence of the placeholder, left to right; text that was
// just put in is not searched again by the same step. False, with the text
// left unfinished, as soon as the result would pass the limit.
bool ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value,
                std::size_t limit = kCommandLimit);

// The PSP family's output stem: "M4V%05d" for profile entries below 16 (no
// entry, -1, counts as below), "MAQ%05d" from 16 on.
std::string PspOutputName(int profileEntry, int fileNumber);

// What $OUTPUT_FILE becomes: the PSP name on the PSP tab, else the item's
// output stem.
std::string OutputFileStem(const ConversionItem& item, int deviceTab, int profileEntry);

// A template of the PSP, 3GP, Xbox, PPC or PMP families. Times are plain
// "%02d:%02d:%02d.%03d" texts; on the PSP tab the output stem is the PSP name.
// Nothing when the command does not fit.
std::optional<std::string> ExpandFamilyTemplate(const std::string& commandTemplate, const ExpansionInputs& inputs,
                                                int deviceTab, int profileEntry);

// The iPod template: times as " -ss" and " -t" options, the output stem as it
// is whatever the tab, and for the own-settings profile (profile setting 0)
// the nine setting placeholders from the value tables. Nothing when the
// command does not fit.
std::optional<std::string> ExpandIpodTemplate(const std::string& commandTemplate, const ExpansionInputs& inputs,
                                              const IOutputSettings& settings);

// The files a template names in the output folder under the item's stem
// ("$OUTPUT_DIR$OUTPUT_FILE" and the suffix up to the closing quote, a blank
// or the end), in the order they appear: the files its pass writes, or reads
// back from an earlier pass of the same item.
std::vector<std::string> OutputFilesOfTemplate(const std::string& commandTemplate, const std::string& outputDirectory,
                                               const std::string& outputStem);
// Only what follows the stem of those files: "_temp.3gp", ".3gp".
std::vector<std::string> OutputSuffixesOfTemplate(const std::string& commandTemplate);

// The template with the suffix of each of those files replaced by what
// newSuffix gives for it, so that the file is written under another name.
std::string RenameOutputFiles(const std::string& commandTemplate,
                              const std::function<std::string(const std::string&)>& newSuffix);

// The name of the item's final output under a device family, as the family's
// profiles write it: the Output column's text until the item starts. Empty for
// a tab without a family.
std::string OutputFileName(const ConversionItem& item, int deviceTab, int profileEntry, int threeGpType);
