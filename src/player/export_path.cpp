#include "player/export_path.h"

#include <cstdio>
#include <vector>

#include "engine/folder_path.h"

namespace {

// How many names are tried before the export gives up.
constexpr int kNameTries = 100;

}  // namespace

std::optional<std::string> ChooseExportPath(const std::string& folder, const std::string& workName,
                                            const char* namePattern, int firstNumber,
                                            const std::function<bool(const std::string&)>& fileExists) {
    const int span = kExportNumberHigh - kExportNumberLow + 1;
    int number = firstNumber;
    for (int tried = 0; tried < kNameTries; ++tried) {
        std::vector<char> name(workName.size() + 32);
        std::snprintf(name.data(), name.size(), namePattern, workName.c_str(), number);
        const std::string path = folder + name.data();
        if (path.size() > kPathLimit) return std::nullopt;
        if (!fileExists(path)) return path;
        number = kExportNumberLow + ((number - kExportNumberLow + 1) % span + span) % span;
    }
    return std::nullopt;
}
