#pragma once
// What the knot format needs of a window to read and write its placement.

namespace quillora {

enum class TFormBorderKind {
    None,
    Single,
    Sizeable,
    Dialog,
    ToolWindow,
    SizeToolWindow,
};

struct TFormBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TFormBounds&) const = default;
};

class TPlacementForm {
public:
    virtual ~TPlacementForm() = default;

    virtual TFormBorderKind BorderKind() const = 0;
    virtual bool HasMaximizeButton() const = 0;
    virtual bool Maximized() const = 0;
    // Shows the form maximized.
    virtual void Maximize() = 0;
    // Screen coordinates and size of the normal (not maximized) form.
    virtual TFormBounds Bounds() const = 0;
    virtual void SetBounds(const TFormBounds& bounds) = 0;
    // The size of the whole virtual screen.
    virtual int DesktopWidth() const = 0;
    virtual int DesktopHeight() const = 0;
    // From now on the form keeps the position it is given (no default placement).
    virtual void SetExplicitPlacement() = 0;
};

} // namespace quillora
