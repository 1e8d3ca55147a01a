#pragma once
// The clipboard as text elements use it: Unicode text in, Unicode text out. Provided as
// Service<TTextClipboard>() (foundation/Service.h): the system's clipboard on Windows,
// an in-process one (TMemoryTextClipboard) elsewhere.

#include "foundation/Strings.h"

namespace quillora {

class TTextClipboard {
public:
    virtual ~TTextClipboard() = default;
    // Whether the clipboard holds Unicode text.
    virtual bool HasText() = 0;
    // The clipboard's Unicode text; empty when there is none.
    virtual String GetText() = 0;
    // Replaces the clipboard's content with `text`; raises when the clipboard cannot
    // be opened.
    virtual void SetText(const String& text) = 0;
};

// An in-process clipboard: deterministic, for tests and for builds without a system
// clipboard.
class TMemoryTextClipboard : public TTextClipboard {
public:
    bool HasText() override { return hasText_; }
    String GetText() override { return hasText_ ? text_ : String(); }
    void SetText(const String& text) override
    {
        text_ = text;
        hasText_ = true;
    }
    void Clear()
    {
        text_.clear();
        hasText_ = false;
    }

private:
    String text_;
    bool hasText_ = false;
};

} // namespace quillora
