#include "controls/segment_hit.h"

int SegmentAt(int x, int barLeft, int barWidth, int segmentCount) {
    if (segmentCount <= 0) return -1;
    const int segmentWidth = barWidth / segmentCount;
    if (segmentWidth <= 0 || x < barLeft) return -1;
    const int segment = (x - barLeft) / segmentWidth;
    return segment < segmentCount ? segment : -1;
}
