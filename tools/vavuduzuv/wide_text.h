#pragma once

#include <string>

// Windows hands out paths in UTF-16; the playlist stores them in UTF-8.
std::string Utf8Of(const std::wstring& wide);
std::wstring WideOf(const std::string& utf8);
