#pragma once

#include <windows.h>

#include <memory>
#include <vector>

// The control gallery: a test-build program that shows every skinned control
// in its states, one page at a time, for people to look at (scripts/screenshot
// photographs each page with the built-in and the alternative skin).
//
// A family of controls adds its own page: one file in pages/ that registers a
// GalleryPage at namespace scope,
//
//     const GalleryRegistration page({"buttons", {400, 300}, BuildButtonsPage});
//
// and, when it needs dialog templates, one line in gallery.rc.

// What a page keeps alive while it is shown: its control objects, dialogs and
// GDI objects. It also paints the page's background, over which transparent
// controls sit.
class CGalleryContent {
public:
    virtual ~CGalleryContent() = default;

    // Paints the whole page; by default the skin's dialog background.
    virtual void PaintBackground(HWND page, HDC dc);

    // False while something is still moving (a fade); the photograph waits.
    virtual bool Settled() const { return true; }
};

struct GalleryPage {
    const char* name;  // the screenshot is gallery-<name>-<skin>.png
    SIZE size;         // client size of the page window, placed at the screen's top-left corner
    // Creates the page's windows as children (or owned windows) of `page`.
    std::unique_ptr<CGalleryContent> (*build)(HWND page);
};

class GalleryRegistration {
public:
    explicit GalleryRegistration(const GalleryPage& page);
};

const std::vector<GalleryPage>& GalleryPages();
