#pragma once

#include <windows.h>

#include "framework/gdi.h"

// One image that a skinned button shows for a state: an icon at its own size,
// or a bitmap drawn without the pixels of its key colour.
class CButtonImage {
public:
    enum class Loaded { kOk, kNoInfo, kNoMask };

    // From the program's resources; on failure the image stays empty.
    Loaded LoadIconResource(int id);
    Loaded LoadBitmapResource(int id, COLORREF key);

    bool Empty() const { return !icon_ && !bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Draws the image with its top-left corner at (x, y), greyed when disabled.
    void Draw(HDC dc, int x, int y, bool disabled) const;

private:
    void DrawMasked(HDC dc, int x, int y) const;

    CIconHandle icon_;
    CBitmapHandle bitmap_;
    CBitmapHandle mask_;  // set where the bitmap shows its key colour
    int width_ = 0;
    int height_ = 0;
};
