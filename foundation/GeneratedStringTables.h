#pragma once
// String tables held in the program itself. tools/gen-strings.py generates them from
// resources/strings (GeneratedStringTables); tests build small ones of their own.

#include <cstddef>
#include <cstdint>
#include <span>

#include "foundation/StringTableSource.h"

namespace quillora {

struct TStringTableEntry {
    uint16_t Id;
    StringView Text;
};

struct TStringTable {
    TLanguageId Language;
    const TStringTableEntry* Entries; // sorted by Id
    size_t Count;
};

// The tables generated from resources/strings, sorted by language.
std::span<const TStringTable> GeneratedStringTables();

class TTableStringSource : public IStringTableSource {
public:
    explicit TTableStringSource(std::span<const TStringTable> tables) : tables_(tables) {}
    String FindString(int id, TLanguageId language) const override;

private:
    std::span<const TStringTable> tables_;
};

} // namespace quillora
