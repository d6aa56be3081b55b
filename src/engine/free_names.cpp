#include "engine/free_names.h"

#include <climits>

#include "engine/command_text.h"
#include "engine/folder_path.h"

namespace {

// "x.3gp" as the k-th free name: "x_k.3gp". The number goes before the
// file's extension, never into a folder's name.
std::string NumberedSuffix(const std::string& suffix, int k) {
    if (k == 1) return suffix;
    const std::size_t dot = suffix.rfind('.');
    const std::size_t folderEnd = suffix.find_last_of("\\/");
    const bool extension = dot != std::string::npos && (folderEnd == std::string::npos || dot > folderEnd);
    const std::string number = "_" + std::to_string(k);
    return extension ? suffix.substr(0, dot) + number + suffix.substr(dot) : suffix + number;
}

FreeNames Refused(const char* reason) {
    FreeNames refused;
    refused.refusal = reason;
    return refused;
}

// What follows the stem of each file the templates name, each file once.
std::vector<std::string> DistinctSuffixes(const ItemNaming& item, const NameQuestions& questions) {
    std::vector<std::string> suffixes;
    for (const std::string& commandTemplate : item.templates) {
        for (const std::string& suffix : OutputSuffixesOfTemplate(commandTemplate)) {
            bool known = false;
            for (const std::string& earlier : suffixes) known = known || questions.sameName(earlier, suffix);
            if (!known) suffixes.push_back(suffix);
        }
    }
    return suffixes;
}

FreeNames Chosen(const ItemNaming& item, std::vector<std::string> templates, const std::string& stem, int number,
                 std::vector<NamedFile> files) {
    FreeNames names;
    names.templates = std::move(templates);
    names.stem = stem;
    names.fileNumber = number;
    names.files = std::move(files);
    if (!names.templates.empty()) {
        const std::vector<std::string> last = OutputFilesOfTemplate(names.templates.back(), item.outputDirectory, stem);
        if (!last.empty()) names.output = last.front();
    }
    return names;
}

FreeNames EachFileNumbered(const ItemNaming& item, const NameQuestions& questions) {
    const std::string start = item.outputDirectory + item.stem;
    std::vector<NamedFile> files;
    std::vector<std::string> newSuffixes;
    const auto chosenAlready = [&](const std::string& path) {
        for (const NamedFile& file : files) {
            if (questions.sameName(file.path, path)) return true;
        }
        return false;
    };
    for (const std::string& suffix : DistinctSuffixes(item, questions)) {
        bool named = false;
        for (int k = 1; k <= kNameAttempts && !named; ++k) {
            const std::string newSuffix = NumberedSuffix(suffix, k);
            const std::string path = start + newSuffix;
            // Longer numbers only make longer names.
            if (path.size() > kPathLimit) return Refused(kReasonPathTooLong);
            if (questions.taken(path) || chosenAlready(path)) continue;
            files.push_back({suffix, path});
            newSuffixes.push_back(newSuffix);
            named = true;
        }
        if (!named) return Refused(kReasonNoFreeName);
    }
    std::vector<std::string> templates;
    for (const std::string& commandTemplate : item.templates) {
        templates.push_back(RenameOutputFiles(commandTemplate, [&](const std::string& suffix) {
            for (std::size_t i = 0; i < files.size(); ++i) {
                if (questions.sameName(files[i].suffix, suffix)) return newSuffixes[i];
            }
            return suffix;
        }));
    }
    return Chosen(item, templates, item.stem, item.fileNumber, files);
}

FreeNames NumberedTogether(const ItemNaming& item, const NameQuestions& questions) {
    const std::vector<std::string> suffixes = DistinctSuffixes(item, questions);
    for (int k = 0; k < kNameAttempts && item.fileNumber <= INT_MAX - k; ++k) {
        const std::string stem = PspOutputName(item.profileEntry, item.fileNumber + k);
        std::vector<NamedFile> files;
        bool free = true;
        for (const std::string& suffix : suffixes) {
            const std::string path = item.outputDirectory + stem + suffix;
            if (path.size() > kPathLimit) return Refused(kReasonPathTooLong);
            free = free && !questions.taken(path);
            files.push_back({suffix, path});
        }
        if (free) return Chosen(item, item.templates, stem, item.fileNumber + k, files);
    }
    return Refused(kReasonNoFreeName);
}

}  // namespace

FreeNames ChooseFreeNames(const ItemNaming& item, const NameQuestions& questions) {
    return item.numberedStem ? NumberedTogether(item, questions) : EachFileNumbered(item, questions);
}
