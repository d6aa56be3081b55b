// What the skinned controls make of outside text and sizes: a label's lines,
// a message box sized to its lines, the parts of a list cell, a combo's
// selection and the settings a profile sets. Whatever the text and the sizes,
// every part lies where it belongs, nothing is written past a limit, and each
// setting takes the number of its own key.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "controls/label_text.h"
#include "controls/list_cells.h"
#include "controls/message_box_layout.h"
#include "engine/value_tables.h"
#include "fuzz_support.h"
#include "settings/profile_setting.h"

namespace {

bool Inside(const LayoutRect& part, const LayoutRect& whole) {
    return part.left >= whole.left && part.top >= whole.top && part.right <= whole.right &&
           part.bottom <= whole.bottom && part.left <= part.right && part.top <= part.bottom;
}

void CheckLabel(const std::string& text) {
    LabelText label;
    label.Set(text.c_str());
    const std::string kept = text.substr(0, std::min(std::strlen(text.c_str()), LabelText::kMaxText));
    FUZZ_CHECK(label.Text() == kept);
    FUZZ_CHECK(label.LineCount() == 1 + std::count(kept.begin(), kept.end(), '\n'));
    std::string joined;
    for (int line = 0, start = 0; line < label.LineCount(); ++line) {
        const std::size_t end = std::min(kept.find('\n', start), kept.size());
        FUZZ_CHECK(label.Line(line) == kept.substr(start, std::min(end - start, LabelText::kMaxLine)));
        start = static_cast<int>(end) + 1;
    }
    FUZZ_CHECK(label.Line(label.LineCount()).empty() && label.Line(-1).empty());
}

// The box holds its icon, message and buttons; the message is as wide as its
// widest line and at most 10 pixels more, wherever that line stands.
void CheckMessageBox(const std::vector<TextExtent>& lines, MessageButtons buttons) {
    const MessageBoxLayout layout = LayOutMessageBox(lines, buttons);
    const LayoutRect box = {0, 0, layout.width, layout.height};
    int widest = 0;
    for (const TextExtent& line : lines) widest = std::max(widest, line.cx);
    FUZZ_CHECK(layout.width >= 180 && layout.message.Width() >= widest + 2 && layout.message.Width() <= widest + 12);
    for (const LayoutRect& part : {layout.icon, layout.message, layout.closeButton, layout.title, layout.firstButton}) {
        FUZZ_CHECK(Inside(part, box));
    }
    FUZZ_CHECK(layout.icon.right <= layout.message.left);
    const LayoutRect& last = buttons == MessageButtons::kOk ? layout.firstButton : layout.secondButton;
    FUZZ_CHECK(Inside(last, box) && layout.message.bottom <= layout.firstButton.top);
    FUZZ_CHECK(std::abs(layout.firstButton.left + last.right - layout.width) <= 2);  // centred
    if (buttons != MessageButtons::kOk) FUZZ_CHECK(layout.firstButton.right < layout.secondButton.left);
}

void CheckCell(const LayoutRect& cell, const CellContent& content) {
    const CellParts parts = LayOutCell(cell, content);
    FUZZ_CHECK(Inside(parts.text, cell));
    if (content.checkBox) {
        FUZZ_CHECK(parts.checkBox.Width() == cell.Height() && parts.checkBox.Height() == cell.Height());
    }
    if (content.image && content.imageWidth > 0 && content.imageHeight > 0) FUZZ_CHECK(Inside(parts.image, cell));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<TextExtent> lines(input.ConsumeIntegralInRange<int>(0, 40));
    for (TextExtent& line : lines) {
        line.cx = input.ConsumeIntegralInRange<int>(0, 4000);
        line.cy = input.ConsumeIntegralInRange<int>(0, 100);
    }
    CheckMessageBox(lines,
                    input.PickValueInArray({MessageButtons::kOk, MessageButtons::kOkCancel, MessageButtons::kYesNo}));

    const int left = input.ConsumeIntegralInRange<int>(-5000, 5000);
    const int top = input.ConsumeIntegralInRange<int>(-5000, 5000);
    const LayoutRect cell =
        RectAt(left, top, input.ConsumeIntegralInRange<int>(0, 2000), input.ConsumeIntegralInRange<int>(0, 200));
    CellContent content;
    content.checkBox = input.ConsumeBool();
    content.checkBoxCentred = input.ConsumeBool();
    content.image = input.ConsumeBool();
    content.imageCentred = input.ConsumeBool();
    content.imageWidth = input.ConsumeIntegralInRange<int>(-10, 2000);
    content.imageHeight = input.ConsumeIntegralInRange<int>(-10, 200);
    CheckCell(cell, content);

    const int area = input.ConsumeIntegralInRange<int>(-10, 4000);
    const int maximum = input.ConsumeIntegral<int>();
    const int position = input.ConsumeIntegral<int>();
    const int fill = ProgressFillWidth(area, position, maximum);
    FUZZ_CHECK(fill >= 0 && fill <= std::max(area, 0));
    FUZZ_CHECK(fill <= ProgressFillWidth(area, position < maximum ? position + 1 : position, maximum));

    const int count = input.ConsumeIntegralInRange<int>(-2, 50);
    const int wanted = input.ConsumeIntegral<int>();
    const int selected = SelectableItem(wanted, count);
    FUZZ_CHECK(count <= 0 ? selected == -1 : selected == (wanted >= 0 && wanted < count ? wanted : 0));

    // A profile sets five combos, each from its own key and only to an item
    // the combo has; the user's four and the user's own combination stay.
    std::map<std::string, int> keys;
    const auto read = [&](const char* key) { return keys.emplace(key, input.ConsumeIntegral<int>()).first->second; };
    const int profile = input.ConsumeIntegralInRange<int>(-1, 9);
    const SettingCombos before = DefaultSettingCombos();
    const SettingCombos after = WithProfileSetting(before, profile, read);
    FUZZ_CHECK(after.profileSetting == profile && keys.size() == (profile > 0 ? 5u : 0u));
    // Which combo each key sets, whatever its place: from no selection, the
    // key alone set to 1 moves exactly that combo, and no other key's.
    std::map<Setting, std::string> keyOf;
    for (const auto& asked : keys) {
        const std::string& key = asked.first;
        const SettingCombos none;
        const SettingCombos alone = WithProfileSetting(none, 1, [&](const char* name) { return key == name; });
        std::vector<Setting> moved;
        for (int index = 0; index < kSettingCount; ++index) {
            if (alone.items[index] != 0) moved.push_back(static_cast<Setting>(index));
        }
        FUZZ_CHECK(moved.size() == 1 && alone.Item(moved[0]) == 1 && keyOf.emplace(moved[0], key).second);
    }
    for (const Setting user : {Setting::FrameRate, Setting::Aspect, Setting::SampleRate, Setting::Volume}) {
        FUZZ_CHECK(keyOf.count(user) == 0);
    }
    for (int index = 0; index < kSettingCount; ++index) {
        const Setting setting = static_cast<Setting>(index);
        const auto key = keyOf.find(setting);
        const bool fromProfile =
            key != keyOf.end() && keys[key->second] >= 0 && keys[key->second] < SettingItemCount(setting);
        FUZZ_CHECK(after.Item(setting) == (fromProfile ? keys[key->second] : before.Item(setting)));
    }

    CheckLabel(input.ConsumeRemainingBytesAsString());
    return 0;
}
