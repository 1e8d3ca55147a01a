// The date and time conventions of platforms without a locale database: English
// (United States).
#ifndef _WIN32

#include "foundation/LocaleFormat.h"

namespace quillora {

const ILocaleFormat& PlatformLocaleFormat()
{
    static const TFixedLocaleFormat format(EnglishUnitedStatesFormatSettings());
    return format;
}

} // namespace quillora

#endif
