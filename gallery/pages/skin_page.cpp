#include <windows.h>

#include <algorithm>

#include "framework/gdi.h"
#include "framework/window.h"
#include "gallery.h"
#include "skin/skin.h"

namespace {

// Every element of the current skin at a glance, beside a panel painted the
// way skinned dialogs paint their background.
const int kPanelWidth = 372;
const int kPanelHeight = 279;
const int kCellWidth = 190;
const int kCellHeight = 40;
const int kThumbWidth = 72;
const int kThumbHeight = 32;

class CBackgroundPanel : public CWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND) {
            DrawSkinBackground(Handle(), reinterpret_cast<HDC>(wParam));
            return TRUE;
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }
};

struct NamedElement {
    const char* name;
    SkinElement element;
};

class CSkinContent : public CGalleryContent {
public:
    explicit CSkinContent(HWND page) : font_(MakeFont("Tahoma", 12, FW_BOLD)) {
        CWindow::RegisterWindowClass("ClipvaneGalleryPanel", 0, nullptr, nullptr);
        const RECT rect = {10, 10, 10 + kPanelWidth, 10 + kPanelHeight};
        panel_.Create("ClipvaneGalleryPanel", "", WS_CHILD | WS_VISIBLE, 0, rect, page, 1);
    }

    void PaintBackground(HWND page, HDC dc) override {
        RECT client = {};
        GetClientRect(page, &client);
        CBrushHandle fill(CreateSolidBrush(RGB(236, 238, 242)));
        FillRect(dc, &client, fill.Get());
        CSelection font(dc, font_.Get());
        SetBkMode(dc, TRANSPARENT);
        const SkinRecord& skin = CurrentSkin();
        const NamedElement elements[] = {
            {"combo_back", skin.combo.face},
            {"combo_fore", skin.comboFore},
            {"combo_arrow", skin.combo.arrow},
            {"combo_window", skin.combo.itemArea},
            {"edit_back", skin.editField.background},
            {"edit_fore", skin.editField.selection},
            {"listbox_back", skin.listBox.back},
            {"listbox_fore", skin.listBox.fore},
            {"columnheader_start", skin.header.start},
            {"columnheader_span", skin.header.span},
            {"columnheader_end", skin.header.end},
            {"columnvert_uparrow", skin.vScroll.upArrow},
            {"columnvert_span", skin.vScroll.span},
            {"columnvert_downarrow", skin.vScroll.downArrow},
            {"columnvert_bottom", skin.vScroll.bottom},
            {"columnvert_thumb", skin.vScroll.thumb},
            {"columnhorz_leftarrow", skin.hScroll.leftArrow},
            {"columnhorz_span", skin.hScroll.span},
            {"columnhorz_rightarrow", skin.hScroll.rightArrow},
            {"columnhorz_thumb", skin.hScroll.thumb},
            {"title", skin.title},
            {"background", skin.background},
        };
        int index = 0;
        for (const NamedElement& named : elements) {
            const int x = 10 + kPanelWidth + 12 + (index / 11) * kCellWidth;
            const int y = 10 + (index % 11) * kCellHeight;
            DrawThumbnail(dc, named.element, x, y);
            TextOutA(dc, x + kThumbWidth + 6, y + 10, named.name, lstrlenA(named.name));
            ++index;
        }
    }

private:
    // The element at its own size, or shrunk to the cell keeping its proportions.
    static void DrawThumbnail(HDC dc, const SkinElement& element, int x, int y) {
        if (element.Empty()) {
            TextOutA(dc, x, y + 10, "(empty)", 7);
            return;
        }
        const double scale =
            std::min({1.0, double(kThumbWidth) / element.width, double(kThumbHeight) / element.height});
        const int width = std::max(1, int(element.width * scale));
        const int height = std::max(1, int(element.height * scale));
        CMemoryDC source(dc);
        CSelection selection(source.Get(), element.bitmap);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, x, y + (kThumbHeight - height) / 2, width, height, source.Get(), 0, 0, element.width,
                   element.height, SRCCOPY);
    }

    CFontHandle font_;
    CBackgroundPanel panel_;
};

std::unique_ptr<CGalleryContent> BuildSkinPage(HWND page) { return std::make_unique<CSkinContent>(page); }

const GalleryRegistration registration({"skin",
                                        {10 + kPanelWidth + 12 + 2 * kCellWidth + 10, 10 + 11 * kCellHeight + 10},
                                        BuildSkinPage});

}  // namespace
