#pragma once

#include <windows.h>

#include <string>

// What the task list's row menu hands to the system: the menu itself, and
// the Explorer window and the player it starts. Tests put in their own, so
// that no test opens a window of another program or waits on a menu.
class IDesktop {
public:
    virtual ~IDesktop() = default;
    // Shows the menu at the point on the screen; the chosen entry's id, 0 when none was chosen.
    virtual UINT ChooseFromMenu(HMENU menu, HWND owner, POINT screen) = 0;
    // Explorer with the file (a UTF-8 path) selected in its folder.
    virtual void ShowFileInFolder(const std::string& path) = 0;
    virtual void OpenFolder(const std::string& folder) = 0;
    // The file in the program the system opens its kind of file with.
    virtual void OpenWithPlayer(const std::string& path) = 0;
};

// Started through the shell, not the program's launcher: Explorer and the
// player are the user's own programs and outlive Clipvane.
class CSystemDesktop : public IDesktop {
public:
    UINT ChooseFromMenu(HMENU menu, HWND owner, POINT screen) override;
    void ShowFileInFolder(const std::string& path) override;
    void OpenFolder(const std::string& folder) override;
    void OpenWithPlayer(const std::string& path) override;
};
