#pragma once
// The platform's common find and replace dialogs (FindTextW, ReplaceTextW) behind the
// core's TFindDialogs. A hidden window of its own owns the dialogs and receives their
// registered FINDMSGSTRING message, which it turns into requests.
//
// The dialogs are modeless: the message loop must pass their messages through
// IsDialogMessage (DialogMessage below) for Tab and Enter to work in them.

#include <memory>

#include "editor/FindDialogs.h"
#include "foundation/win32/WinInclude.h"

#include <commdlg.h>

namespace quillora {

class TFindDialogsWin : public TFindDialogs {
public:
    // `owner`: the window the dialogs stay above (the edit form's top-level window).
    explicit TFindDialogsWin(HWND owner);
    ~TFindDialogsWin() override;
    TFindDialogsWin(const TFindDialogsWin&) = delete;
    TFindDialogsWin& operator=(const TFindDialogsWin&) = delete;

    // Raises when the system cannot show the dialog.
    void Show(TFindDialogKind kind, const TFindDialogState& state) override;
    void Close(TFindDialogKind kind) override;
    bool IsOpen(TFindDialogKind kind) const override;

    // The open dialog's window; null when it is closed.
    HWND DialogHandle(TFindDialogKind kind) const;
    // For the message loop: true when `msg` was a message of an open dialog and has been
    // handled by it.
    bool DialogMessage(MSG& msg);

private:
    class THost;
    struct TDialog {
        FINDREPLACEW Data {};
        wchar_t FindWhat[256] {};
        wchar_t ReplaceWith[256] {};
        HWND Handle = nullptr;
    };
    // The registered message from a dialog.
    void Notice(FINDREPLACEW* data);

    std::unique_ptr<THost> host_;
    TDialog dialogs_[2];
};

} // namespace quillora
