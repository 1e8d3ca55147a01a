#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "elements/WaveFormat.h"
#include "foundation/Files.h"

namespace quillora {
namespace {

void Put32(std::string& s, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) s[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& s, size_t at, uint32_t v)
{
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

// A mono 16-bit wave of `frames` frames at 8,000 samples per second, with an extra chunk
// before "fmt " (which a reader skips); offsets: "fmt " body at 26, "data" size at 46.
std::string Wave(uint32_t frames = 4)
{
    std::string s = std::string("RIFF") + "SIZE" + "WAVE" + "LIST" + std::string(4, '\0') + "odd" + '\0' + "fmt " +
                    std::string(4, '\0') + std::string(16, '\0') + "data" + std::string(4, '\0') +
                    std::string(frames * 2, '\x11');
    Put32(s, 16, 3); // an odd size, padded to 4
    Put32(s, 28, 16);
    Put16(s, 32, 1);     // PCM
    Put16(s, 34, 1);     // channels
    Put32(s, 36, 8000);  // samples per second
    Put32(s, 40, 16000); // bytes per second
    Put16(s, 44, 2);     // block align
    Put16(s, 46, 16);    // bits
    Put32(s, 52, frames * 2);
    Put32(s, 4, static_cast<uint32_t>(s.size() - 8));
    return s;
}

TEST(WaveFormat, AcceptsPlainPcmAndDescribesIt)
{
    TWaveFormat format;
    ASSERT_TRUE(ReadWaveFormat(Wave(), format));
    EXPECT_EQ(format.Channels, 1);
    EXPECT_EQ(format.SamplesPerSecond, 8000);
    EXPECT_EQ(format.BitsPerSample, 16);
    EXPECT_EQ(format.DataBytes, 8u);
    EXPECT_TRUE(ReadWaveFormat(Wave() + std::string(3, '\0'), format)); // padding after the block
}

TEST(WaveFormat, RefusesWhatThePlayerWouldMisread)
{
    const struct {
        const char* Fault;
        std::function<void(std::string&)> Break;
    } cases[] = {
        {"empty", [](std::string& s) { s.clear(); }},
        {"not RIFF", [](std::string& s) { s[0] = 'X'; }},
        {"not WAVE", [](std::string& s) { s[8] = 'X'; }},
        {"block longer than the bytes", [](std::string& s) { Put32(s, 4, static_cast<uint32_t>(s.size())); }},
        {"cut short", [](std::string& s) { s.resize(s.size() - 1); }},
        {"chunk beyond the block", [](std::string& s) { Put32(s, 16, 0xFFFFFFF0u); }},
        {"data beyond the block", [](std::string& s) { Put32(s, 52, 10); }},
        {"compressed", [](std::string& s) { Put16(s, 32, 2); }},
        {"three channels", [](std::string& s) { Put16(s, 34, 3); }},
        {"24 bits", [](std::string& s) { Put16(s, 46, 24); }},
        {"no samples per second", [](std::string& s) { Put32(s, 36, 0); }},
        {"wrong block align", [](std::string& s) { Put16(s, 44, 4); }},
        {"wrong byte rate", [](std::string& s) { Put32(s, 40, 8000); }},
        {"short fmt", [](std::string& s) { Put32(s, 28, 14); }},
        {"no fmt before data", [](std::string& s) { s.replace(24, 4, "fmX "); }},
        {"no data", [](std::string& s) { s.replace(48, 4, "datX"); }},
        {"half a frame", [](std::string& s) {
             Put32(s, 52, 7);
             s.resize(s.size() - 1);
             Put32(s, 4, static_cast<uint32_t>(s.size() - 8));
         }},
    };
    for (const auto& c : cases) {
        std::string bytes = Wave();
        c.Break(bytes);
        TWaveFormat format;
        EXPECT_FALSE(ReadWaveFormat(bytes, format)) << c.Fault;
    }
    TWaveFormat format;
    EXPECT_FALSE(ReadWaveFormat(Wave(0), format)) << "no samples";
}

// The sounds the program plays, as the build embeds them.
TEST(WaveFormat, EverySoundOfTheProgramIsASmallDistinctWave)
{
    const char* names[] = {"diClassesDropDownSound", "diClassesValueSound",       "diClassesItemSound",
                           "diClassesElementSound",  "diClassesDisableSound",     "diExpandButtonExpandSound",
                           "diExpandButtonCollapseSound", "diLogMessageSound"};
    std::set<std::string> seen;
    for (const char* name : names) {
        const std::string bytes = ReadWholeFile(Utf8ToString(std::string(QUILLORA_TEST_DATA "/../../resources/sounds/") +
                                                             name + ".wav"));
        TWaveFormat format;
        EXPECT_TRUE(ReadWaveFormat(bytes, format)) << name;
        EXPECT_LE(bytes.size(), 16u * 1024) << name;
        EXPECT_TRUE(seen.insert(bytes).second) << name << " sounds like another";
    }
}

} // namespace
} // namespace quillora
