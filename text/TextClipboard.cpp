#include "text/TextClipboard.h"

namespace quillora {

namespace {
TTextClipboard* substitute = nullptr;
} // namespace

TTextClipboard& TextClipboard() { return substitute ? *substitute : DefaultTextClipboard(); }
void SetTextClipboard(TTextClipboard* clipboard) { substitute = clipboard; }

} // namespace quillora
