// The names an item's passes write under. Whatever the templates, folder,
// stem and taken names: a chosen name is never taken, not even in another
// case of any script, no two files share a name as Windows compares names,
// each lies in the folder, keeps the extension its template gives it, adds no
// reserved character to a name and fits the system's path limit, the
// templates write exactly the
// chosen files, and an item is refused only when the numbers are really used
// up or the longest name numbering could make would not fit.
//
// Input: texts separated by zero bytes: the choices (byte 0: bit 0 for the
// PSP's numbered stem, bit 1 for a folder where every name is taken; bytes 1
// to 3: the PSP number; byte 4: the profile entry; bytes 5 and 6: how many of
// the first names the chooser asks about are taken, as in a folder full of
// numbered files), the output folder, the stem, the templates one a line,
// then the names already taken in the folder.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/command_text.h"
#include "engine/folder_path.h"
#include "engine/free_names.h"
#include "fuzz_support.h"
#include "windows_names.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

// What follows the last dot of the file's own name, dot included; empty
// when the name has none.
std::string Extension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t folderEnd = path.find_last_of("\\/");
    if (dot == std::string::npos || (folderEnd != std::string::npos && dot < folderEnd)) return std::string();
    return path.substr(dot);
}

bool PlainName(const std::string& name) { return name.find_first_of("<>:\"/\\|?*") == std::string::npos; }

int Byte(const std::string& bytes, std::size_t at) {
    return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> texts = ZeroSeparated(data, size);
    if (texts.size() < 4) return 0;
    const std::string& choices = texts[0];
    ItemNaming item;
    item.numberedStem = (Byte(choices, 0) & 1) != 0;
    const bool everyNameTaken = (Byte(choices, 0) & 2) != 0;
    item.fileNumber = Byte(choices, 1) | Byte(choices, 2) << 8 | (Byte(choices, 3) & 0x0F) << 16;
    item.profileEntry = Byte(choices, 4) % 40 - 1;
    item.outputDirectory = texts[1].empty() || texts[1].back() != '\\' ? texts[1] + '\\' : texts[1];
    item.stem = texts[2];
    item.templates = Lines(texts[3]);
    if (item.templates.size() > 8) return 0;
    std::set<std::string> taken;
    for (std::size_t i = 4; i < texts.size() && i < 68; ++i)
        taken.insert(WindowsFolded(item.outputDirectory + texts[i]));

    const NameQuestions questions = {
        [&](const std::string& path) { return everyNameTaken || taken.count(WindowsFolded(path)) != 0; },
        SameWindowsName};
    const int firstAnswersTaken = Byte(choices, 5) | Byte(choices, 6) << 8;
    int takenAnswers = 0;
    const NameQuestions asked = {[&](const std::string& path) {
                                     const bool answer = takenAnswers < firstAnswersTaken || questions.taken(path);
                                     takenAnswers += answer ? 1 : 0;
                                     return answer;
                                 },
                                 questions.sameName};
    const FreeNames names = ChooseFreeNames(item, asked);

    // The files as the templates name them, each once, and the longest name
    // numbering could give one of them.
    const std::string firstStem = item.numberedStem ? PspOutputName(item.profileEntry, item.fileNumber) : item.stem;
    const std::string lastStem =
        item.numberedStem ? PspOutputName(item.profileEntry, item.fileNumber + kNameAttempts - 1) : item.stem;
    const std::size_t longestNumber = item.numberedStem ? 0 : 1 + std::to_string(kNameAttempts).size();
    std::set<std::string> suffixes;
    std::size_t longestFirst = 0;
    std::size_t longest = 0;
    bool anyTaken = false;
    for (const std::string& commandTemplate : item.templates) {
        for (const std::string& suffix : OutputSuffixesOfTemplate(commandTemplate)) {
            suffixes.insert(WindowsFolded(suffix));
            longestFirst = std::max(longestFirst, (item.outputDirectory + firstStem + suffix).size());
            longest = std::max(longest, (item.outputDirectory + lastStem + suffix).size() + longestNumber);
            anyTaken = anyTaken || questions.taken(item.outputDirectory + firstStem + suffix);
        }
    }

    // Every number tried had a taken name.
    if (names.refusal == kReasonNoFreeName) FUZZ_CHECK(takenAnswers >= kNameAttempts);
    if (names.refusal == kReasonPathTooLong) {
        FUZZ_CHECK(longestFirst > kPathLimit || ((anyTaken || takenAnswers > 0) && longest > kPathLimit));
    }
    if (!names.refusal.empty()) {
        FUZZ_CHECK(names.refusal == kReasonNoFreeName || names.refusal == kReasonPathTooLong);
        return 0;
    }
    FUZZ_CHECK(names.files.size() == suffixes.size());
    std::set<std::string> chosen;
    for (const NamedFile& file : names.files) {
        FUZZ_CHECK(!questions.taken(file.path));
        FUZZ_CHECK(file.path.size() <= kPathLimit);
        FUZZ_CHECK(file.path.compare(0, item.outputDirectory.size(), item.outputDirectory) == 0);
        if (PlainName(item.stem) && PlainName(file.suffix)) {
            FUZZ_CHECK(PlainName(file.path.substr(item.outputDirectory.size())));
        }
        const std::string extension = Extension(file.suffix);
        FUZZ_CHECK(extension.empty() || Extension(file.path) == extension);
        FUZZ_CHECK(chosen.insert(WindowsFolded(file.path)).second);
    }
    std::set<std::string> written;
    for (const std::string& commandTemplate : names.templates) {
        for (const std::string& path : OutputFilesOfTemplate(commandTemplate, item.outputDirectory, names.stem)) {
            written.insert(WindowsFolded(path));
        }
    }
    FUZZ_CHECK(written == chosen);
    if (!names.templates.empty() && !OutputSuffixesOfTemplate(names.templates.back()).empty()) {
        FUZZ_CHECK(names.output ==
                   OutputFilesOfTemplate(names.templates.back(), item.outputDirectory, names.stem).front());
    }
    return 0;
}
