#pragma once
// Helpers of the picture tests: expected-frame checks with readable failures, byte builders.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "foundation/Streams.h"
#include "images/Frame.h"
#include "images/PlatformDecoder.h"

namespace quillora::testing_pictures {

inline std::string Hex(uint32_t v)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

// Checks the frame's size and every pixel against `expected(x, y)`; reports the first
// few differences with their coordinates.
inline ::testing::AssertionResult FrameMatches(const TFrame& frame, int width, int height,
                                               const std::function<uint32_t(int, int)>& expected)
{
    if (frame.Width() != width || frame.Height() != height)
        return ::testing::AssertionFailure() << "size " << frame.Width() << "x" << frame.Height() << ", expected "
                                             << width << "x" << height;
    int wrong = 0;
    auto failure = ::testing::AssertionFailure();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (frame.Pixel(x, y) != expected(x, y) && ++wrong <= 5)
                failure << "(" << x << "," << y << ") is " << Hex(frame.Pixel(x, y)) << ", expected "
                        << Hex(expected(x, y)) << "; ";
    if (wrong == 0) return ::testing::AssertionSuccess();
    return failure << wrong << " pixels differ";
}

inline void PutLe16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void PutLe32(std::vector<uint8_t>& out, uint32_t v)
{
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

inline std::vector<uint8_t> TargaHeader(uint8_t type, int width, int height, uint8_t depth, uint8_t descriptor = 0,
                                        uint8_t mapType = 0, int mapLength = 0, uint8_t mapEntrySize = 0,
                                        uint8_t idLength = 0)
{
    std::vector<uint8_t> h{idLength, mapType, type};
    PutLe16(h, 0);
    PutLe16(h, unsigned(mapLength));
    h.push_back(mapEntrySize);
    PutLe16(h, 0);
    PutLe16(h, 0);
    PutLe16(h, unsigned(width));
    PutLe16(h, unsigned(height));
    h.push_back(depth);
    h.push_back(descriptor);
    return h;
}

// A platform decoder that records its calls and yields a fixed 2 x 1 frame, or fails.
class TFakePlatformDecoder : public TPlatformDecoder {
public:
    int Decodes = 0;
    bool Fail = false;
    std::vector<uint8_t> LastInput;

    void Decode(TMemoryStream& stream, TFrame& frame) override
    {
        ++Decodes;
        LastInput.assign(stream.Data() + stream.Position(), stream.Data() + stream.Size());
        if (Fail) throw Exception(u"fake decoder failed");
        frame.SetSize(2, 1);
        frame.SetPixel(0, 0, 0x11223344);
        frame.SetPixel(1, 0, 0x55667788);
    }
    void Encode(const TFrame& frame, TPictureEncoder encoder, TMemoryStream& target) override
    {
        uint8_t tag[2] = {uint8_t('E'), uint8_t('0' + encoder)};
        target.Write(tag, 2);
    }
};

} // namespace quillora::testing_pictures
