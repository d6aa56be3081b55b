#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Windows hands a profile file's section names, or one section's lines, as a
// block of zero-terminated strings ended by a second zero. These are the sizes
// the reader works with and the walk that splits such a block.

// Size of the block that section names and section lines are read into.
constexpr std::size_t kProfileBlockSize = 65535;
// Longest section name, section line or value the reader keeps, in characters.
constexpr std::size_t kProfileTextLimit = 1023;

// Splits a block into its strings. The end is the first place where two zero
// bytes follow each other; a block that never has one (it was cut off at its
// size) ends at its size, and the string running into that end still counts.
// Every string up to the end is kept, even an empty one, so an empty block
// gives one empty string. Strings longer than kProfileTextLimit are cut there.
std::vector<std::string> WalkProfileBlock(const char* block, std::size_t size);

// One line of a section split at its first '='. A line without '=' has an
// empty key and the whole line as its value.
struct ProfileLine {
    std::string key;
    std::string value;
};
ProfileLine SplitProfileLine(const std::string& line);

// A profile number: the leading decimal digits of the text, as atoi reads
// them (blanks and a sign allowed first); 0 when there are none. Values past
// the range of an int are clamped rather than overflowing.
int ProfileNumber(const std::string& text);
