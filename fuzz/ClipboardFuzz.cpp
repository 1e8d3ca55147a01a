// libFuzzer target of the private clipboard blocks that another process hands to a data
// element: the first byte splits the input into the type block and the data block; the
// type is read within its block and the data inflated apart under a small cap, and a
// paste into an element must either succeed or leave the element exactly as it was.
// Anything but a clean return (a crash, an exception, a hang, a leak) is a finding.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "library/DataElement.h"
#include "shell/PlatformServices.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static quillora::TPlatformServices services;
    quillora::InitializeDataElements();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace quillora;
    if (size == 0) return 0;
    const size_t split = std::min<size_t>(data[0], size - 1);
    const uint8_t* type = data + 1;
    const uint8_t* block = type + split;
    const size_t blockSize = size - 1 - split;

    const String text = ParseClipboardType(type, split);
    if (text.size() > MaxClipboardTypeLength) __builtin_trap();
    TMemoryStream inflated;
    if (InflateClipboardData(block, blockSize, inflated, 1 << 20) && inflated.Size() > (1 << 20)) __builtin_trap();

    TMemoryDataClipboard clipboard;
    TProvide<TDataClipboard> provide(clipboard);
    clipboard.HasTypeBlock = clipboard.HasDataBlock = true;
    clipboard.TypeBlock.assign(type, type + split);
    clipboard.DataBlock.assign(block, block + blockSize);
    std::unique_ptr<TElement_Image> image(TElement::NewElement<TElement_Image>(nullptr));
    image->SetData(TMemoryStream(std::vector<uint8_t>{1, 2, 3}), u"bin");
    try {
        if (!image->PasteData(false)) {
            if (image->Data().Size() != 3 || image->Type() != u"bin") __builtin_trap();
        }
    } catch (const Exception&) {
    }
    return 0;
}
