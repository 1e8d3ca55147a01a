#pragma once
// A window that the user drags or sizes close to an edge of the work area snaps to that
// edge.

#include "foundation/Geometry.h"

namespace quillora {

// How close (in pixels) an edge must come to snap.
constexpr int ScreenSnapDistance = 10;

// Where a window that is at `current` and is about to go to `proposed` goes instead: an
// edge that comes closer than `distance` to the same edge of `workArea` lands on it. A
// move keeps the size (the whole window shifts; the left and top edges win when both of
// a pair are close); a resize moves only the edges that moved.
TRect SnapToWorkArea(const TRect& current, const TRect& proposed, const TRect& workArea,
                     int distance = ScreenSnapDistance);

} // namespace quillora
