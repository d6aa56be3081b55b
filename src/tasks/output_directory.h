#pragma once

#include <string>

// The folder that every output and temporary file is written to. After
// start-up it always ends with a backslash; it is $OUTPUT_DIR in commands.
extern std::string outputDirectory;
