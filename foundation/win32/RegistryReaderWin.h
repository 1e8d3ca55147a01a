#pragma once
// Reading the Windows registry: string values, and the names of subkeys and values.

#include "foundation/UtilsServices.h"

namespace quillora {

class TWinRegistryReader : public TRegistryReader {
public:
    bool ReadString(TRegistryRoot root, const String& key, const String& valueName, String& value) const override;
    bool KeyExists(TRegistryRoot root, const String& key) const override;
    bool GetSubKeyNames(TRegistryRoot root, const String& key, std::vector<String>& names) const override;
    bool GetValueNames(TRegistryRoot root, const String& key, std::vector<String>& names) const override;
};

} // namespace quillora
