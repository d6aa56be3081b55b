#pragma once

#include <functional>
#include <string>
#include <vector>

// Chooses the names an item's passes write under in the output folder, so
// that no pass writes over a file that is there or that another item writes:
// a taken name is replaced by the next free one. The families named by the
// item's stem number each file on its own ("clip_2.3gp": the number goes
// before the extension); the PSP's files, which its player pairs by their
// number, take the next free number together ("M4V12346.THM" beside
// "M4V12346.MP4"). A file that several passes name (written by one, read or
// finished by the next) is one file. What is taken, and which names are one,
// the caller says, so a choice has no side effects: it can be made again at
// any moment to learn the name an item would be written under now.
// Portable: no <windows.h>.

// Numbers tried for one file: more than any folder holds files of one stem.
constexpr int kNameAttempts = 10000;

constexpr const char* kReasonNoFreeName = "no free file name";
constexpr const char* kReasonPathTooLong = "output path too long";

struct NameQuestions {
    // A file of that name is there, or another item writes it.
    std::function<bool(const std::string& path)> taken;
    // The two names are one file, as the system compares names.
    std::function<bool(const std::string& first, const std::string& second)> sameName;
};

struct ItemNaming {
    std::vector<std::string> templates;  // the commands of the item's passes, in order
    std::string outputDirectory;         // ends with a backslash
    std::string stem;                    // what $OUTPUT_FILE stands for, unless numbered
    bool numberedStem = false;           // the PSP: the stem is PspOutputName(profileEntry, number)
    int profileEntry = -1;
    int fileNumber = 0;  // the first number the PSP's stem may carry
};

// A file as the templates name it (what follows the stem) and as it is written.
struct NamedFile {
    std::string suffix;
    std::string path;
};

struct FreeNames {
    std::string refusal;                 // why the item cannot be written; empty when names were chosen
    std::vector<std::string> templates;  // the templates, writing under the chosen names
    std::string stem;                    // what $OUTPUT_FILE stands for in them
    int fileNumber = 0;                  // the number the PSP's stem carries (the item's own elsewhere)
    std::vector<NamedFile> files;        // every file the passes name, once, in the order first named
    std::string output;                  // the final output: the first file the last pass names
};

// Every chosen path is free, distinct from the others and at most kPathLimit
// bytes of UTF-8 long (never fewer than the system's UTF-16 characters). The
// item is refused when a path would be longer, or when kNameAttempts numbers
// are all taken.
FreeNames ChooseFreeNames(const ItemNaming& item, const NameQuestions& questions);
