#include <windows.h>

#include "gallery.h"
#include "main/splash_dialog.h"

namespace {

// The splash picture exactly as the splash thread shows it.
class CSplashContent : public CGalleryContent {
public:
    explicit CSplashContent(HWND page) {
        if (!splash_.CreateModeless(page)) return;
        // A child of the page, so that it shows inside the photographed window.
        const HWND window = splash_.Handle();
        SetWindowLongPtrA(window, GWL_STYLE, (GetWindowLongPtrA(window, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
        SetParent(window, page);
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    }

private:
    CSplashDialog splash_;
};

std::unique_ptr<CGalleryContent> BuildSplashPage(HWND page) { return std::make_unique<CSplashContent>(page); }

const GalleryRegistration registration({"splash", {348, 188}, BuildSplashPage});

}  // namespace
