#pragma once

#include <array>
#include <functional>

#include "engine/output_settings.h"

// The iPod family's "Profile setting" combo and the nine setting combos. Item
// k above 0 of "Profile setting" stands for the file's section "profile<k>",
// whose keys set five of the nine setting combos; frame rate, aspect, sample
// rate and volume keep what the user chose. Item 0 is the user's own
// combination and sets nothing.
//
// Whenever a profile is selected, by the user or by the program (start-up,
// loading the iPod file again), the combos show its values: the combos never
// show one thing while the conversion uses another.
struct SettingCombos {
    int profileSetting = 0;
    std::array<int, kSettingCount> items{};

    int& Item(Setting setting) { return items[static_cast<std::size_t>(setting)]; }
    int Item(Setting setting) const { return items[static_cast<std::size_t>(setting)]; }
};

// What an emptied panel shows: the user's own combination with every setting
// at its default item.
SettingCombos DefaultSettingCombos();

// The combos after the profile is selected, exactly as choosing it shows
// them. readNumber reads one key of the profile's section as a number (0 when
// missing); a value beyond its combo's items leaves that combo as it was.
SettingCombos WithProfileSetting(SettingCombos shown, int profileSetting,
                                 const std::function<int(const char* key)>& readNumber);

// A selection the control can show: the wanted item when the control has it,
// else its first item (-1 when it has none), so a run never reads a control
// without a selection.
int SelectableItem(int wanted, int count);
