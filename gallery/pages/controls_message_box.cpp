#include <windows.h>

#include <memory>

#include "controls/skin_message_box.h"
#include "gallery.h"

// The skinned message box, centred over the page as it is over the main
// window: the program's information and error messages, and a question of
// three lines with Yes and No.
namespace {

class CMessageBoxPage : public CGalleryContent {
public:
    CMessageBoxPage(HWND page, const char* text, const char* caption, unsigned type) : box_(text, caption, type) {
        if (!box_.CreateModeless(page)) return;
        // A child of the page, centred in it, so that it shows in the photograph.
        const HWND box = box_.Handle();
        SetWindowLongPtrA(box, GWL_STYLE, (GetWindowLongPtrA(box, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
        SetParent(box, page);
        RECT pageRect = {};
        RECT boxRect = {};
        GetClientRect(page, &pageRect);
        GetWindowRect(box, &boxRect);
        const int width = boxRect.right - boxRect.left;
        const int height = boxRect.bottom - boxRect.top;
        SetWindowPos(box, HWND_TOP, (pageRect.right - width) / 2, (pageRect.bottom - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    }

private:
    CSkinMessageBox box_;
};

std::unique_ptr<CGalleryContent> BuildInformation(HWND page) {
    return std::make_unique<CMessageBoxPage>(page, "  Converting Finished  ", "Information", 0);
}

std::unique_ptr<CGalleryContent> BuildError(HWND page) {
    return std::make_unique<CMessageBoxPage>(page, "Your computer cannot shutdown", "Warning", 16);
}

std::unique_ptr<CGalleryContent> BuildQuestion(HWND page) {
    return std::make_unique<CMessageBoxPage>(
        page, "Remove every video from the task list?\nThe video files themselves stay where they are.\nContinue?", "",
        0x24);
}

const GalleryRegistration information({"message-information", {420, 240}, BuildInformation});
const GalleryRegistration error({"message-error", {420, 240}, BuildError});
const GalleryRegistration question({"message-question", {420, 240}, BuildQuestion});

}  // namespace
