#include "foundation/FixedLocaleList.h"

namespace quillora {

const std::vector<TLocaleInfo>& StandardLocales()
{
    static const std::vector<TLocaleInfo> locales = {
        {0x0401, u"ARA"}, {0x0402, u"BGR"}, {0x0404, u"CHT"}, {0x0405, u"CSY"}, {0x0406, u"DAN"},
        {0x0407, u"DEU"}, {0x0409, u"ENU"}, {0x040A, u"ESP"}, {0x040C, u"FRA"}, {0x0410, u"ITA"},
        {0x0411, u"JPN"}, {0x0413, u"NLD"}, {0x0414, u"NOR"}, {0x0415, u"PLK"}, {0x0416, u"PTB"},
        {0x0418, u"ROM"}, {0x0419, u"RUS"}, {0x041A, u"HRV"}, {0x041D, u"SVE"}, {0x0422, u"UKR"},
        {0x0424, u"SLV"}, {0x0804, u"CHS"}, {0x0807, u"DES"}, {0x0809, u"ENG"}, {0x0816, u"PTG"},
        {0x0C07, u"DEA"}, {0x0C0A, u"ESN"},
    };
    return locales;
}

} // namespace quillora
