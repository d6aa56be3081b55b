#include "framework/registry.h"

#include <windows.h>

namespace {

std::string SettingKey(const char* subkey) { return std::string("Software\\Clipvane\\") + subkey; }

}  // namespace

std::string ReadSetting(const char* subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingKey(subkey).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::string();
    }
    char buffer[kSettingBufferBytes] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer;
    const LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::string();
    // The stored string need not end with a zero; one that fills the buffer
    // without one does not fit.
    std::size_t length = 0;
    while (length < size && buffer[length] != '\0') ++length;
    if (length == sizeof buffer) return std::string();
    return std::string(buffer, length);
}

bool WriteSetting(const char* subkey, const std::string& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingKey(subkey).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
