#pragma once
// DefineSound, StartSound and the sound-use block that StartSound and each entry of
// DefineButtonSound keep: u16 sound id; when it is not 0, u32 in point, u32 out point,
// u16 loop count, u8 the file's flags, u8 envelope points, then per point u32 position and
// the left and right levels as u32, doubled (the file's 0..32768 become 0..65536).
#include <memory>

#include "media/swf/Block.h"
#include "media/swf/Codec.h"
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

// The sound-use block's settings; a missing or empty block gives sound id 0.
struct SoundInfo {
    u16 soundId = 0;
    u32 inPoint = 0;   // samples at 44100 Hz
    u32 outPoint = 0;  // samples at 44100 Hz, 0 = the end
    u16 loops = 0;
    u8 flags = 0;
};
SoundInfo ParseSoundUse(const Block& use);
Result MakeSoundUse(const SoundInfo& info, Block& use);

Result ReadSoundUse(stream& in, Block& use);
// An empty block writes the sound id 0 alone.
Result WriteSoundUse(stream& out, const Block& use);

// The rates the movie format can name.
bool IsSoundRate(u32 rate);

// The raw sample store of a sound, read through its codec. The tag lives with its document:
// its interfaces count no references and its Destroy does nothing.
class tagDefineSound : public tagObject, public i_wavebyte, public i_wavedata {
public:
    tagDefineSound() : tagObject(kTagDefineSound) {}

    Result ReadBody(stream& in, u32 length) override;
    // Rates the format cannot name are refused rather than written as another rate.
    Result Write(stream& out) override;
    // Takes a copy of the data and makes the codec for the format.
    Result SetSamples(const u8* data, u32 size);

    u32 AddRef() override { return 1; }
    Result QueryInterface(const std::type_info& id, void** out) override;
    u32 Release() override { return 1; }
    Result ReadBytes(u32 offset, u32 length, u8* bytes, u32& copied) override;
    void Destroy() override {}
    // ADPCM decodes to 16-bit samples.
    Result GetFormat(u16& channels, u16& bitsPerSample, u32& sampleRate, u32& sampleCount) override;
    Result ReadSamples(u32 position, u32 count, void* samples) override;

    u8 format = 0;
    u32 rate = 0;  // Hz
    u8 bitsPerSample = 8;
    u8 channels = 1;
    u32 sampleCount = 0;
    const Block& Samples() const { return samples_; }

private:
    Result MakeCodec();

    Block samples_;
    std::unique_ptr<codec> codec_;
};

class tagStartSound : public tagAction {
public:
    tagStartSound() : tagAction(kTagStartSound) {}

    Result ReadBody(stream& in, u32 length) override;
    Result Write(stream& out) override;
    Result Apply(movie& timeline) override;

    const Block& Use() const { return use_; }
    Block& MutableUse() { return use_; }
    Result SetUse(const SoundInfo& info) { return MakeSoundUse(info, use_); }

private:
    Block use_;
};

}  // namespace swf
