#pragma once

#include <string>
#include <vector>

// The converter starts VavuDuzuv with exactly one quoted path; anything else
// is a caller's mistake that must end the run before it touches a library.
enum class ArgumentCheck {
    kOnePath,
    kMissing,
    kTooMany,
    kEmpty,
    kControlCharacter,  // never part of a Windows file name, and it would split a playlist line
};

// `arguments` are the UTF-8 arguments after the program's own name.
ArgumentCheck CheckArguments(const std::vector<std::string>& arguments);
