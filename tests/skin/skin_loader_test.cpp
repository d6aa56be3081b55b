#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skin/skin.h"
#include "skin_setting.h"
#include "support/bmp_file.h"
#include "support/temp_folder.h"
#include "support/window_watch.h"

namespace {

std::string SolidBmp(int width, int height) {
    return MakeBmpFile(width, height, [](int, int) { return 0x00336699u; });
}

// This test program carries no bitmap resources, so every element that the
// skin does not name is an empty built-in one.
TEST(SkinLoader, NamedElementsComeFromTheSkinFolderTheRestFromBuiltIns) {
    TempFolder folder;
    folder.MakeFolder("Blue");
    folder.Write("Blue\\title.bmp", SolidBmp(40, 7));
    folder.Write("Blue\\window.bmp", SolidBmp(9, 5));
    folder.Write("Blue\\back.bmp", SolidBmp(3, 3));
    const std::string ini = folder.Write("blue.ini", "[Blue skin]\r\nDirectory=" + folder.Path() +
                                                         "Blue\r\nTITLE=Title.BMP\r\ncombo_window=window.bmp\r\n"
                                                         "background = back.bmp\r\n");
    SkinIniSetting setting(ini);
    LoadSkin();
    const SkinRecord& skin = CurrentSkin();
    EXPECT_EQ(skin.skinIniPath, ini);
    EXPECT_EQ(skin.title.width, 40);
    EXPECT_EQ(skin.title.height, 7);
    EXPECT_EQ(skin.combo.itemArea.width, 9);
    EXPECT_EQ(skin.combo.dropBackground.bitmap, skin.combo.itemArea.bitmap) << "one element, two slots";
    EXPECT_TRUE(skin.background.Empty()) << "a key with a space before '=' is not the key";
    EXPECT_TRUE(skin.header.span.Empty());
    EXPECT_EQ(skin.combo.setLayeredWindowAttributes, skin.setLayeredWindowAttributes);
}

TEST(SkinLoader, WithoutAReadableSkinEverythingIsBuiltIn) {
    for (const std::string& path : {std::string(), std::string("C:\\no such folder\\skin.ini")}) {
        SkinIniSetting setting(path);
        LoadSkin();
        EXPECT_TRUE(CurrentSkin().title.Empty());
        EXPECT_TRUE(CurrentSkin().vScroll.thumb.Empty());
        EXPECT_EQ(CurrentSkin().skinDirectory, "");
    }
}

// Clipvane's start-up in a process of its own: skin_probe.exe, built beside
// this test, which writes probe.txt once LoadSkin() has returned.
struct ProbeRun {
    AnsweredRun run;
    std::string output;
};

ProbeRun RunProbe(const TempFolder& folder) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string probe(path);
    probe = probe.substr(0, probe.find_last_of('\\') + 1) + "skin_probe.exe";
    ProbeRun probed;
    probed.run = RunAndAnswer("\"" + probe + "\" " + folder.Path() + "probe.txt", IsShownDialog, 60000);
    probed.output = folder.Exists("probe.txt") ? folder.Read("probe.txt") : "";
    return probed;
}

const char kRefusal[] = "\nCannot initialise Clipvane skin, Clipvane will restart with original theme";

TEST(SkinLoaderProcess, AGoodSkinLetsTheProgramGoOn) {
    TempFolder folder;
    folder.Write("title.bmp", SolidBmp(12, 4));
    SkinIniSetting setting(folder.Write("good.ini", "directory=" + folder.Path() + "\ntitle=title.bmp\n"));
    const ProbeRun probe = RunProbe(folder);
    EXPECT_EQ(probe.run.message, "");
    EXPECT_EQ(probe.run.exitCode, 3u);
    EXPECT_EQ(probe.output, "12x4");
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

TEST(SkinLoaderProcess, AMissingElementFileIsNamedTheSkinIsResetAndTheProgramEnds) {
    TempFolder folder;
    folder.Write("title.bmp", SolidBmp(12, 4));
    // The directory without its trailing backslash, as skins give it.
    const std::string directory = folder.Path().substr(0, folder.Path().size() - 1);
    SkinIniSetting setting(
        folder.Write("broken.ini", "directory=" + directory + "\ntitle=title.bmp\nbackground=gone.bmp\n"));
    const ProbeRun probe = RunProbe(folder);
    EXPECT_EQ(probe.run.message, "Cannot load " + Lower(directory) + "\\gone.bmp" + kRefusal);
    EXPECT_EQ(probe.run.exitCode, 0u);
    EXPECT_EQ(probe.output, "") << "the program never got past the skin";
    EXPECT_EQ(ReadSetting("SkinIni"), "") << "the next start uses the built-in look";
}

TEST(SkinLoaderProcess, AnElementPathBeyond511CharactersIsRefusedNotCut) {
    TempFolder folder;
    const std::string directory = folder.Path().substr(0, folder.Path().size() - 1);
    const std::string fileName(600, 'x');
    SkinIniSetting setting(folder.Write("long.ini", "directory=" + directory + "\ntitle=" + fileName + "\n"));
    const ProbeRun probe = RunProbe(folder);
    EXPECT_EQ(probe.run.message, "Cannot load " + Lower(directory) + "\\" + fileName + kRefusal)
        << "the message names the whole path";
    EXPECT_EQ(probe.run.exitCode, 0u);
    EXPECT_EQ(ReadSetting("SkinIni"), "");
}

}  // namespace
