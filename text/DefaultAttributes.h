#pragma once
// The shared default attributes: a registered TRichParagraphAttributes with all defaults
// (the paragraph attributes of every paragraph of the program) and a registered
// TRichTextAttributes with all defaults (for texts that are not placed in a sheet). Each
// is made on first use and held with one reference until program end.

#include "text/ParagraphAttributes.h"
#include "text/RichTextAttributes.h"

namespace quillora {

TRichParagraphAttributes* DefaultParagraphAttributes();
TRichTextAttributes* DefaultTextAttributes();

} // namespace quillora
