// Outside Windows the clipboard lives inside the process.
#ifndef _WIN32

#include "text/TextClipboard.h"

namespace quillora {

TTextClipboard& DefaultTextClipboard()
{
    static TMemoryTextClipboard clipboard;
    return clipboard;
}

} // namespace quillora

#endif
