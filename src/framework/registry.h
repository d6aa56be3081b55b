#pragma once

#include <string>

// The program's settings in the registry: under HKEY_CURRENT_USER
// "Software\Clipvane", each setting is the default (unnamed) string value of
// one subkey ("destination", "Version", "SkinIni", "fileno").

// Settings are read with a buffer of 512 bytes.
constexpr std::size_t kSettingBufferBytes = 512;

// The setting's text; empty when the key or value is missing, is not a
// string, or does not fit the buffer (a cut path would name another file).
std::string ReadSetting(const char* subkey);

// Creates "Software\Clipvane\<subkey>" when missing and sets its default value.
bool WriteSetting(const char* subkey, const std::string& text);
