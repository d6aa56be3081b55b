#pragma once

#include <string>

#include "framework/registry.h"

// Sets one of the program's registry values for a test and puts the earlier
// value back afterwards.
class SettingForTest {
public:
    SettingForTest(const char* name, const std::string& value) : name_(name), saved_(ReadSetting(name)) {
        WriteSetting(name, value);
    }
    ~SettingForTest() { WriteSetting(name_, saved_); }
    SettingForTest(const SettingForTest&) = delete;
    SettingForTest& operator=(const SettingForTest&) = delete;

private:
    const char* name_;
    std::string saved_;
};
