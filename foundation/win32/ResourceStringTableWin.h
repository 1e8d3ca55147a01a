#pragma once
// String tables kept as the string resources (STRINGTABLE) of a module, one block set
// per language.

#include "foundation/win32/WinInclude.h"

#include "foundation/StringTableSource.h"

namespace quillora {

class TResourceStringTableSource : public IStringTableSource {
public:
    // `module` null: the executable of the process.
    explicit TResourceStringTableSource(HMODULE module = nullptr) : module_(module) {}

    // Reads block (id div 16 + 1) of exactly `language` and walks its length-prefixed
    // entries to position id mod 16. The platform's own language fallback of
    // FindResourceExW is never relied on: a block that the module does not hold in
    // that very language reads as missing.
    String FindString(int id, TLanguageId language) const override;

private:
    HMODULE module_;
};

} // namespace quillora
