#pragma once
// The core's own point and rectangle (screen or client coordinates in pixels).
// A rectangle spans Left..Right-1 and Top..Bottom-1.

namespace quillora {

struct TPoint {
    int X = 0;
    int Y = 0;

    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    // Wraps around like the platform's own arithmetic instead of overflowing on extreme rectangles.
    constexpr int Width() const { return static_cast<int>(static_cast<unsigned>(Right) - static_cast<unsigned>(Left)); }
    constexpr int Height() const { return static_cast<int>(static_cast<unsigned>(Bottom) - static_cast<unsigned>(Top)); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    constexpr void Offset(int dx, int dy)
    {
        Left += dx;
        Right += dx;
        Top += dy;
        Bottom += dy;
    }

    bool operator==(const TRect&) const = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

} // namespace quillora
