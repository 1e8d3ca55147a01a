#pragma once
// The messages that checks and loads produce, made from string-table texts of the
// current language with their values inserted safely.

#include <cstdint>
#include <vector>

#include "elements/Messages.h"

namespace quillora {

// String ids of the element model's messages.
constexpr int sidDataCorrupt = 2327;        // "Data provided are corrupt"
constexpr int sidNewerFormat = 2328;        // "The format of the data provided is of a newer version — ..."
constexpr int sidNodeNotRead = 2329;        // "Node "%1" was not read"
constexpr int sidAttributeNotRead = 2330;   // "Attribute "%1" was not read"
constexpr int sidValueMustBeSet = 2331;     // "The value must be [set]"
constexpr int sidUnsupportedElement = 2333; // "[Unsupported] element "%1" in this editor"
constexpr int sidDisabledCaption = 2335;    // "Disabled"
constexpr int sidDisabledHint = 2336;       // "Disabling selected elements. ..."

// String `stringId` with "%1", "%2", ... filled by `args`, each passed through
// SanitizeMessageArgument first.
String FormatMessageText(int stringId, const std::vector<String>& args = {});

// A check message of an element: the text of `stringId` (arguments sanitized) split at
// its brackets, the bracketed stretch linking to the element `elementId`.
TElementMessage* AddElementMessage(TElementMessages& messages, uint8_t kind, int stringId, int32_t elementId,
                                   const std::vector<String>& args = {});

// A report of the loader: a plain message of kind mkWarning (arguments sanitized).
TElementMessage* AddLoadReport(TElementMessages& messages, int stringId, const std::vector<String>& args = {});

} // namespace quillora
