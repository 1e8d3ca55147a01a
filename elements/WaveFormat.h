#pragma once
// The wave sounds that the program plays from memory: a RIFF "WAVE" block of plain PCM.
// The platform's player reads the block by the sizes written in it, so a block is
// checked against its real length before it is handed over.

#include <cstdint>
#include <string_view>

namespace quillora {

struct TWaveFormat {
    int Channels = 0;
    int SamplesPerSecond = 0;
    int BitsPerSample = 0;
    uint32_t DataBytes = 0; // the sample data, whole frames
};

// True when `bytes` hold a RIFF "WAVE" block whose every chunk lies inside `bytes`, with
// a PCM "fmt " chunk (one or two channels, 8 or 16 bits, 1 to 192,000 samples per
// second, consistent block and byte rates) followed by a non-empty "data" chunk of whole
// frames; `format` then describes it. Bytes after the block are allowed (padding).
bool ReadWaveFormat(std::string_view bytes, TWaveFormat& format);

} // namespace quillora
