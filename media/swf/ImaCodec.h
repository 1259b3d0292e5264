#pragma once
// The movie format's ADPCM: IMA steps with 2- to 5-bit codes, read most significant bit first.
// The stream starts with the code size; every 4096 frames each channel starts a packet with a
// 16-bit sample and a 6-bit step index. Output is 16-bit signed, channels interleaved.
#include "media/swf/Codec.h"

namespace swf {

class imacodec : public codec {
public:
    imacodec(i_wavebyte& source, u32 channels);

    Result Decode(void* samples, u32 count) override;
    // Backwards starts again from the first packet; forwards decodes the frames between.
    Result Seek(u32 position) override;

    static constexpr u32 kPacketFrames = 4096;

private:
    void Reset();
    // False once the data is used up; the decoder then gives silence.
    bool ReadBits(u32 count, u32& value);
    bool Fill();

    SourceReference source_;
    u32 channels_;
    u32 bytePosition_ = 0;
    u32 codeBits_ = 0;
    u32 signMask_ = 0;
    u32 magnitudeMask_ = 0;
    u32 decoded_ = 0;
    const i8* indexTable_ = nullptr;
    u64 bitBuffer_ = 0;
    u32 bitCount_ = 0;
    bool exhausted_ = false;
    i32 predicted_[2] = {};
    i32 stepIndex_[2] = {};
    u8 input_[256];
    u32 inputLength_ = 0;
    u32 inputAt_ = 0;
};

}  // namespace swf
