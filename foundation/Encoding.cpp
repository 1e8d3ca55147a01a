#include "foundation/Encoding.h"

#include "foundation/AnsiCodePage.h"
#include "foundation/Service.h"

namespace quillora {

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five undefined bytes (decoded as C1 controls).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

String DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    String out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = bigEndian ? static_cast<char16_t>((b0 << 8) | b1) : static_cast<char16_t>((b1 << 8) | b0);
    }
    return out;
}
} // namespace

String DecodeCp1252(std::string_view bytes)
{
    String out(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        char16_t c = b;
        if (b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80]) c = kCp1252High[b - 0x80];
        out[i] = c;
    }
    return out;
}

std::string EncodeCp1252(StringView text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k) {
            if (kCp1252High[k] == c) { mapped = static_cast<char>(0x80 + k); break; }
        }
        if (c >= 0x80 && c < 0xA0) {
            int k = c - 0x80;
            if (!kCp1252High[k]) mapped = static_cast<char>(c); // the undefined bytes round-trip
        }
        out.push_back(mapped);
    }
    return out;
}

String DecodeText(std::string_view bytes)
{
    auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        return Utf8ToString(bytes.substr(3));
    if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) return DecodeUtf16(bytes.substr(2), false);
    if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) return DecodeUtf16(bytes.substr(2), true);
    return DecodeAnsi(bytes);
}

std::string EncodeText(StringView text, TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Ansi:
        return EncodeAnsi(text);
    case TTextEncoding::Utf8:
        return "\xEF\xBB\xBF" + StringToUtf8(text);
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: {
        const bool be = encoding == TTextEncoding::Utf16BE;
        std::string out = be ? "\xFE\xFF" : "\xFF\xFE";
        out.reserve(2 + text.size() * 2);
        for (char16_t c : text) {
            char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
            out.push_back(be ? hi : lo);
            out.push_back(be ? lo : hi);
        }
        return out;
    }
    }
    return {};
}

String DecodeAnsi(std::string_view bytes) { return Service<TAnsiCodePage>().Decode(bytes); }
std::string EncodeAnsi(StringView text) { return Service<TAnsiCodePage>().Encode(text); }

String TCp1252CodePage::Decode(std::string_view bytes) const { return DecodeCp1252(bytes); }
std::string TCp1252CodePage::Encode(StringView text) const { return EncodeCp1252(text); }

} // namespace quillora
