#pragma once
// The date and time conventions of a Windows locale, read once when constructed.

#include "foundation/LocaleFormat.h"

namespace quillora {

class TWinLocaleFormat : public ILocaleFormat {
public:
    // The locale of that name ("en-US"); empty: the user's default locale.
    explicit TWinLocaleFormat(String localeName = {});

    const TLocaleFormatSettings& Settings() const override { return settings_; }
    String AltCalendarDate(const TDateTimeParts& moment, StringView picture) const override;

private:
    const wchar_t* LocaleName() const;

    String localeName_;
    TLocaleFormatSettings settings_;
};

} // namespace quillora
