#pragma once
// The clipboard opened for the scope of one object, retrying briefly while another
// program holds it.
#include "foundation/win32/WinInclude.h"

namespace quillora {

class TOpenClipboard {
public:
    TOpenClipboard()
    {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(nullptr) != FALSE;
            if (!open_) Sleep(10);
        }
    }
    ~TOpenClipboard()
    {
        if (open_) CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

} // namespace quillora
