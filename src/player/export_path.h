#pragma once

#include <functional>
#include <optional>
#include <string>

// The intermediate file of an export: in the output directory, named from the
// item's work name and a number by the export form's pattern ("%s_%d.avi").
// It never replaces a file that exists: when the drawn number's name is
// taken, the next numbers are tried. A name longer than a path may be is
// refused, never cut, since a cut name would be another file.
std::optional<std::string> ChooseExportPath(const std::string& folder, const std::string& workName,
                                            const char* namePattern, int firstNumber,
                                            const std::function<bool(const std::string&)>& fileExists);

// The bounds of the number drawn for the name.
constexpr int kExportNumberLow = 10000;
constexpr int kExportNumberHigh = 50000;
