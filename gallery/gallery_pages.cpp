#include "gallery.h"
#include "skin/skin.h"

namespace {

std::vector<GalleryPage>& Pages() {
    static std::vector<GalleryPage> pages;
    return pages;
}

}  // namespace

void CGalleryContent::PaintBackground(HWND page, HDC dc) { DrawSkinBackground(page, dc); }

GalleryRegistration::GalleryRegistration(const GalleryPage& page) { Pages().push_back(page); }

const std::vector<GalleryPage>& GalleryPages() { return Pages(); }
