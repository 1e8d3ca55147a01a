#pragma once
// The utilities' platform services outside Windows: quiet stand-ins, enough for the
// tools and the tests of the core. The cursor is only remembered, message boxes go to
// the standard error stream and take their default button, the shell has nothing
// associated and the registry is empty.

#include "foundation/UtilsServices.h"

namespace quillora {

class TNativeCursorService : public TCursorService {
public:
    TCursor ScreenCursor() const override { return cursor_; }
    void SetScreenCursor(TCursor cursor) override { cursor_ = cursor; }

private:
    TCursor cursor_ = crDefault;
};

class TNativeMessageBoxService : public TMessageBoxService {
public:
    // Prints "caption: text" to stderr; Yes for the boxes that ask, else OK.
    int Show(const String& text, const String& caption, unsigned flags) override;
    bool ActiveWindowIsTopmost() const override { return false; }
    String ApplicationTitle() const override { return u"Quillora"; }
};

class TNativeShellService : public TShellService {
public:
    // 31: no shell, so nothing is associated with anything.
    intptr_t Execute(const String&, const String&, const String&, int) override { return 31; }
};

class TNativeRegistryReader : public TRegistryReader {
public:
    bool ReadString(TRegistryRoot, const String&, const String&, String&) const override { return false; }
    bool KeyExists(TRegistryRoot, const String&) const override { return false; }
    bool GetSubKeyNames(TRegistryRoot, const String&, std::vector<String>& names) const override
    {
        names.clear();
        return false;
    }
    bool GetValueNames(TRegistryRoot, const String&, std::vector<String>& names) const override
    {
        names.clear();
        return false;
    }
};

} // namespace quillora
