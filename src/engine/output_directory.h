#pragma once

#include <optional>
#include <string>

// The folder that every output and temporary file is written to. After
// start-up it always ends with a backslash; it is $OUTPUT_DIR in commands.
extern std::string outputDirectory;

// The folder as the program keeps it, ending with a backslash; nothing when
// it is empty or, with its backslash, does not fit the 260-character buffer:
// a cut path names another folder.
std::optional<std::string> UsableOutputFolder(const std::string& folder);
