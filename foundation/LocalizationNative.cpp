// The string tables and locale list of platforms without string resources and a
// locale database: the generated tables and the standard locale list, with English
// (United States) as the user's language.
#ifndef _WIN32

#include "foundation/FixedLocaleList.h"
#include "foundation/GeneratedStringTables.h"

namespace quillora {

const IStringTableSource& DefaultStringTableSource()
{
    static const TTableStringSource source(GeneratedStringTables());
    return source;
}

const ILocaleList& DefaultLocaleList()
{
    static const TFixedLocaleList list(StandardLocales(), LangEnglish);
    return list;
}

} // namespace quillora

#endif
