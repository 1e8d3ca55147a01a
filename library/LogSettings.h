#pragma once
// The settings group "Log": which kinds of messages the log writes. The program owns the
// group and attaches it under "Sheet".

#include "foundation/Props.h"

namespace quillora {

class TLogSettings : public TProperty {
public:
    explicit TLogSettings(TProperty* owner = nullptr);

    TBooleanProperty& WriteInformation() const { return *writeInformation_; }
    TBooleanProperty& WriteHints() const { return *writeHints_; }
    TBooleanProperty& WriteWarnings() const { return *writeWarnings_; }

private:
    TBooleanProperty* writeInformation_;
    TBooleanProperty* writeHints_;
    TBooleanProperty* writeWarnings_;
};

} // namespace quillora
