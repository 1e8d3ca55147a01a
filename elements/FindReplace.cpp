#include "elements/FindReplace.h"

#include <exception>

#include "elements/CustomSheet.h"
#include "elements/EditCommands.h"
#include "elements/Scheme.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/TextCompare.h"
#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"

namespace quillora {

namespace {

constexpr int sidCouldNotFind = 2334;   // Could not find "%1"
constexpr int sidReplacements = 2944;   // The program has made %1 replacements

// The visual elements of a subtree, for the bound of the search loop.
int CountVisual(TVisualElement* element)
{
    int count = 1;
    for (TVisualElement* c = element->FirstVisual(); c; c = c->NextVisual()) count += CountVisual(c);
    return count;
}

TScheme* SchemeOf(TCustomSheet& sheet, TFindData& findData)
{
    if (TVisualElement* focused = sheet.GetFocused())
        if (focused->Scheme()) return focused->Scheme();
    if (findData.SearchRoot && findData.SearchRoot->Scheme()) return findData.SearchRoot->Scheme();
    return sheet.GetRoot() ? sheet.GetRoot()->Scheme() : nullptr;
}

// One sheet update and one undo group (when the scheme has an engine) for a scope.
class TFindScope {
public:
    TFindScope(TCustomSheet& sheet, TScheme* scheme) : sheet_(sheet), scheme_(scheme)
    {
        sheet_.BeginUpdate();
        if (scheme_) {
            try {
                scheme_->BeginGroup(false);
            } catch (...) {
                sheet_.EndUpdate();
                throw;
            }
        }
    }
    // Closes the group; true when it became a new history step of its own.
    bool CloseGroup()
    {
        if (!scheme_ || closed_) return false;
        closed_ = true;
        TUndoRedo* undo = scheme_->UndoRedo();
        TOperation* before = undo ? undo->NextUndo() : nullptr;
        scheme_->EndGroup();
        return undo && undo->NextUndo() && undo->NextUndo() != before;
    }
    ~TFindScope()
    {
        try {
            CloseGroup();
        } catch (...) {
        }
        sheet_.EndUpdate();
    }
    TFindScope(const TFindScope&) = delete;
    TFindScope& operator=(const TFindScope&) = delete;

private:
    TCustomSheet& sheet_;
    TScheme* scheme_;
    bool closed_ = false;
};

// The focused element made visible (expanding what hides it) and scrolled into view.
void ShowFocused(TCustomSheet& sheet)
{
    if (TVisualElement* focused = sheet.GetFocused()) focused->MakeVisible();
    sheet.ShowFocused();
}

} // namespace

// ---- TFindData ----

bool TFindData::Matches(TVisualElement*, StringView candidate)
{
    if (MatchCase) return candidate == StringView(Text);
    return SameTextIgnoreCase(candidate, Text);
}

void TFindData::NotFound() { ShowMessageBox(FormatString(sidCouldNotFind, {Text})); }

// ---- the search loop ----

bool SearchSheet(TCustomSheet& sheet, TFindData& findData, TFindMode mode, bool forward)
{
    if (findData.Text.empty()) return false;
    TVisualElement* element = sheet.GetFocused();
    TVisualElement* scope = findData.SearchRoot ? findData.SearchRoot : sheet.GetRoot();
    if (!scope) return false;
    if (!element || (findData.SearchRoot && element != scope && !scope->IsFocusAncestorOf(element))) {
        // Nothing focused inside the search root: begin at its first element in the
        // direction.
        if (!scope->FindFocusable(true, forward, findData.VisibleOnly, findData.EnabledOnly, element)) return false;
        element->SetFocus(true, forward, std::nullopt, nullptr, String());
        findData.Entered = element;
    } else {
        findData.Entered = nullptr;
    }
    // Each element is asked once, and a text element once more after each element
    // embedded in it: a search that asks more often than that has lost its way (an
    // element that names one already searched) and ends without a match. The bound is
    // counted only when a search gets that far.
    constexpr int quickSteps = 64;
    int bound = quickSteps;
    TVisualElement* from = nullptr;
    for (int steps = 0;; ++steps) {
        if (steps == quickSteps) bound = 2 * CountVisual(scope) + 2;
        if (steps >= bound) break;
        TVisualElement* next = nullptr;
        if (element->FindNext(mode, &findData, forward, next, from)) {
            findData.Entered = nullptr;
            return true;
        }
        if (!next) {
            findData.Entered = nullptr;
            return false;
        }
        next->SetFocus(true, forward, std::nullopt, from, String());
        element = next;
        findData.Entered = element;
    }
    return false;
}

TFindResult SheetFindNext(TCustomSheet& sheet, TFindData& findData, bool forward)
{
    TFindResult result;
    {
        TBusyCursor busy;
        TFindScope scope(sheet, SchemeOf(sheet, findData));
        result.Found = SearchSheet(sheet, findData, fmFind, forward);
        ShowFocused(sheet);
    }
    if (!result.Found) findData.NotFound();
    return result;
}

namespace {

// Replaces the match selected in the focused element; false when that element cannot
// take it (no text interface, or read-only).
bool ReplaceFocused(TCustomSheet& sheet, const String& replacement)
{
    TVisualElement* focused = sheet.GetFocused();
    auto* text = dynamic_cast<ITextElement*>(focused);
    if (!text || focused->IsReadOnly()) return false;
    text->ReplaceSelectedText(replacement);
    return true;
}

} // namespace

TFindResult SheetReplace(TCustomSheet& sheet, TFindData& findData, const String& replacement, bool all,
                         bool forward)
{
    TFindResult result;
    if (sheet.GetReadOnly()) {
        Service<TBeeper>().Beep();
        result.Refused = true;
        return result;
    }
    bool reportNotFound = false;
    {
        TBusyCursor busy;
        TScheme* scheme = SchemeOf(sheet, findData);
        TUndoRedo* undo = scheme ? scheme->UndoRedo() : nullptr;
        // Only a group of its own can be taken back as a whole.
        const bool ownStep = undo && undo->GroupDepth() == 0 && undo->Running().empty();
        TFindScope scope(sheet, scheme);
        try {
            result.Found = SearchSheet(sheet, findData, fmFindAtSelection, forward);
            if (!result.Found) {
                reportNotFound = true;
            } else if (all) {
                bool found = true;
                while (found) {
                    if (ReplaceFocused(sheet, replacement)) ++result.Replacements;
                    found = SearchSheet(sheet, findData, fmFindAfter, forward);
                }
            } else {
                if (ReplaceFocused(sheet, replacement)) ++result.Replacements;
                else Service<TBeeper>().Beep();
                result.Found = SearchSheet(sheet, findData, fmFindAfter, forward);
                reportNotFound = !result.Found;
            }
            ShowFocused(sheet);
        } catch (...) {
            // Whatever this call replaced goes back, so that the document is as before.
            std::exception_ptr failure = std::current_exception();
            try {
                if (scope.CloseGroup() && ownStep) {
                    undo->Undo();
                    undo->ClearRedo();
                }
            } catch (...) {
            }
            std::rethrow_exception(failure);
        }
    }
    if (reportNotFound) findData.NotFound();
    if (all && result.Replacements > 0)
        ShowMessageBox(FormatString(sidReplacements, {IntToString(result.Replacements)}));
    return result;
}

} // namespace quillora
