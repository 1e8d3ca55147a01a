#include "editor/win32/FindDialogsWin.h"

#include <algorithm>

#include "foundation/Exceptions.h"
#include "foundation/win32/Window.h"

namespace quillora {

namespace {

UINT FindMessage()
{
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

void CopyText(wchar_t (&buffer)[256], const String& text)
{
    const size_t count = std::min<size_t>(text.size(), 255);
    std::copy_n(reinterpret_cast<const wchar_t*>(text.data()), count, buffer);
    buffer[count] = 0;
}

String TextOf(const wchar_t* buffer) { return String(reinterpret_cast<const Char*>(buffer)); }

} // namespace

// The hidden window that owns the dialogs and hears them.
class TFindDialogsWin::THost : public TWindow {
public:
    explicit THost(TFindDialogsWin& owner) : owner_(owner) {}

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == FindMessage() && msg != 0) {
            owner_.Notice(reinterpret_cast<FINDREPLACEW*>(lParam));
            return 0;
        }
        return TWindow::WindowProc(msg, wParam, lParam);
    }

private:
    TFindDialogsWin& owner_;
};

TFindDialogsWin::TFindDialogsWin(HWND owner) : host_(std::make_unique<THost>(*this))
{
    TWindowParams params;
    params.Caption = L"";
    params.Style = WS_POPUP;
    params.Parent = owner;
    params.X = params.Y = 0;
    params.Width = params.Height = 0;
    host_->CreateHandle({L"QuilloraFindDialogsHost"}, params);
}

TFindDialogsWin::~TFindDialogsWin()
{
    Close(fdkFind);
    Close(fdkReplace);
}

HWND TFindDialogsWin::DialogHandle(TFindDialogKind kind) const { return dialogs_[kind].Handle; }

bool TFindDialogsWin::IsOpen(TFindDialogKind kind) const
{
    HWND handle = dialogs_[kind].Handle;
    return handle && IsWindow(handle);
}

void TFindDialogsWin::Show(TFindDialogKind kind, const TFindDialogState& state)
{
    TDialog& dialog = dialogs_[kind];
    if (IsOpen(kind)) {
        ShowWindow(dialog.Handle, SW_SHOW);
        SetActiveWindow(dialog.Handle);
        return;
    }
    dialog.Handle = nullptr;
    CopyText(dialog.FindWhat, state.FindWhat);
    CopyText(dialog.ReplaceWith, state.ReplaceWith);
    dialog.Data = {};
    dialog.Data.lStructSize = sizeof(FINDREPLACEW);
    dialog.Data.hwndOwner = host_->Handle();
    dialog.Data.Flags = FR_HIDEWHOLEWORD | (state.Down ? FR_DOWN : 0) | (state.MatchCase ? FR_MATCHCASE : 0);
    dialog.Data.lpstrFindWhat = dialog.FindWhat;
    dialog.Data.wFindWhatLen = 256;
    if (kind == fdkReplace) {
        dialog.Data.lpstrReplaceWith = dialog.ReplaceWith;
        dialog.Data.wReplaceWithLen = 256;
    }
    dialog.Handle = kind == fdkFind ? FindTextW(&dialog.Data) : ReplaceTextW(&dialog.Data);
    if (!dialog.Handle) throw Exception(u"The find dialog cannot be shown");
}

void TFindDialogsWin::Close(TFindDialogKind kind)
{
    HWND handle = dialogs_[kind].Handle;
    dialogs_[kind].Handle = nullptr;
    if (handle && IsWindow(handle)) DestroyWindow(handle);
}

bool TFindDialogsWin::DialogMessage(MSG& msg)
{
    for (const TDialog& dialog : dialogs_)
        if (dialog.Handle && IsWindow(dialog.Handle) && IsDialogMessageW(dialog.Handle, &msg)) return true;
    return false;
}

void TFindDialogsWin::Notice(FINDREPLACEW* data)
{
    if (!data) return;
    TFindDialogKind kind;
    if (data == &dialogs_[fdkFind].Data) kind = fdkFind;
    else if (data == &dialogs_[fdkReplace].Data) kind = fdkReplace;
    else return;
    TFindDialogRequest request;
    request.Dialog = kind;
    request.State.FindWhat = TextOf(dialogs_[kind].FindWhat);
    request.State.ReplaceWith = kind == fdkReplace ? TextOf(dialogs_[kind].ReplaceWith) : String();
    request.State.Down = (data->Flags & FR_DOWN) != 0;
    request.State.MatchCase = (data->Flags & FR_MATCHCASE) != 0;
    if (data->Flags & FR_DIALOGTERM) {
        request.Action = fdaClosed;
        dialogs_[kind].Handle = nullptr;
    } else if (data->Flags & FR_REPLACEALL) {
        request.Action = fdaReplaceAll;
    } else if (data->Flags & FR_REPLACE) {
        request.Action = fdaReplace;
    } else if (data->Flags & FR_FINDNEXT) {
        request.Action = fdaFindNext;
    } else {
        return;
    }
    if (OnRequest) OnRequest(request);
}

} // namespace quillora
