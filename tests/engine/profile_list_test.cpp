#include "engine/profile_list.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "support/app_folder_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Records what the panel was told, as its controls would show it.
struct FakePanel : IProfilePanel {
    std::string description = "previous family";
    std::vector<std::string> comboItems;
    std::vector<std::string> listEntries{"old list entry"};
    int comboSelection = -7;
    int listSelection = -7;

    void ShowDescription(const char* text) override { description = text; }
    void ClearSettingCombo() override { comboItems.clear(); }
    void AddSettingComboItem(const char* title) override { comboItems.push_back(title); }
    void SelectSettingComboItem(int item) override { comboSelection = item; }
    void ClearProfileList() override { listEntries.clear(); }
    void AddProfileListEntry(const char* title) override { listEntries.push_back(title); }
    void SelectProfileListEntry(int entry) override { listSelection = entry; }
    void ScrollProfileListEntryIntoView(int) override {}
};

using LoadProfileListTest = AppFolderTest;

// The iPod's file fills the combo and selects its default item. A list
// family's default is its one-based position; a file with only "Info" empties
// the list, and one without a usable "Info" leaves the panel as it was.
TEST_F(LoadProfileListTest, TheDefaultIsSelectedAndOnlyAUsableInfoChangesThePanel) {
    WriteApp("iPod_Profile.ini",
             "[Info]\r\nDescription=iPod video#320 x 240\r\nDefaultProfile=1\r\n"
             "[profile0]\r\nTitle=Own settings\r\nCommand0=a\r\n"
             "[profile1]\r\nTitle=Zeta\r\nCommand0=b\r\n"
             "[profile2]\r\nTitle=Alpha\r\nCommand0=c\r\n");
    FakePanel ipod;
    LoadProfileList(0, ipod);
    EXPECT_EQ(ipod.description, "iPod video\n320 x 240");
    EXPECT_THAT(ipod.comboItems, ElementsAre("Own settings", "Zeta", "Alpha"));
    EXPECT_EQ(ipod.comboSelection, 1);

    WriteApp("Xbox_Profile.ini",
             "[Info]\r\nDescription=Xbox\r\nDefaultProfile=1 (the first)\r\n"
             "[b]\r\nTitle=Second in name, first in file\r\nCommand1=x\r\n"
             "[a]\r\nTitle=Other\r\nCommand1=y\r\n");
    WriteApp("PSP_Profile.ini", "[Info]\r\n[p]\r\nTitle=t\r\n");
    FakePanel panel;
    LoadProfileList(1, panel);  // empty "Info"
    LoadProfileList(6, panel);  // no PPC file at all
    EXPECT_EQ(panel.description, "previous family");
    EXPECT_THAT(panel.listEntries, ElementsAre("old list entry"));
    LoadProfileList(5, panel);
    EXPECT_THAT(panel.listEntries, ElementsAre("Second in name, first in file", "Other"));
    EXPECT_EQ(panel.listSelection, 0);

    WriteApp("PMP_Profile.ini", "[Info]\r\nDescription=PMP\r\nDefaultProfile=4294967298\r\n");
    LoadProfileList(7, panel);
    EXPECT_EQ(panel.description, "PMP");
    EXPECT_THAT(panel.listEntries, IsEmpty());
    EXPECT_NE(panel.listSelection, 1) << "a default past the numbers' range is no entry, not 2^32 + 2 wrapped";
}

}  // namespace
