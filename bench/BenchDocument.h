#pragma once
// The data file of the benchmarks: 10,000 snippets with text, key, caret and date
// elements, as UTF-8 with a byte-order mark.
#include <string>

namespace quillora::bench {

constexpr int SnippetCount = 10000;

inline std::string GeneratedDataFile()
{
    std::string text = "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\">\r\n";
    for (int i = 0; i < SnippetCount; ++i) {
        text += "\t<Chars Value=\"Snippet " + std::to_string(i) + " with some words\"/>\r\n";
        switch (i % 4) {
        case 0: text += "\t<Tab/>\r\n\t<Chars Value=\"second field\"/>\r\n\t<Return/>\r\n"; break;
        case 1: text += "\t<Caret/>\r\n\t<Chars Value=\"after the caret\"/>\r\n"; break;
        case 2: text += "\t<DateTime Value=\"yyyy.mm.dd\"/>\r\n"; break;
        default: text += "\t<Left/>\r\n\t<Left/>\r\n"; break;
        }
        if (i + 1 < SnippetCount) text += "\t<Br/>\r\n";
    }
    return text + "</Quillora>\r\n";
}

} // namespace quillora::bench
