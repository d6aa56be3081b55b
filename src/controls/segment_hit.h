#pragma once

// The segment bar divides its width into equal segments (the remainder of the
// division is left over at the right end). Returns the segment under client x,
// or -1 when there is none: no segments, a bar narrower than its segment count,
// or a point left of the bar or in the leftover beyond the last segment.
int SegmentAt(int x, int barLeft, int barWidth, int segmentCount);
