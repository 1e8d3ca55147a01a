#pragma once
// Small bitmaps written as rows of letters, for tables of expected pixels.

#include <string>
#include <vector>

#include "render/Bitmap32.h"

namespace quillora::rastertest {

// '.' is transparent black; the letters a..p are opaque colours (no one the mean of two
// others), A..P the same colours at alpha 128.
inline TColor32 LetterColor(char c)
{
    if (c >= 'a' && c <= 'p') {
        const int i = c - 'a';
        return Color32(static_cast<uint8_t>(16 * i + 7), static_cast<uint8_t>(i * i * 13 % 251), 0x5A);
    }
    if (c >= 'A' && c <= 'P')
        return WithAlpha(LetterColor(static_cast<char>(c - 'A' + 'a')), 128);
    return 0;
}

inline char ColorLetter(TColor32 color)
{
    if (color == 0)
        return '.';
    for (char c = 'a'; c <= 'p'; ++c) {
        if (LetterColor(c) == color)
            return c;
        if (LetterColor(static_cast<char>(c - 'a' + 'A')) == color)
            return static_cast<char>(c - 'a' + 'A');
    }
    return '?';
}

inline void Fill(TBitmap32& bitmap, const std::vector<std::string>& rows)
{
    bitmap.SetSize(rows.empty() ? 0 : static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.ScanLine(y)[x] = LetterColor(rows[y][x]);
}

inline std::vector<std::string> Rows(const TBitmap32& bitmap)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x)
            row += ColorLetter(bitmap.Pixel(x, y));
        rows.push_back(row);
    }
    return rows;
}

// A bitmap of width x height pixels, all '.'.
inline std::vector<std::string> Blank(int width, int height)
{
    return std::vector<std::string>(height, std::string(width, '.'));
}

} // namespace quillora::rastertest
