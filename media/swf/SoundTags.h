#pragma once
// DefineSound, StartSound and the sound-use block that StartSound and each entry of
// DefineButtonSound keep: u16 sound id; when it is not 0, u32 in point, u32 out point,
// u16 loop count, u8 the file's flags, u8 envelope points, then per point u32 position and
// the left and right levels as u32, doubled (the file's 0..32768 become 0..65536).
#include "media/swf/Block.h"
#include "media/swf/Tag.h"

namespace swf {

constexpr u8 kSoundHasInPoint = 0x01;
constexpr u8 kSoundHasOutPoint = 0x02;
constexpr u8 kSoundHasLoops = 0x04;
constexpr u8 kSoundHasEnvelope = 0x08;
constexpr u8 kSoundNoMultiple = 0x10;
constexpr u8 kSoundStop = 0x20;

constexpr u8 kSoundFormatRaw = 0;
constexpr u8 kSoundFormatAdpcm = 1;

Result ReadSoundUse(stream& in, Block& use);
// An empty block writes the sound id 0 alone.
Result WriteSoundUse(stream& out, const Block& use);

class tagDefineSound : public tagObject {
public:
    tagDefineSound() : tagObject(kTagDefineSound) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    u8 format = 0;
    u32 rate = 0;  // Hz
    u8 bitsPerSample = 8;
    u8 channels = 1;
    u32 sampleCount = 0;
    const Block& Samples() const { return samples_; }

private:
    Block samples_;
};

class tagStartSound : public tagAction {
public:
    tagStartSound() : tagAction(kTagStartSound) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;

    const Block& Use() const { return use_; }

private:
    Block use_;
};

}  // namespace swf
