#pragma once
// The data element's file dialogs on Windows: the system's open and save dialogs, owned
// by the active window of the program.

#include "library/DataElement.h"

namespace quillora {

class TWinDataFileDialogs : public TDataFileDialogs {
public:
    bool Open(const std::vector<TFilter>& filters, bool defaultFilterAll, String& fileName) override;
    bool Save(const std::vector<TFilter>& filters, const String& defaultExtension, String& fileName) override;
};

} // namespace quillora
