#pragma once
// String values of the Windows registry.

#include "foundation/UtilsServices.h"

namespace quillora {

class TWinRegistryReader : public TRegistryReader {
public:
    bool ReadString(TRegistryRoot root, const String& key, const String& valueName, String& value) const override;
};

} // namespace quillora
