#pragma once
// The shell's "execute" of the Windows build (ShellExecuteW).

#include "foundation/UtilsServices.h"

namespace quillora {

class TWinShellService : public TShellService {
public:
    intptr_t Execute(const String& verb, const String& fileName, const String& parameters, int showCommand) override;
};

} // namespace quillora
