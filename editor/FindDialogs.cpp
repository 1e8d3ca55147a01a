#include "editor/FindDialogs.h"

#include <memory>

#include "elements/CustomSheet.h"

namespace quillora {

TFindCommands::TFindCommands(TFindDialogs& dialogs) : dialogs_(dialogs)
{
    dialogs_.OnRequest = [this](const TFindDialogRequest& request) { Request(request); };
}

TFindCommands::~TFindCommands() { dialogs_.OnRequest = nullptr; }

void TFindCommands::SetSheet(TCustomSheet* sheet, TVisualElement* searchRoot)
{
    sheet_ = sheet;
    searchRoot_ = sheet ? searchRoot : nullptr;
}

void TFindCommands::Find()
{
    if (!Enabled()) return;
    dialogs_.Close(fdkReplace);
    dialogs_.Show(fdkFind, findState_);
}

void TFindCommands::FindNext()
{
    if (!Enabled()) return;
    if (findState_.FindWhat.empty()) {
        Find();
        return;
    }
    Request({fdkFind, fdaFindNext, findState_});
}

void TFindCommands::Replace()
{
    if (!Enabled()) return;
    dialogs_.Close(fdkFind);
    dialogs_.Show(fdkReplace, replaceState_);
}

std::unique_ptr<TFindData> TFindCommands::NewFindData(const TFindDialogState& state)
{
    std::unique_ptr<TFindData> data = MakeFindData ? MakeFindData() : std::make_unique<TFindData>();
    data->SearchRoot = searchRoot_;
    data->Text = state.FindWhat;
    data->MatchCase = state.MatchCase;
    return data;
}

void TFindCommands::Request(const TFindDialogRequest& request)
{
    (request.Dialog == fdkFind ? findState_ : replaceState_) = request.State;
    if (request.Action == fdaClosed || !sheet_) return;
    // An empty text is never searched for: the user is asked for one.
    if (request.State.FindWhat.empty()) {
        dialogs_.Show(request.Dialog, request.State);
        return;
    }
    std::unique_ptr<TFindData> data = NewFindData(request.State);
    switch (request.Action) {
    case fdaFindNext: lastResult_ = SheetFindNext(*sheet_, *data, request.State.Down); break;
    case fdaReplace:
        lastResult_ = SheetReplace(*sheet_, *data, request.State.ReplaceWith, false, request.State.Down);
        break;
    case fdaReplaceAll:
        lastResult_ = SheetReplace(*sheet_, *data, request.State.ReplaceWith, true, request.State.Down);
        break;
    case fdaClosed: break;
    }
}

} // namespace quillora
