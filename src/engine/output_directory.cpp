#include "engine/output_directory.h"

#include "engine/folder_path.h"

std::string outputDirectory;

std::optional<std::string> UsableOutputFolder(const std::string& folder) {
    if (folder.empty()) return std::nullopt;
    std::string usable = folder;
    if (usable.back() != '\\') usable += '\\';
    if (usable.size() > kPathLimit) return std::nullopt;
    return usable;
}
