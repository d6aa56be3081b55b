#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/application.h"
#include "framework/gdi.h"
#include "framework/message_loop.h"
#include "framework/registry.h"
#include "framework/window.h"
#include "gallery.h"
#include "skin/skin.h"

// gallery --list                      prints the page names
// gallery PAGE SKIN_INI READY_FILE    shows one page with that skin ("" for the
//                                     built-in one); once it has settled and
//                                     painted, writes READY_FILE with the page
//                                     size, and ends when READY_FILE is deleted.

namespace {

const UINT_PTR kCheckTimer = 1;

class CGalleryWindow : public CWindow {
public:
    CGalleryWindow(const GalleryPage& page, std::string readyFile) : page_(page), readyFile_(std::move(readyFile)) {}

    bool Open() {
        RegisterWindowClass("ClipvaneGallery", 0, LoadCursor(nullptr, IDC_ARROW), nullptr);
        const RECT rect = {0, 0, page_.size.cx, page_.size.cy};
        if (!Create("ClipvaneGallery", page_.name, WS_POPUP | WS_CLIPCHILDREN, 0, rect, nullptr, 0)) return false;
        content_ = page_.build(Handle());
        ShowWindow(Handle(), SW_SHOW);
        SetTimer(Handle(), kCheckTimer, 100, nullptr);
        return content_ != nullptr;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_ERASEBKGND:
                return OnEraseBackground(reinterpret_cast<HDC>(wParam));
            case WM_TIMER:
                OnTimer();
                return 0;
            case WM_DESTROY:
                content_.reset();
                PostQuitMessage(0);
                return 0;
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT OnEraseBackground(HDC dc) {
        if (content_) content_->PaintBackground(Handle(), dc);
        return TRUE;
    }

    // Waits for the page to settle, tells the photographer, then waits to be let go.
    void OnTimer() {
        if (!announced_) {
            if (!content_->Settled()) return;
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            GdiFlush();
            if (FILE* ready = std::fopen(readyFile_.c_str(), "w")) {
                std::fprintf(ready, "%ldx%ld\n", page_.size.cx, page_.size.cy);
                std::fclose(ready);
            }
            announced_ = true;
        } else if (GetFileAttributesA(readyFile_.c_str()) == INVALID_FILE_ATTRIBUTES) {
            DestroyWindow(Handle());
        }
    }

    const GalleryPage& page_;
    std::string readyFile_;
    std::unique_ptr<CGalleryContent> content_;
    bool announced_ = false;
};

const GalleryPage* FindPage(const char* name) {
    for (const GalleryPage& page : GalleryPages()) {
        if (std::strcmp(page.name, name) == 0) return &page;
    }
    return nullptr;
}

// The skin is chosen the way users choose it, through "SkinIni"; the value
// the user had is back in place as soon as the skin is loaded.
void LoadGallerySkin(const std::string& skinIni) {
    const std::string saved = ReadSetting("SkinIni");
    WriteSetting("SkinIni", skinIni);
    LoadSkin();
    WriteSetting("SkinIni", saved);
}

class CGalleryApp : public CApplication {
public:
    CGalleryApp(int argc, char** argv) : argc_(argc), argv_(argv) {}
    int exitCode = 0;

protected:
    bool InitInstance() override {
        if (argc_ == 2 && std::strcmp(argv_[1], "--list") == 0) {
            for (const GalleryPage& page : GalleryPages()) std::printf("%s\n", page.name);
            return false;
        }
        const GalleryPage* page = argc_ == 4 ? FindPage(argv_[1]) : nullptr;
        if (!page) {
            std::fprintf(stderr, "usage: gallery --list | gallery PAGE SKIN_INI READY_FILE\n");
            exitCode = 2;
            return false;
        }
        LoadGallerySkin(argv_[2]);
        window_ = std::make_unique<CGalleryWindow>(*page, argv_[3]);
        if (!window_->Open()) {
            exitCode = 1;
            return false;
        }
        return true;
    }
    int ExitInstance(int code) override {
        window_.reset();
        return exitCode ? exitCode : code;
    }

private:
    int argc_;
    char** argv_;
    std::unique_ptr<CGalleryWindow> window_;
};

}  // namespace

int main(int argc, char** argv) {
    CGalleryApp application(argc, argv);
    return application.Run();
}
