#pragma once
// Raw-data resources of a module: named byte blocks carried inside the program. The
// program's own module holds the built-in theme, compiled in from resources/themes.

#include <cstddef>
#include <string_view>

#include "foundation/Strings.h"

namespace quillora {

class TResourceModule {
public:
    virtual ~TResourceModule() = default;
    // The bytes of the raw-data resource `name` (compared exactly); false when there is none.
    virtual bool FindRawData(StringView name, std::string_view& data) const = 0;
};

// The program's own resources.
const TResourceModule& ProgramModule();

// One compiled-in resource; the generated source lists them.
struct TEmbeddedResource {
    const char16_t* Name;
    const unsigned char* Data;
    size_t Size;
};

} // namespace quillora
