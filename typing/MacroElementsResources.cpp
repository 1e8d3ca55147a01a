#include "typing/MacroElementsResources.h"

namespace quillora {

// Generated from resources/images at build time.
extern const TEmbeddedResource EmbeddedMacroImageResources[];
extern const size_t EmbeddedMacroImageResourceCount;

namespace {

class TMacroResources final : public TResourceModule {
public:
    bool FindRawData(StringView name, std::string_view& data) const override
    {
        for (size_t i = 0; i < EmbeddedMacroImageResourceCount; ++i) {
            const TEmbeddedResource& resource = EmbeddedMacroImageResources[i];
            if (name == resource.Name) {
                data = std::string_view(reinterpret_cast<const char*>(resource.Data), resource.Size);
                return true;
            }
        }
        return ProgramModule().FindRawData(name, data);
    }
};

} // namespace

const TResourceModule& MacroElementsResources()
{
    static const TMacroResources module;
    return module;
}

} // namespace quillora
