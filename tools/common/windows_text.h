#pragma once

#include <windows.h>

#include <string>

// Windows speaks UTF-16; our tools keep text, paths and FFmpeg's output in UTF-8.
std::string ToUtf8(const std::wstring& text);
std::wstring ToWide(const std::string& text);

// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD code);
