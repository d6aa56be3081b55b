#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/layout_rect.h"
#include "controls/skin_header_ctrl.h"
#include "controls/skin_scroll_bar.h"
#include "framework/gdi.h"
#include "framework/window.h"

// Sent to the list's parent for every cell the list paints: wParam the list's
// window, lParam the CellInfo to fill. Answered synchronously.
constexpr UINT WM_LIST_GETCELLINFO = 0x0BBB;
// Sent after a left click on a cell: wParam the list's window, lParam a CellHit.
constexpr UINT WM_LIST_CELLCLICK = 0x0BBD;
// Sent after a right click on the header: wParam the list's window, lParam a HeaderClick.
constexpr UINT WM_LIST_HEADERRCLICK = 0x0BBE;

// A colour field holding this takes the system colour named for the field.
constexpr COLORREF kDefaultCellColor = 0xFF000000;

// One cell's contents as the parent decides them. The list resets the record
// before every request; it is valid only until the next GetCell(), so no one
// keeps it.
struct CellInfo {
    std::string text;
    bool noSelectionLook = false;  // draw the cell as not selected even when its row is
    bool bold = false;
    bool italic = false;
    UINT textFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
    int imageIndex = -1;
    HIMAGELIST imageList = nullptr;
    bool imagePlainBackground = true;
    bool imageCentred = false;
    UINT selectedImageStyle = ILD_BLEND50;
    UINT checkState = 0;  // DrawFrameControl state: DFCS_CHECKED (0x400) ticks the box
    bool hasCheckBox = false;
    bool checkBoxCentred = false;
    bool checkPlainBackground = true;
    int progressMax = -1;  // 1 or more makes the cell a progress bar
    int progressPos = 0;
    COLORREF progressTextColor = kDefaultCellColor;  // the text over the filled part
    int progressInset = 10;
    COLORREF textColor = kDefaultCellColor;
    COLORREF backgroundColor = kDefaultCellColor;
    COLORREF hotTextColor = kDefaultCellColor;
    COLORREF selectedTextColor = kDefaultCellColor;
    COLORREF selectedBackgroundFocused = kDefaultCellColor;
    COLORREF selectedBackgroundUnfocused = kDefaultCellColor;
    int item = 0;
    int subitem = 0;
    bool selected = false;
    bool hot = false;
};

struct CellHit {
    int item = -1;
    int subitem = -1;
    bool onImage = false;
    bool onCheckBox = false;
};

struct HeaderClick {
    int column = -1;  // -1 when the click hit no column
    int x = 0;        // screen coordinates
    int y = 0;
};

// The task list: a report-view list control that draws every cell from a
// CellInfo its parent fills on demand, with a skinned header and two skinned
// scroll bars beside it in place of its own.
//
// The dialog template gives a list view with LVS_REPORT | LVS_OWNERDATA; the
// dialog attaches it with SubclassDlgItem(), adds its columns, sets its item
// count with LVM_SETITEMCOUNT and, once it has placed the list, calls
// InitSkinScrollBars(). The list keeps no data: it asks its parent for each cell.
// A cell whose text does not fit shows the whole text in a tooltip while the
// mouse rests on it.
class CSkinListCtrl : public CWindow {
public:
    CSkinListCtrl();
    ~CSkinListCtrl() override;

    void InitSkinScrollBars();
    void PlaceSkinScrollBars();
    // The cell record filled by the parent for this cell.
    virtual CellInfo& GetCell(int item, int subitem);
    // Repaints one column's cells (or only their check boxes) of rows first
    // to last: of each cell only what changed since it was painted.
    void RepaintCells(int first, int last, int column, bool checkBoxOnly);

    CSkinHeaderCtrl& Header() { return header_; }
    CSkinVScrollBar& VerticalBar() { return vBar_; }
    CSkinHScrollBar& HorizontalBar() { return hBar_; }
    HWND Tooltip() const { return tooltip_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    // What every cell shares, read again only after the list received a
    // message that may change it: each message to the list costs as much as
    // drawing a cell.
    struct ListState {
        bool showsSelection = false;
        bool fullRowSelect = false;
        bool focused = false;
        int hotItem = -1;
        HIMAGELIST images = nullptr;
        HFONT font = nullptr;
        int itemCount = 0;
        int columnCount = 0;
        std::vector<UINT> alignments;   // DT_ flags of each column
        std::vector<RECT> columnSpans;  // left and right of each column in the list's client area
        // The rows: all as high as the first one shown, and where it stands.
        int topIndex = 0;
        int perPage = 0;
        int topRowTop = 0;
        int rowHeight = 0;
        RECT headerArea = {};  // in the list's client area, empty when the header is hidden
    };
    ListState ReadListState() const;
    const ListState& State();
    static bool KeepsState(UINT message);

    LRESULT OnReflectedNotify(NMHDR* header);
    void OnGetDispInfoA(NMLVDISPINFOA* info);
    void OnGetDispInfoW(NMLVDISPINFOW* info);
    void OnClick(const NMITEMACTIVATE* click);
    void OnHeaderRightClick();
    void RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void PaintNow(const RECT& part);
    void PaintOnScreen(HDC screen, const RECT& area);
    LRESULT OnSetRedraw(WPARAM redraw);
    void SyncBars();
    void ClipOwnScrollBars();
    RECT ClientBesideOwnBars() const;
    bool CellRectangle(int item, int subitem, RECT& rect);
    // The cell of a column between a row's top and bottom.
    bool CellInRow(int subitem, int top, int bottom, RECT& rect);
    bool RowSelected(int item);
    CellInfo& FillCell(int item, int subitem, bool rowSelected);
    // screen: the paint's own DC, whose region tells which rows need painting; null when printing.
    void PaintArea(HDC dc, const RECT& area, HDC screen);
    void DrawCell(HDC dc, int item, int subitem, int top, int bottom, bool rowSelected, bool whole);
    void RecordShown(const CellInfo& cell, const RECT& rect, bool whole);
    void DrawBar(HDC dc, const RECT& bar, int filled, COLORREF background);
    // The part of a cell that differs between what it showed and what it shows now.
    static RECT ChangedPart(const CellInfo& shown, const CellInfo& now, const RECT& cell);

    struct TextPlace {
        bool progress = false;
        LayoutRect bar;   // the progress bar's area, for a progress cell
        LayoutRect text;  // where the text is drawn
    };
    static TextPlace PlaceText(const CellInfo& cell, const RECT& rect);
    // The list's font, or one made bold or italic from it (made once, kept).
    HFONT FontFor(const CellInfo& cell);
    bool TextIsCut(int item, int subitem);
    void CreateTooltip();
    void OnMouseMove(LPARAM position);
    void OnTooltipText(NMTTDISPINFOW* info);

    CSkinHeaderCtrl header_;
    CSkinVScrollBar vBar_;
    CSkinHScrollBar hBar_;
    std::unique_ptr<CellInfo> cell_;
    RECT clippedTo_ = {};
    ListState state_;
    bool stateFresh_ = false;
    std::array<CFontHandle, 3> derivedFonts_;  // bold, italic, bold italic
    HFONT derivedFrom_ = nullptr;
    CKeptBufferDC paintBuffer_;
    bool redrawOn_ = true;  // WM_SETREDRAW
    // The bar pictures: the empty bar above the full one, as last drawn.
    CKeptBufferDC barPictures_;
    SIZE barSize_ = {};
    COLORREF barBackground_ = 0;
    // What each cell showed when it was last painted whole, by row and
    // column; a cell not here is repainted whole.
    std::map<std::pair<int, int>, CellInfo> shown_;
    HWND tooltip_ = nullptr;
    CellHit tipCell_;
    std::wstring tipText_;
};
