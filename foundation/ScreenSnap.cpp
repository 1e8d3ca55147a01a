#include "foundation/ScreenSnap.h"

#include <cstdlib>

namespace quillora {

namespace {
bool Near(int edge, int workEdge, int distance) { return std::abs(edge - workEdge) < distance; }

// The shift that puts the nearer-first edge of a moved span onto the work area.
int MoveShift(int low, int high, int workLow, int workHigh, int distance)
{
    if (Near(low, workLow, distance)) return workLow - low;
    if (Near(high, workHigh, distance)) return workHigh - high;
    return 0;
}

// A resized span: only the edges that moved snap.
void SnapEdges(int currentLow, int currentHigh, int& low, int& high, int workLow, int workHigh, int distance)
{
    if (low != currentLow && Near(low, workLow, distance)) low = workLow;
    if (high != currentHigh && Near(high, workHigh, distance)) high = workHigh;
}
} // namespace

TRect SnapToWorkArea(const TRect& current, const TRect& proposed, const TRect& workArea, int distance)
{
    if (distance <= 0 || workArea.IsEmpty()) return proposed;
    TRect r = proposed;
    if (proposed.Width() == current.Width() && proposed.Height() == current.Height()) {
        r.Offset(MoveShift(r.Left, r.Right, workArea.Left, workArea.Right, distance),
                 MoveShift(r.Top, r.Bottom, workArea.Top, workArea.Bottom, distance));
        return r;
    }
    SnapEdges(current.Left, current.Right, r.Left, r.Right, workArea.Left, workArea.Right, distance);
    SnapEdges(current.Top, current.Bottom, r.Top, r.Bottom, workArea.Top, workArea.Bottom, distance);
    return r;
}

} // namespace quillora
