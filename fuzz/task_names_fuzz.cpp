// Files added to the task list become items whose names the window shows and
// the conversion writes. Whatever the files are called, every output name is
// a plain file name (no separators, no reserved characters), no two items'
// outputs are the same file as Windows compares names (case aside, in every
// script: the task list is given that comparison, as the window gives it), the
// Output column shows that name, and the Progress column's bar and percent
// agree. The output folder the user types is kept only whole.
//
// Input: texts separated by zero bytes: first the item figures (doubles and
// whole numbers, as they come), then the files, each a path below "C:\".
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/cell_contents.h"
#include "engine/command_text.h"
#include "engine/folder_path.h"
#include "engine/output_directory.h"
#include "engine/output_settings.h"
#include "fuzz_support.h"
#include "tasks/new_item.h"
#include "windows_names.h"

namespace {

// A name Windows lets a file have: no reserved characters, no control bytes.
bool PossibleFileName(const std::string& path) {
    for (unsigned char c : path) {
        if (c < 32 || std::strchr("<>:\"/|?*", c)) return false;
    }
    return !path.empty() && path.back() != '\\';
}

// A figure from the bytes, within the bounds a conversion gives it.
double Figure(const std::string& bytes, std::size_t at, double limit) {
    double value = 0.0;
    if (bytes.size() >= (at + 1) * 8) std::memcpy(&value, bytes.data() + at * 8, 8);
    return std::isfinite(value) ? std::fmod(std::fabs(value), limit) : 0.0;
}

void CheckProgressCell(ConversionItem item, const std::string& figures) {
    item.beginTime = Figure(figures, 0, 1e7);
    item.endTime = item.beginTime + Figure(figures, 1, 1e7);
    item.encodedTime = Figure(figures, 2, 1e7);
    item.encodingSpeed = Figure(figures, 3, 1e6);
    item.exportPercent = Figure(figures, 4, 100.0);
    item.exportRemaining = Figure(figures, 5, 1e7);
    item.outputSizeKB = static_cast<std::int32_t>(Figure(figures, 6, 2147483647.0));
    const unsigned char flags = figures.size() > 56 ? figures[56] : 0;
    item.status = flags % 14;
    item.needsExport = flags >> 4 & 1;
    item.finished = flags >> 5 & 1;
    const CellContents cell = CellFor(item, kColumnProgress, OutputChoice());
    if (cell.progressMaximum < 1) return;
    FUZZ_CHECK(cell.progressMaximum == 100 && cell.progressPosition >= 0 && cell.progressPosition <= 100);
    if (item.status == kStatusEncoding) {
        const std::string shown = "%" + std::to_string(cell.progressPosition) + " ";
        FUZZ_CHECK(cell.text.size() > shown.size() &&
                   cell.text.compare(cell.text.size() - shown.size(), shown.size(), shown) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> texts = ZeroSeparated(data, size);
    TaskList tasks(SameWindowsName);
    for (std::size_t i = 1; i < texts.size() && tasks.Count() < 64; ++i) {
        if (!PossibleFileName(texts[i])) continue;
        const std::string path = "C:\\" + texts[i];
        tasks.Append(NewItem(tasks, path, 10.0, static_cast<std::time_t>(size)));
        const ConversionItem item = tasks.Copy(tasks.Count() - 1);
        FUZZ_CHECK(CellFor(item, kColumnSource, OutputChoice()).text == path.substr(path.rfind('\\') + 1));
        CheckProgressCell(item, texts[0]);
    }

    const int threeGp2 = 2;
    const OutputChoice choices[] = {{kTabIpod, -1, 0},       {kTabPsp, 3, 0},   {kTabPsp, 20, 0}, {kTab3gp, -1, 1},
                                    {kTab3gp, -1, threeGp2}, {kTabXbox, -1, 0}, {kTabPpc, -1, 0}, {kTabPmp, -1, 0}};
    for (const OutputChoice& choice : choices) {
        std::set<std::string> taken;
        for (int index = 0; index < tasks.Count(); ++index) {
            const ConversionItem item = tasks.Copy(index);
            const std::string name = OutputFileName(item, choice.deviceTab, choice.profileEntry, choice.threeGpType);
            FUZZ_CHECK(CellFor(item, kColumnOutput, choice).text == name);
            FUZZ_CHECK(PossibleFileName(name) && name.find('\\') == std::string::npos);
            FUZZ_CHECK(taken.insert(WindowsFolded(name)).second);
        }
    }

    // The output folder, as typed: kept with one closing backslash, or refused whole.
    const std::string& folder = texts.back();
    const std::optional<std::string> usable = UsableOutputFolder(folder);
    const std::string closed = folder.empty() || folder.back() == '\\' ? folder : folder + '\\';
    FUZZ_CHECK(usable.has_value() == (!folder.empty() && closed.size() <= kPathLimit));
    if (usable) FUZZ_CHECK(*usable == closed);
    return 0;
}
