#include "main/items_at_once.h"

#include "framework/registry.h"
#include "run/conversion_run.h"

namespace {

constexpr const char* kSetting = "atonce";

}  // namespace

int ItemsAtOnceFromText(const std::string& text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + kMostItemsAtOnce) return 1;
    return text[0] - '0';
}

int StoredItemsAtOnce() { return ItemsAtOnceFromText(ReadSetting(kSetting)); }

void StoreItemsAtOnce(int count) { WriteSetting(kSetting, std::to_string(count)); }
