#pragma once
// The platform's 16-bit language identifiers: the primary language in the low 10 bits,
// the sublanguage (regional variant) in the high 6 bits.

#include <cstdint>

namespace quillora {

using TLanguageId = uint16_t;

constexpr TLanguageId LangEnglish = 1033; // English (United States)

constexpr int PrimaryLanguage(TLanguageId id) { return id & 0x3FF; }
constexpr int SubLanguage(TLanguageId id) { return id >> 10; }

} // namespace quillora
