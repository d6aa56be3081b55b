#include "tasks/new_item.h"

#include <cmath>

#include "tasks/random_number.h"

namespace {

constexpr int kNumberLow = 10000;
constexpr int kNumberHigh = 20000;
constexpr int kNumberSpread = 1000;
// Seeds tried before the numbers are searched in order: far more than any
// list holds items, so the search only runs when the draws keep colliding.
constexpr int kSeedsTried = 4096;

bool OutputNameUsed(const TaskList& tasks, const std::string& name) {
    for (int index = 0; index < tasks.Count(); ++index) {
        if (tasks.SameName(tasks.Copy(index).outputName, name)) return true;
    }
    return false;
}

bool FileNumberUsed(const TaskList& tasks, int number) {
    for (int index = 0; index < tasks.Count(); ++index) {
        if (tasks.Copy(index).fileNumber == number) return true;
    }
    return false;
}

}  // namespace

std::string SourceStem(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::string();
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    if (dot < start) return std::string();
    return path.substr(start, dot - start);
}

bool IsRealMediaPath(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot != std::string::npos && path.find("rm", dot) != std::string::npos;
}

std::string UniqueOutputName(const TaskList& tasks, const std::string& stem) {
    if (!OutputNameUsed(tasks, stem)) return stem;
    for (int suffix = 2;; ++suffix) {
        const std::string name = stem + "_" + std::to_string(suffix);
        if (!OutputNameUsed(tasks, name)) return name;
    }
}

int UniqueFileNumber(const TaskList& tasks, std::time_t now) {
    for (int seed = 0; seed < kSeedsTried; ++seed) {
        const int number = DrawNumber(kNumberLow, kNumberHigh, now + seed) + DrawNumber(0, kNumberSpread, now + seed);
        if (!FileNumberUsed(tasks, number)) return number;
    }
    int number = kNumberLow;
    while (FileNumberUsed(tasks, number)) ++number;
    return number;
}

double UsableDuration(double seconds) { return std::isfinite(seconds) && seconds > 0.0 ? seconds : 0.0; }

ConversionItem NewItem(const TaskList& tasks, const std::string& path, double duration, std::time_t now) {
    ConversionItem item;
    const std::string stem = SourceStem(path);
    item.sourcePath = path;
    item.outputName = UniqueOutputName(tasks, stem);
    item.title = stem;
    item.workName = stem;
    item.endTime = UsableDuration(duration);
    item.selected = true;
    item.fileNumber = UniqueFileNumber(tasks, now);
    item.needsExport = IsRealMediaPath(path) ? 1 : 0;
    return item;
}
