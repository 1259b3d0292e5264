#pragma once
// Uncompressed samples: 8-bit unsigned or 16-bit signed little-endian, channels interleaved.
#include "media/swf/Codec.h"

namespace swf {

class pcmcodec : public codec {
public:
    pcmcodec(i_wavebyte& source, u32 channels, u32 bitsPerSample);

    // The position is not moved: every caller seeks first.
    Result Decode(void* samples, u32 count) override;
    Result Seek(u32 position) override;

private:
    SourceReference source_;
    u32 channels_;
    u32 bitsPerSample_;
    u32 blockSize_;
    u32 position_ = 0;
};

}  // namespace swf
