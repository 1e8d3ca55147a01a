#include "editor/LogPanel.h"

#include <algorithm>

#include "elements/Messages.h"
#include "foundation/Input.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/ShortCut.h"
#include "foundation/StringIds.h"

namespace quillora {

int TLogPanel::Update(const TElementMessages* messages)
{
    int change = lpcNone;
    const bool hasMessages = messages && messages->Count() > 0;
    if (hasMessages != shown_) {
        shown_ = hasMessages;
        change |= lpcShown;
    }
    if (shown_) {
        const int severity = messages->GetSeverity();
        if (severity != severity_) {
            severity_ = severity;
            change |= lpcSeverity;
        }
    }
    return change;
}

TLogPanelLayout TLogPanel::Layout(int width, int height) const
{
    TLogPanelLayout layout;
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!shown_) {
        layout.Document = {0, 0, width, height};
        return layout;
    }
    const int logTop = height - height_;
    const int splitterTop = logTop - SplitterHeight;
    layout.Log = {0, logTop, width, height};
    layout.Splitter = {0, splitterTop, width, logTop};
    layout.Document = {0, 0, width, std::max(splitterTop, 0)};
    const int buttonLeft = (width - ButtonWidth) / 2;
    const int buttonTop = splitterTop + (SplitterHeight - ButtonHeight) / 2;
    layout.Button = {buttonLeft, buttonTop, buttonLeft + ButtonWidth, buttonTop + ButtonHeight};
    layout.Glyph = {(ButtonWidth - GlyphWidth) / 2, (ButtonHeight - GlyphHeight) / 2};
    return layout;
}

int TLogPanel::HeightForSplitterTop(int splitterTop, int formHeight)
{
    const int wanted = formHeight - splitterTop - SplitterHeight;
    const int most = formHeight - SplitterHeight - MinDocumentHeight;
    return std::max(MinHeight, std::min(wanted, most));
}

bool TLogPanel::SplitterMoved(int splitterTop, int formHeight)
{
    const int height = HeightForSplitterTop(splitterTop, formHeight);
    if (height == height_) return false;
    height_ = height;
    return true;
}

void TLogPanel::LoadSession(TKnot& node, int parentHeight)
{
    TKnot* log = node.FindKnot(u"Log");
    if (!log) return;
    const int32_t height = log->ReadInteger(u"Height", height_);
    if (height < MinHeight) return;
    if (parentHeight > 0 && height > parentHeight / 2) return;
    height_ = height;
}

void TLogPanel::SaveSession(TKnot& node) const { node.GetKnot(u"Log")->WriteInteger(u"Height", height_); }

String TLogPanel::ButtonHint() { return LoadString(sidClearAndCloseLog) + u" (" + HotKeyToShortCut(ModControl, kcF5) + u")"; }

} // namespace quillora
