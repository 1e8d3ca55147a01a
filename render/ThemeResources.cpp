#include "render/ThemeResources.h"

namespace quillora {

// Generated from resources/themes at build time.
extern const TEmbeddedResource EmbeddedThemeResources[];
extern const size_t EmbeddedThemeResourceCount;
// Generated from resources/images at build time: the element images.
extern const TEmbeddedResource EmbeddedElementImageResources[];
extern const size_t EmbeddedElementImageResourceCount;

namespace {

class TEmbeddedModule final : public TResourceModule {
public:
    bool FindRawData(StringView name, std::string_view& data) const override
    {
        for (size_t i = 0; i < EmbeddedThemeResourceCount; ++i) {
            const TEmbeddedResource& resource = EmbeddedThemeResources[i];
            if (name == resource.Name) {
                data = std::string_view(reinterpret_cast<const char*>(resource.Data), resource.Size);
                return true;
            }
        }
        for (size_t i = 0; i < EmbeddedElementImageResourceCount; ++i) {
            const TEmbeddedResource& resource = EmbeddedElementImageResources[i];
            if (name == resource.Name) {
                data = std::string_view(reinterpret_cast<const char*>(resource.Data), resource.Size);
                return true;
            }
        }
        return false;
    }
};

} // namespace

const TResourceModule& ProgramModule()
{
    static const TEmbeddedModule module;
    return module;
}

} // namespace quillora
