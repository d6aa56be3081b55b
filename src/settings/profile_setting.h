#pragma once

#include <functional>
#include <vector>

#include "engine/output_settings.h"

// The iPod family's "Profile setting" combo: item k above 0 stands for the
// file's section "profile<k>", whose keys set five of the nine setting combos;
// frame rate, aspect, sample rate and volume keep what the user chose. Item 0
// is the user's own combination and sets nothing.
struct SettingChoice {
    Setting setting;
    int item;
};

// readNumber reads one key of the profile's section as a number (0 when missing).
std::vector<SettingChoice> ProfileSettingChoices(int profileSetting,
                                                 const std::function<int(const char* key)>& readNumber);

// A selection the control can show: the wanted item when the control has it,
// else its first item (-1 when it has none), so a run never reads a control
// without a selection.
int SelectableItem(int wanted, int count);
