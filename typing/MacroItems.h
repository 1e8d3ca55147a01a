#pragma once
// A snippet turned into typing steps: the paragraph's text runs, its key elements, its
// date-and-time elements formatted with one moment, and its caret marker.

#include "typing/SendKeys.h"

namespace quillora {

struct TTypingSettings;
class TParagraph;

// Empties `items`, then appends `backspaceCount` mkBack steps (erasing what the user
// typed into the target while choosing), then one step per portion of `paragraph`: a
// text run as mkText, a key element or the caret (of exactly their classes) as its
// key, a date-and-time element (exactly that class) as mkText with the moment read
// once from Service<ILocalClock>() formatted by its mask. Tab stops and every other element give
// nothing. Text steps are not merged.
void BuildMacroItems(int backspaceCount, const TParagraph& paragraph, TMacroItems& items);

// BuildMacroItems with `filterLength` Backspaces, then types the steps with `settings`.
// Answers whether the whole list was typed.
bool TypeParagraph(int filterLength, const TParagraph& paragraph, const TTypingSettings& settings);

} // namespace quillora
