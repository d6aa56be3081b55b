#pragma once

#include <cstdint>
#include <string>

#include "tasks/conversion_item.h"

// What one cell of the task list shows, decided from the item of its row and
// the panel's current choices. The list asks for every cell each time it
// draws it, so nothing here is cached.

// Colours as Win32 COLORREF values (0x00BBGGRR).
constexpr std::uint32_t CellColor(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
           (static_cast<std::uint32_t>(blue) << 16);
}

// The panel's choices that decide the Output column's name.
struct OutputChoice {
    int deviceTab = 0;
    int profileEntry = -1;  // "Select Profile:" list entry, -1 for none
    int threeGpType = 0;
};

enum TaskColumn { kColumnCheck = 0, kColumnSource, kColumnBegin, kColumnEnd, kColumnOutput, kColumnProgress };
constexpr int kTaskColumnCount = 6;

struct CellContents {
    std::string text;
    bool hasCheckBox = false;
    bool checked = false;
    int progressMaximum = -1;  // 1 or more makes the cell a progress bar
    int progressPosition = 0;
    std::uint32_t progressColor = 0;
    std::uint32_t textColor = CellColor(10, 5, 20);
    std::uint32_t backgroundColor = CellColor(220, 220, 220);
    std::uint32_t selectedTextColor = CellColor(49, 66, 97);
    std::uint32_t selectedBackgroundFocused = CellColor(30, 0, 96);
    std::uint32_t selectedBackgroundUnfocused = CellColor(20, 20, 120);
};

CellContents CellFor(const ConversionItem& item, int column, const OutputChoice& choice);

// The Output column's text: the name the item's output was written under in
// its last run, or else the name its family under the choice gives it.
std::string OutputCellName(const ConversionItem& item, const OutputChoice& choice);

// Percent of the item's range encoded so far: rounded, 100 from 99 on, 0 for
// an empty range.
int EncodingPercent(const ConversionItem& item);

// The Progress column: its text and, when hasBar, a bar of 100.
struct ProgressCell {
    std::string text;
    bool hasBar = false;
    int position = 0;
};
ProgressCell ProgressFor(const ConversionItem& item);
