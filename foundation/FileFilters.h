#pragma once
// Extension filters of the open and save dialogs and the filter text built from them.

#include <cstdint>
#include <vector>

#include "foundation/Strings.h"

namespace quillora {

class TFileFilter {
public:
    TFileFilter() = default;
    TFileFilter(String fileExt, String description = {}) : FileExt(std::move(fileExt)), Description(std::move(description)) {}

    String FileExt = u"txt";  // without the dot
    String Description;       // empty: the extension in upper case
    bool UseForOpen = true;
    bool UseForSave = true;
};

class TFileFilters {
public:
    TFileFilter& Add(String fileExt, String description = {})
    {
        items_.emplace_back(std::move(fileExt), std::move(description));
        return items_.back();
    }
    TFileFilter& Add(const TFileFilter& filter)
    {
        items_.push_back(filter);
        return items_.back();
    }
    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    TFileFilter& operator[](int index) { return items_[static_cast<size_t>(index)]; }
    const TFileFilter& operator[](int index) const { return items_[static_cast<size_t>(index)]; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    void Clear() { items_.clear(); }

private:
    std::vector<TFileFilter> items_;
};

enum TOpenSaveOption : uint8_t {
    osoOpenNoAllFiles = 0x01,      // the open dialog offers no "All Files" entry
    osoSaveNoAllFiles = 0x02,      // the save dialog offers no "All Files" entry
    osoNoMergeOpenFilters = 0x04,  // the open dialog keeps filters of equal description apart
    osoDefaultFilterAll = 0x08,    // the open dialog offers "All Files" first
};
using TOpenSaveOptions = uint8_t;  // a set of TOpenSaveOption

enum class TFileDialogKind { Open, Save };

// The dialog's filter text: entries "Description (*.a, *.b)|*.a;*.b" joined by "|",
// with "All Files (*.*)|*.*" last (or first, see the options).
String BuildFilter(const TFileFilters& filters, TOpenSaveOptions options, TFileDialogKind kind);

// The save dialog's default extension: the first filter's extension (empty without filters).
String DefaultSaveExtension(const TFileFilters& filters);

} // namespace quillora
