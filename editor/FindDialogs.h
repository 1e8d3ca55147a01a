#pragma once
// The find and replace dialogs of the edit form, and the edit form's find commands.
//
// TFindDialogs is what the platform's two modeless dialogs (find; find and replace) are
// to the core: they are shown with a text and options and report every button the user
// presses as a request. TFindCommands holds the rules: Find closes the replace dialog
// and opens the find dialog, Find Next searches again with the find dialog's text (or
// opens it when there is none), Replace closes the find dialog and opens the replace
// dialog, and each request runs the search or the replacing over the document's sheet.

#include <cstdint>
#include <functional>
#include <memory>

#include "elements/FindReplace.h"
#include "foundation/Strings.h"

namespace quillora {

class TCustomSheet;
class TVisualElement;

enum TFindDialogKind : uint8_t {
    fdkFind,
    fdkReplace,
};

// What a dialog shows and what the user chose in it.
struct TFindDialogState {
    String FindWhat;
    String ReplaceWith;
    bool Down = true;
    bool MatchCase = false;
};

enum TFindDialogAction : uint8_t {
    fdaFindNext,
    fdaReplace,
    fdaReplaceAll,
    fdaClosed,
};

struct TFindDialogRequest {
    TFindDialogKind Dialog = fdkFind;
    TFindDialogAction Action = fdaFindNext;
    TFindDialogState State;
};

class TFindDialogs {
public:
    virtual ~TFindDialogs() = default;
    // Opens the dialog with `state` (an open one comes to the front and keeps what the
    // user typed in it).
    virtual void Show(TFindDialogKind kind, const TFindDialogState& state) = 0;
    virtual void Close(TFindDialogKind kind) = 0;
    virtual bool IsOpen(TFindDialogKind kind) const = 0;

    // Every request of the user, as it comes.
    std::function<void(const TFindDialogRequest&)> OnRequest;
};

class TFindCommands {
public:
    // Takes the dialogs' requests; the dialogs must outlive the commands.
    explicit TFindCommands(TFindDialogs& dialogs);
    ~TFindCommands();
    TFindCommands(const TFindCommands&) = delete;
    TFindCommands& operator=(const TFindCommands&) = delete;

    // The sheet that the commands search and the element the search stays in (the
    // document's root element as shown in the sheet). None: the commands are disabled.
    void SetSheet(TCustomSheet* sheet, TVisualElement* searchRoot);
    bool Enabled() const { return sheet_ != nullptr; }

    // EditFind.
    void Find();
    // EditFindNext: with a find text, searches as the find dialog's Find Next does;
    // otherwise opens the find dialog.
    void FindNext();
    // EditReplace.
    void Replace();

    // What each dialog last held.
    const TFindDialogState& FindState() const { return findState_; }
    const TFindDialogState& ReplaceState() const { return replaceState_; }
    // The result of the last search or replacing.
    const TFindResult& LastResult() const { return lastResult_; }

    // Makes the request object of a search (tests count its reports with their own).
    std::function<std::unique_ptr<TFindData>()> MakeFindData;

private:
    void Request(const TFindDialogRequest& request);
    std::unique_ptr<TFindData> NewFindData(const TFindDialogState& state);

    TFindDialogs& dialogs_;
    TCustomSheet* sheet_ = nullptr;
    TVisualElement* searchRoot_ = nullptr;
    TFindDialogState findState_;
    TFindDialogState replaceState_;
    TFindResult lastResult_;
};

} // namespace quillora
