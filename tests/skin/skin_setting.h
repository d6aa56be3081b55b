#pragma once

#include <string>

#include "framework/registry.h"

// Points the registry value "SkinIni" at a skin for one test and puts the
// earlier value back afterwards.
class SkinIniSetting {
public:
    explicit SkinIniSetting(const std::string& path) : saved_(ReadSetting("SkinIni")) { WriteSetting("SkinIni", path); }
    ~SkinIniSetting() { WriteSetting("SkinIni", saved_); }
    SkinIniSetting(const SkinIniSetting&) = delete;
    SkinIniSetting& operator=(const SkinIniSetting&) = delete;

private:
    std::string saved_;
};
