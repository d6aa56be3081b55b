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
    std::vector<std::string> comboItems{"old combo item"};
    std::vector<std::string> listEntries{"old list entry"};
    int comboSelection = -7;
    int listSelection = -7;
    int scrolledTo = -7;

    void ShowDescription(const char* text) override { description = text; }
    void ClearSettingCombo() override { comboItems.clear(); }
    void AddSettingComboItem(const char* title) override { comboItems.push_back(title); }
    void SelectSettingComboItem(int item) override { comboSelection = item; }
    void ClearProfileList() override { listEntries.clear(); }
    void AddProfileListEntry(const char* title) override { listEntries.push_back(title); }
    void SelectProfileListEntry(int entry) override { listSelection = entry; }
    void ScrollProfileListEntryIntoView(int entry) override { scrolledTo = entry; }
};

using LoadProfileListTest = AppFolderTest;

TEST_F(LoadProfileListTest, IpodFileFillsTheComboAndSelectsTheDefaultItem) {
    WriteApp("iPod_Profile.ini",
             "[Info]\r\nDescription=iPod video#320 x 240\r\nDefaultProfile=1\r\n"
             "[profile0]\r\nTitle=Own settings\r\nCommand0=a\r\n"
             "[profile1]\r\nTitle=Zeta\r\nCommand0=b\r\n"
             "[profile2]\r\nTitle=Alpha\r\nCommand0=c\r\n");
    FakePanel panel;
    LoadProfileList(0, panel);
    EXPECT_EQ(panel.description, "iPod video\n320 x 240");
    EXPECT_THAT(panel.comboItems, ElementsAre("Own settings", "Zeta", "Alpha"));
    EXPECT_EQ(panel.comboSelection, 1);
    EXPECT_THAT(panel.listEntries, ElementsAre("old list entry"));
}

TEST_F(LoadProfileListTest, ListFamilyDefaultIsTheOneBasedPositionAndAFileWithOnlyInfoEmptiesTheList) {
    WriteApp("Xbox_Profile.ini",
             "[Info]\r\nDescription=Xbox\r\nDefaultProfile=1\r\n"
             "[b]\r\nTitle=Second in name, first in file\r\nCommand1=x\r\n"
             "[a]\r\nTitle=Other\r\nCommand1=y\r\n");
    FakePanel panel;
    LoadProfileList(5, panel);
    EXPECT_THAT(panel.listEntries, ElementsAre("Second in name, first in file", "Other"));
    EXPECT_EQ(panel.listSelection, 0);
    EXPECT_EQ(panel.scrolledTo, 0);
    EXPECT_THAT(panel.comboItems, ElementsAre("old combo item"));

    WriteApp("PMP_Profile.ini", "[Info]\r\nDescription=PMP\r\nDefaultProfile=1\r\n");
    LoadProfileList(7, panel);
    EXPECT_EQ(panel.description, "PMP");
    EXPECT_THAT(panel.listEntries, IsEmpty());
}

TEST_F(LoadProfileListTest, MissingOrEmptyInfoLeavesThePanelAsItWas) {
    WriteApp("PSP_Profile.ini", "[Info]\r\n[p]\r\nTitle=t\r\n");
    FakePanel panel;
    LoadProfileList(1, panel);   // empty "Info"
    LoadProfileList(6, panel);   // no PPC file at all
    LoadProfileList(99, panel);  // no such file index
    EXPECT_EQ(panel.description, "previous family");
    EXPECT_THAT(panel.listEntries, ElementsAre("old list entry"));
    EXPECT_EQ(panel.listSelection, -7);
}

}  // namespace
