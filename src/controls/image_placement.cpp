#include "controls/image_placement.h"

namespace {

int CentredX(const LayoutRect& item, int width) { return item.left + (item.Width() - width) / 2; }
int CentredY(const LayoutRect& item, int height) { return item.top + (item.Height() - height) / 2; }

}  // namespace

ButtonContent PlaceButtonContent(const ButtonContentInput& input) {
    ButtonContent content;
    content.textRect = input.item;
    if (input.hasImage) {
        const LayoutRect& item = input.item;
        const int w = input.imageWidth;
        const int h = input.imageHeight;
        switch (input.alignment) {
            case kImageAbove:
                content.imageX = CentredX(item, w);
                if (input.hasText) {
                    content.imageY = kImageMarginY;
                    content.textRect.top += h;
                } else {
                    content.imageY = CentredY(item, h);
                }
                break;
            case kImageRight:
                content.imageY = CentredY(item, h);
                if (input.hasText) {
                    content.imageX = input.clientWidth - kImageMarginX - w;
                    const int oldLeft = content.textRect.left;
                    content.textRect.left = kImageMarginX;
                    content.textRect.right -= kImageMarginX + oldLeft + w;
                } else {
                    content.imageX = CentredX(item, w);
                }
                break;
            case kImageOverlap:
                content.imageX = item.left;
                content.imageY = item.top;
                break;
            default:  // kImageLeft
                content.imageY = CentredY(item, h);
                if (input.hasText) {
                    content.imageX = item.left + kImageMarginX;
                    content.textRect.left += w + kImageMarginX;
                } else {
                    content.imageX = CentredX(item, w);
                }
                break;
        }
    }
    if (input.pushedIn) {
        content.imageX += kPressedOffsetX;
        content.imageY += kPressedOffsetY;
        content.textRect.left += kPressedOffsetX;
        content.textRect.right += kPressedOffsetX;
        content.textRect.top += kPressedOffsetY;
        content.textRect.bottom += kPressedOffsetY;
    }
    return content;
}
