#pragma once
// The messages that checks and loads produce, made from string-table texts of the
// current language with their values inserted safely.

#include <cstdint>
#include <vector>

#include "elements/Messages.h"
#include "foundation/StringIds.h"

namespace quillora {

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
