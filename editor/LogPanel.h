#pragma once
// TLogPanel: the rules of the edit form's log panel at the bottom of the form. The panel
// (the log's sheet form, a splitter above it and a small close button straddling the
// splitter) is shown exactly while the document has messages; the button's glyph follows
// the worst message present; the splitter sets the log's height within limits, and the
// height is kept in the session. The window side only places its windows where Layout
// says and paints the glyph.

#include "foundation/Geometry.h"
#include "foundation/Strings.h"

namespace quillora {

class TElementMessages;
class TKnot;

// Where the parts of the edit form stand (form client coordinates).
struct TLogPanelLayout {
    TRect Document; // the document's sheet form
    TRect Splitter; // empty while the log is hidden
    TRect Log;      // empty while the log is hidden
    TRect Button;   // the close button; empty while the log is hidden
    TPoint Glyph;   // the glyph's top-left corner inside the button
};

class TLogPanel {
public:
    static constexpr int SplitterHeight = 8;
    static constexpr int ButtonWidth = 58;
    static constexpr int ButtonHeight = 18;
    static constexpr int GlyphWidth = 14;
    static constexpr int GlyphHeight = 13;
    static constexpr int DefaultHeight = 130;
    static constexpr int MinHeight = 10;
    // The document keeps at least this much of the form while the splitter is dragged.
    static constexpr int MinDocumentHeight = 30;

    // What Update changed.
    enum TChange : int { lpcNone = 0, lpcShown = 1, lpcSeverity = 2 };

    // The document's messages changed (none: no document): shown exactly while there is
    // at least one; the severity (glyph) is that of the worst message while shown.
    int Update(const TElementMessages* messages);
    bool Shown() const { return shown_; }
    // 0 to 3: the glyph on the close button.
    int Severity() const { return severity_; }
    // Whether the clear command can run (there are messages).
    bool CanClear() const { return shown_; }

    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height < MinHeight ? MinHeight : height; }

    // The layout of a form of `width` × `height` with the panel as it is now.
    TLogPanelLayout Layout(int width, int height) const;
    // The log height that puts the splitter's top at `splitterTop` in a form `formHeight`
    // high: the log keeps MinHeight and the document MinDocumentHeight (the document
    // yields first when the form is too small for both).
    static int HeightForSplitterTop(int splitterTop, int formHeight);
    // The splitter was dragged to `splitterTop`: the log takes that height. True when the
    // height changed.
    bool SplitterMoved(int splitterTop, int formHeight);

    // "Log"/"Height" of `node`: a value from MinHeight to half of `parentHeight` (no upper
    // limit when `parentHeight` is 0 or less) is taken; any other keeps the current one.
    void LoadSession(TKnot& node, int parentHeight);
    // Writes "Log"/"Height" (also while the log is hidden).
    void SaveSession(TKnot& node) const;

    // The close button's hint: "Clear and close log (Ctrl+F5)".
    static String ButtonHint();

private:
    bool shown_ = false;
    int severity_ = 0;
    int height_ = DefaultHeight;
};

} // namespace quillora
