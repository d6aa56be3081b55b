#pragma once

#include <string>

// How many items a run converts side by side, as the user last chose it: the
// registry value "atonce", the text "1" to "4". Missing or anything else
// reads as 1, one item after the other.
int ItemsAtOnceFromText(const std::string& text);
int StoredItemsAtOnce();
// Stores the choice; failures are ignored.
void StoreItemsAtOnce(int count);
