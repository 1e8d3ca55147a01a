#pragma once
// The date-and-time mask language: a mask such as "yyyy.mm.dd hh:nn:ss" or
// "dddd, d mmmm 'at' h:nn am/pm" applied to a moment with the conventions of a locale.
//
// Letters are read without regard to case; a specifier is a run of one character in
// one case (Dd is two one-letter specifiers). d dd day, ddd dddd day name, ddddd the
// short and longer runs the long date; m mm month (minutes right after an h), mmm
// mmmm month name; y yy two-digit year, yyy and longer four digits; h hh hour; n nn
// minute; s ss second; z zz zzz millisecond; t short time, tt long time; c short date
// and, unless the time is midnight, the long time; am/pm, a/p (as written) and ampm
// (the locale's designators) choose the 12-hour clock for the hours before them and,
// looking ahead past quoted text, for an hour whose next a starts one of them before
// another h; aaa aaaa day name; / and : the locale's separators; e ee eee and g gg the
// alternative calendar's year and era. Text between apostrophes or double quotes is
// copied without them (an unpartnered quote copies the rest); any other character is
// copied. The locale's formats are expanded one level deep; an empty mask is c.

#include <array>

#include "foundation/LocaleFormat.h"
#include "foundation/Strings.h"

namespace quillora {

// `moment` formatted by `mask` with the conventions of `locale`. No mask is invalid.
// The parts of the moment are used as they stand (names of a month outside 1..12 are
// empty).
String FormatDateMask(StringView mask, const TDateTimeParts& moment, const ILocaleFormat& locale);
// The same with the provided conventions (Service<ILocaleFormat>()).
String FormatDateMask(StringView mask, const TDateTimeParts& moment);

// The mask of a new date-and-time mask element, and the masks that its list offers, in
// their order.
constexpr StringView DefaultDateMask = u"yyyy.mm.dd hh:nn:ss";
const std::array<StringView, 9>& DateMaskPresets();

} // namespace quillora
