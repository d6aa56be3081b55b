#pragma once

#include <cstddef>
#include <string>

#include "engine/output_settings.h"
#include "engine/time_text.h"
#include "tasks/conversion_item.h"

// Turns an encoder command template from a profile file into the command line
// for one conversion item. Placeholders are replaced one after the other, every
// occurrence, by plain substring replacement; a value put in by one step is open
// to the steps after it (a source path holding "$TITLE" is changed by $TITLE).

// Longest command line handed to the encoder runner, in characters.
constexpr std::size_t kCommandLimit = 2047;

// Everything an expansion reads besides the template and the panel.
struct ExpansionInputs {
    ConversionItem item;
    std::string outputDirectory;  // ends with a backslash
    LocalClock now;
};

// Replaces every occurrence of the placeholder, left to right; text that was
// just put in is not searched again by the same step.
void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value);

// The PSP family's output stem: "M4V%05d" for profile entries below 16 (no
// entry, -1, counts as below), "MAQ%05d" from 16 on.
std::string PspOutputName(int profileEntry, int fileNumber);

// A template of the PSP, 3GP, Xbox, PPC or PMP families. Times are plain
// "%02d:%02d:%02d" texts; on the PSP tab the output stem is the PSP name.
std::string ExpandFamilyTemplate(const std::string& commandTemplate, const ExpansionInputs& inputs, int deviceTab,
                                 int profileEntry);

// The iPod template: times as " -ss" and " -t" options, the output stem as it
// is whatever the tab, and for the own-settings profile (profile setting 0)
// the nine setting placeholders from the value tables.
std::string ExpandIpodTemplate(const std::string& commandTemplate, const ExpansionInputs& inputs,
                               const IOutputSettings& settings);
