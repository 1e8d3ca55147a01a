#pragma once
// The screen cursor of the Windows build: the number shown over every window of the
// program while it is not crDefault. Window procedures answer WM_SETCURSOR with
// ScreenCursorHandle when the screen cursor is not crDefault.
#include <windows.h>

#include "foundation/UtilsServices.h"

namespace quillora {

class TWinCursorService : public TCursorService {
public:
    TCursor ScreenCursor() const override { return cursor_; }
    // crDefault lets the window under the mouse choose its own cursor again.
    void SetScreenCursor(TCursor cursor) override;

private:
    TCursor cursor_ = crDefault;
};

// The cursor handle for a screen cursor number (standard or registered); the arrow
// for unknown numbers.
HCURSOR ScreenCursorHandle(TCursor cursor);
// Makes `handle` the screen cursor number `index` (a positive number of the program).
void RegisterScreenCursor(TCursor index, HCURSOR handle);
// Registers the program's cursor resource `name` as screen cursor number `index`; the
// standard cursor `fallback` stands in when the executable lacks the resource.
void LoadCursorResource(TCursor index, LPCWSTR name, TCursor fallback);

} // namespace quillora
