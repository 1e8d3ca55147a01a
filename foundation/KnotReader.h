#pragma once
// The parser of knot texts: one forward pass over the UTF-16 text that builds the tree
// without recursion. TKnot::LoadFromText is its public face.

#include "foundation/Knot.h"

namespace quillora {

class TKnotReader {
public:
    // Parses `text` into `root`, which must be cleared; returns false when the text is
    // faulty (whatever could be read stays in the tree).
    static bool Parse(TKnot& root, StringView text);

private:
    class Parser;
};

} // namespace quillora
