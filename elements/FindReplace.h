#pragma once
// Find and replace over the elements of a sheet.
//
// A search request (TFindData) travels from element to element: each visual element
// answers FindNext, which either selects a match inside the element (text elements) or
// names the element where the search goes on (every other element). The functions
// below are the loop that keeps asking, starting at the focused element, and the
// replacing built on it; they are what the editor's find and replace commands call.
//
// The search does not wrap around: it ends at the end (or start) of the search root.

#include "elements/VisualElement.h"
#include "foundation/Strings.h"

namespace quillora {

class TCustomSheet;

// One search request; whoever starts a search fills it.
class TFindData {
public:
    TFindData() = default;
    virtual ~TFindData() = default;
    TFindData(const TFindData&) = delete;
    TFindData& operator=(const TFindData&) = delete;

    // The search stays inside this element and its focus descendants (none: the whole
    // sheet).
    TVisualElement* SearchRoot = nullptr;
    String Text;
    bool MatchCase = false;
    // The search does not enter effectively disabled elements.
    bool EnabledOnly = false;
    // The search enters only visible elements.
    bool VisibleOnly = false;
    // Set by the search loop: the element it has just moved the search into (none for
    // the element where the search began). Such an element is searched from its start
    // (backward: its end), or from the embedded element the search comes back out of,
    // never from a selection it had before.
    TVisualElement* Entered = nullptr;

    // Whether `candidate` is the text looked for: the locale's comparison, case ignored
    // unless MatchCase. `element` is the element being searched.
    virtual bool Matches(TVisualElement* element, StringView candidate);
    // Tells the user that nothing was found: "Could not find "%1"".
    virtual void NotFound();
};

// The text interface of an element that holds text: after a successful search the
// element holds the match as its selection.
class ITextElement {
public:
    virtual ~ITextElement() = default;
    // Replaces the selection with `text` (one undoable edit) and leaves the new text
    // selected.
    virtual void ReplaceSelectedText(const String& text) = 0;
};

// What a find or replace command ended with.
struct TFindResult {
    // A match is selected in the focused element.
    bool Found = false;
    // Matches replaced.
    int Replacements = 0;
    // Nothing was done because the sheet is read-only (the beep sounded).
    bool Refused = false;
};

// The search loop: from the focused element (with none, the first element of the search
// root in the direction), `mode` for every element asked, until a match is selected or
// no element is left. Leaves the focus where the search ended. Shows no message. An
// empty text finds nothing.
bool SearchSheet(TCustomSheet& sheet, TFindData& findData, TFindMode mode, bool forward);

// Find (Next): one search in fmFind mode inside one sheet update and undo group, with
// the busy cursor; afterwards the focused element is made visible and shown. When
// nothing is found, findData.NotFound().
TFindResult SheetFindNext(TCustomSheet& sheet, TFindData& findData, bool forward);

// Replace: read-only sheets only beep. Otherwise the match at the current place
// (fmFindAtSelection) is replaced by `replacement`; then, for `all`, every further match
// in the direction (fmFindAfter) is replaced and "The program has made %1 replacements"
// is shown when at least one was; for a single replace the next match is selected. Every
// replacement of one call is one undo step. Matches in read-only elements are passed
// over. "Not found" is reported through findData when the first search fails and when a
// single replace finds no next match. A replace-all that fails half-way takes back what
// it had replaced and passes the failure on.
TFindResult SheetReplace(TCustomSheet& sheet, TFindData& findData, const String& replacement, bool all,
                         bool forward);

} // namespace quillora
