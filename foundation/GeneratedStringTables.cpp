#include "foundation/GeneratedStringTables.h"

#include <algorithm>

namespace quillora {

String TTableStringSource::FindString(int id, TLanguageId language) const
{
    if (id < 0 || id > 0xFFFF) return {};
    for (const TStringTable& table : tables_) {
        if (table.Language != language) continue;
        const TStringTableEntry* end = table.Entries + table.Count;
        const TStringTableEntry* it = std::lower_bound(table.Entries, end, id,
            [](const TStringTableEntry& e, int key) { return e.Id < key; });
        if (it != end && it->Id == id) return String(it->Text);
        return {};
    }
    return {};
}

} // namespace quillora
