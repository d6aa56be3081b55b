#pragma once

#include "engine/output_settings.h"

// The texts that the iPod family's own settings put into its command: one
// fixed table per setting combo, indexed by the combo's selected item.

// The placeholder a setting fills, such as "$SIZE".
const char* SettingPlaceholder(Setting setting);

// Number of items of the setting's combo (and entries of its table).
int SettingItemCount(Setting setting);

// The text for a combo item. A combo without a selection (-1), or any item
// outside the table, gives the empty text rather than a read past the table.
const char* SettingValue(Setting setting, int item);
