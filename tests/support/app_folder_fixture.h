#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/app_folder.h"
#include "support/temp_folder.h"

// A program folder of its own for a test, with an empty "app" folder in it.
// The current directory is put back afterwards so the folder can be removed.
class AppFolderTest : public ::testing::Test {
protected:
    TempFolder folder;

    void SetUp() override {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        previousDirectory_ = current;
        folder.MakeFolder("app");
        programFolder = folder.Path();
    }
    void TearDown() override { SetCurrentDirectoryA(previousDirectory_.c_str()); }

    std::string WriteApp(const std::string& name, const std::string& bytes) {
        return folder.Write("app\\" + name, bytes);
    }

private:
    std::string previousDirectory_;
};
