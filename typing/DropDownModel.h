#pragma once
// The logic of the drop-down list that offers the snippets: the captions of the
// snippets, the filter typed in the target application, the selection, the tokens the
// keyboard hook reports, and where the list goes on the screen. The list window is a
// thin layer over it.

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Strings.h"

namespace quillora {

class TParagraph;
class TTextor;

// The text a paragraph shows in the list: its characters and tab characters; embedded
// elements give nothing, and there is no line break at the end.
String ParagraphCaption(const TParagraph& paragraph);
// The same, appended to `out`.
void AppendParagraphCaption(const TParagraph& paragraph, String& out);

// True when the first length(filter) characters of `caption` equal `filter` with case
// ignored (the locale's comparison).
bool CaptionMatchesFilter(StringView caption, StringView filter);

struct TSnippetItem {
    StringView Caption; // into the model's caption store, valid while the list is open
    TParagraph* Paragraph = nullptr;
};

// What the list window does after a token.
enum class TTokenResult {
    None,            // nothing changed
    SelectionMoved,  // the selection changed
    FilterChanged,   // the filter changed: the items were rebuilt, SetAllowBackspace is due
    Choose,          // ChooseItem
    Close,           // close the list without typing
    Beep,            // an unknown token
};

class TDropDownModel {
public:
    // Reads the captions of every paragraph of `text` that has portions, in order (once
    // per opening of the list: the snippets do not change while it is open). Clears
    // the filter and rebuilds the items.
    void Open(const TTextor& text);
    // Forgets the snippets (the list closed).
    void Clear();

    const String& Filter() const { return filter_; }
    int Count() const { return static_cast<int>(items_.size()); }
    const TSnippetItem& Item(int index) const { return *items_[static_cast<size_t>(index)]; }
    // The selected item's index; -1 when the list is empty.
    int Selection() const { return selection_; }
    // Clamped to the items; -1 only when there are none.
    void SetSelection(int index);
    TParagraph* SelectedParagraph() const { return selection_ >= 0 ? Item(selection_).Paragraph : nullptr; }

    // The items whose caption begins with the filter, in document order; item 0 selected.
    // The pointer is taken as resting where it is now (the cursor position of the input
    // service; nowhere when it cannot be read).
    void RebuildItems();
    // Backspace (8) removes the last filter character (a surrogate pair whole) and does
    // nothing with an empty filter; codes below 32 and lead bytes of the ANSI code page
    // (Service<TAnsiCodePage>()) do nothing; everything else is appended. True when the
    // filter changed (the items are rebuilt).
    bool HandleChar(int code);
    // The effect of one token of the keyboard hook; `pageSize` items make a page.
    TTokenResult HandleToken(StringView token, int pageSize);

    // The pointer moved over the list to `screenPoint`: false while it rests where it was
    // when the items were last rebuilt (items rebuilt under a resting pointer keep their
    // selection); otherwise true, the item under the pointer is to be selected, and every
    // later move counts until the items are rebuilt again.
    bool PointerMoved(TPoint screenPoint);

private:
    // Every caption in one store (one allocation for the whole document).
    String captions_;
    std::vector<TSnippetItem> all_;
    std::vector<const TSnippetItem*> items_;
    String filter_;
    int selection_ = -1;
    // Where the pointer rested when the items were last rebuilt; none once it moved.
    std::optional<TPoint> restingPointer_;
};

// Items that fit the list's client height, at least 1.
int DropDownPageSize(int clientHeight, int itemHeight);
// The item height for a font of `textHeight` pixels: max(textHeight, 15) + 4.
int DropDownItemHeight(int textHeight);
// The list's top-left corner: below the caret when there is one, else centred on the
// bottom edge of the work area; kept inside the work area's right and bottom edges
// (not its left and top ones).
TPoint DropDownPosition(const TRect& caret, int width, int height, const TRect& workArea);
// PlaceAt: (min(x, right - width), min(y, bottom - height)).
TPoint PlaceInWorkArea(int x, int y, int width, int height, const TRect& workArea);

// The processes whose windows refused the program's input: the user is told about each
// one once, and not again while the program runs.
class TRefusedTargets {
public:
    // True the first time `processId` refuses.
    bool FirstRefusal(uint32_t processId) { return told_.insert(processId).second; }

private:
    std::set<uint32_t> told_;
};

// One monitor of the desktop: its rectangle and its work area, in screen pixels.
struct TMonitorArea {
    TRect Bounds;
    TRect Work;
    bool Primary = false;
};

// The work area of the monitor that holds the caret's top-left point (the nearest
// monitor when none does); the primary monitor's without a caret. Empty without monitors.
TRect CaretWorkArea(const TRect& caret, const std::vector<TMonitorArea>& monitors);
// DropDownPosition on the monitor that holds the caret, kept inside all four edges of
// its work area, so that the list never lands on another screen.
TPoint DropDownPositionOnMonitors(const TRect& caret, int width, int height, const std::vector<TMonitorArea>& monitors);

} // namespace quillora
