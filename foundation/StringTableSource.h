#pragma once
// Where the string tables come from, provided as Service<IStringTableSource>()
// (foundation/Service.h): the string resources of the executable on Windows, the
// generated tables (foundation/GeneratedStringTables.h) elsewhere. Each language has a
// table of its own.

#include "foundation/LanguageId.h"
#include "foundation/Strings.h"

namespace quillora {

class IStringTableSource {
public:
    virtual ~IStringTableSource() = default;
    // String `id` of exactly the table of `language`, never of another language;
    // empty when that language has no table or its table no such string.
    virtual String FindString(int id, TLanguageId language) const = 0;
};

} // namespace quillora
