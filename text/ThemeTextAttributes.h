#pragma once
// The run attributes of the theme fonts: the code font (stfValue), the fixed, art and
// comment fonts. Each is made on first use from the canvas's theme (face, scaled size,
// style, colour), interned, and one reference is kept with the canvas until the theme or
// the font size changes. A canvas without a theme gives the shared default attributes.

namespace quillora {

class TRichTextAttributes;
class TSheetCanvas;

TRichTextAttributes* GetCodeAttributes(TSheetCanvas& canvas);
TRichTextAttributes* GetFixedAttributes(TSheetCanvas& canvas);
TRichTextAttributes* GetArtAttributes(TSheetCanvas& canvas);
TRichTextAttributes* GetCommentAttributes(TSheetCanvas& canvas);

} // namespace quillora
