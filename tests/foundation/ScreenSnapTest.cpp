// Edges of a dragged or sized window snap to the edges of the work area.

#include <gtest/gtest.h>

#include "foundation/ScreenSnap.h"

namespace quillora {

// Rectangles in failure messages (found by argument-dependent lookup; local to this file).
static void PrintTo(const TRect& r, std::ostream* out)
{
    *out << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

TEST(ScreenSnapTest, EdgesCloseToTheWorkAreaSnap)
{
    // The work area leaves a bar of 40 pixels at the bottom of the screen (and one of 30 at
    // the left, so that the work area's own left edge is not the screen's).
    const TRect work = Rect(30, 0, 1280, 760);
    const TRect current = Bounds(300, 200, 400, 300);
    struct Case {
        const char* what;
        TRect proposed;
        TRect expected;
    };
    const Case cases[] = {
        {"a move far from the edges", Bounds(200, 100, 400, 300), Bounds(200, 100, 400, 300)},
        {"a move 9 pixels right of the left edge", Bounds(39, 100, 400, 300), Bounds(30, 100, 400, 300)},
        {"a move 10 pixels right of the left edge", Bounds(40, 100, 400, 300), Bounds(40, 100, 400, 300)},
        {"a move past the left edge", Bounds(22, 100, 400, 300), Bounds(30, 100, 400, 300)},
        {"a move near the top", Bounds(200, -5, 400, 300), Bounds(200, 0, 400, 300)},
        {"a move near the right edge", Bounds(875, 100, 400, 300), Bounds(880, 100, 400, 300)},
        {"a move near the bottom (the bar, not the screen)", Bounds(200, 465, 400, 300), Bounds(200, 460, 400, 300)},
        {"a move into a corner", Bounds(884, -3, 400, 300), Bounds(880, 0, 400, 300)},
        // Sizing moves only the edges that moved.
        {"the right edge sized near the right", Rect(300, 200, 1275, 500), Rect(300, 200, 1280, 500)},
        {"the top edge sized near the top", Rect(300, 8, 700, 500), Rect(300, 0, 700, 500)},
        {"the left edge sized far from the edge", Rect(100, 200, 700, 500), Rect(100, 200, 700, 500)},
    };
    for (const Case& c : cases) EXPECT_EQ(SnapToWorkArea(current, c.proposed, work), c.expected) << c.what;
}

TEST(ScreenSnapTest, AWindowAsWideAsTheWorkAreaSnapsItsLeftEdge)
{
    const TRect work = Rect(0, 0, 1000, 700);
    EXPECT_EQ(SnapToWorkArea(Bounds(10, 10, 995, 200), Bounds(4, 100, 995, 200), work), Bounds(0, 100, 995, 200));
}

TEST(ScreenSnapTest, NoDistanceOrNoWorkAreaSnapsNothing)
{
    const TRect proposed = Bounds(3, 3, 100, 100);
    EXPECT_EQ(SnapToWorkArea(Bounds(50, 50, 100, 100), proposed, Rect(0, 0, 800, 600), 0), proposed);
    EXPECT_EQ(SnapToWorkArea(Bounds(50, 50, 100, 100), proposed, TRect {}), proposed);
}

} // namespace
} // namespace quillora
