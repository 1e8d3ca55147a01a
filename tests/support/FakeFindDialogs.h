#pragma once
// The platform's find and replace dialogs as the editor's commands see them: a log of
// what they were told, and requests a test makes as the user would.

#include <string>
#include <vector>

#include "editor/FindDialogs.h"

namespace quillora::testing {

struct FakeFindDialogs : TFindDialogs {
    std::vector<std::string> Log;
    bool open[2] = {false, false};
    void Show(TFindDialogKind kind, const TFindDialogState& state) override
    {
        open[kind] = true;
        Log.push_back(std::string(kind == fdkFind ? "show find " : "show replace ") +
                      std::string(state.FindWhat.begin(), state.FindWhat.end()));
    }
    void Close(TFindDialogKind kind) override
    {
        if (open[kind]) Log.push_back(kind == fdkFind ? "close find" : "close replace");
        open[kind] = false;
    }
    bool IsOpen(TFindDialogKind kind) const override { return open[kind]; }
    // The user pressed a button of an open dialog.
    void Press(TFindDialogKind kind, TFindDialogAction action, const TFindDialogState& state)
    {
        if (OnRequest) OnRequest({kind, action, state});
    }
};

} // namespace quillora::testing
