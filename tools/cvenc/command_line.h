#pragma once

#include <string>
#include <vector>

// Windows hands a program one command line, which the program splits again
// (CommandLineToArgvW and the C runtime follow the same rules). These quote
// arguments so that FFmpeg gets back exactly the arguments cvenc meant: paths
// with blanks, '&', quotes and trailing backslashes included.

// Longest command line CreateProcessW takes, in UTF-16 units without the terminator.
constexpr std::size_t kLongestCommandLine = 32766;

std::string QuoteArgument(const std::string& argument);

// The program path in plain quotes (the splitter reads the first word without
// backslash rules, and a path cannot hold a quote), then every argument quoted.
std::string JoinCommandLine(const std::string& program, const std::vector<std::string>& arguments);
