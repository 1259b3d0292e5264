#include "media/swf/SoundTags.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/base/ByteOrder.h"
#include "media/swf/ImaCodec.h"
#include "media/swf/PcmCodec.h"

namespace swf {

namespace {

constexpr u32 kRates[] = {5512, 11025, 22050, 44100};
constexpr u32 kSoundHeaderSize = 7;

u32 RateCode(u32 rate) {
    for (u32 code = 0; code < 4; ++code)
        if (kRates[code] == rate) return code;
    return 4;
}

}  // namespace

bool IsSoundRate(u32 rate) { return RateCode(rate) < 4; }

SoundInfo ParseSoundUse(const Block& use) {
    SoundInfo info;
    const u8* data = use.Data();
    if (!data || use.Size() < 2) return info;
    info.soundId = readLE16(data);
    if (use.Size() < 14) return info;
    info.inPoint = readLE32(data + 2);
    info.outPoint = readLE32(data + 6);
    info.loops = readLE16(data + 10);
    info.flags = data[12];
    return info;
}

Result MakeSoundUse(const SoundInfo& info, Block& use) {
    mstream block(16);
    SWF_TRY(block.WriteU16(info.soundId));
    SWF_TRY(block.WriteU32(info.inPoint));
    SWF_TRY(block.WriteU32(info.outPoint));
    SWF_TRY(block.WriteU16(info.loops));
    SWF_TRY(block.WriteU8(u8(info.flags & ~kSoundHasEnvelope)));
    SWF_TRY(block.WriteU8(0));
    use.Take(block);
    return kOk;
}

Result ReadSoundUse(stream& in, Block& use) {
    u16 id = 0;
    SWF_TRY(in.ReadU16(id));
    mstream block(64);
    SWF_TRY(block.WriteU16(id));
    if (id != 0) {
        u8 flags = 0, points = 0;
        u32 inPoint = 0, outPoint = 0;
        u16 loops = 0;
        SWF_TRY(in.ReadU8(flags));
        if (flags & kSoundHasInPoint) SWF_TRY(in.ReadU32(inPoint));
        if (flags & kSoundHasOutPoint) SWF_TRY(in.ReadU32(outPoint));
        if (flags & kSoundHasLoops) SWF_TRY(in.ReadU16(loops));
        if (flags & kSoundHasEnvelope) SWF_TRY(in.ReadU8(points));
        SWF_TRY(block.WriteU32(inPoint));
        SWF_TRY(block.WriteU32(outPoint));
        SWF_TRY(block.WriteU16(loops));
        SWF_TRY(block.WriteU8(flags));
        SWF_TRY(block.WriteU8(points));
        for (u8 i = 0; i < points; ++i) {
            u32 position = 0;
            u16 left = 0, right = 0;
            SWF_TRY(in.ReadU32(position));
            SWF_TRY(in.ReadU16(left));
            SWF_TRY(in.ReadU16(right));
            SWF_TRY(block.WriteU32(position));
            SWF_TRY(block.WriteU32(u32(left) * 2));
            SWF_TRY(block.WriteU32(u32(right) * 2));
        }
    }
    use.Take(block);
    return kOk;
}

Result WriteSoundUse(stream& out, const Block& use) {
    const u8* data = use.Data();
    const u16 id = data ? readLE16(data) : 0;
    SWF_TRY(out.WriteU16(id));
    if (id == 0) return kOk;
    const u8 flags = data[12], points = data[13];
    SWF_TRY(out.WriteU8(flags));
    if (flags & kSoundHasInPoint) SWF_TRY(out.WriteU32(readLE32(data + 2)));
    if (flags & kSoundHasOutPoint) SWF_TRY(out.WriteU32(readLE32(data + 6)));
    if (flags & kSoundHasLoops) SWF_TRY(out.WriteU16(readLE16(data + 10)));
    if (!(flags & kSoundHasEnvelope)) return kOk;
    SWF_TRY(out.WriteU8(points));
    for (u8 i = 0; i < points; ++i) {
        const u8* point = data + 14 + 12 * i;
        SWF_TRY(out.WriteU32(readLE32(point)));
        SWF_TRY(out.WriteU16(u16(readLE32(point + 4) / 2)));
        SWF_TRY(out.WriteU16(u16(readLE32(point + 8) / 2)));
    }
    return kOk;
}

Result tagDefineSound::ReadBody(stream& in, u32 length) {
    if (length < kSoundHeaderSize) return kErrBadData;
    SWF_TRY(ReadCharacterId(in));
    u32 formatBits = 0, rateCode = 0, wide = 0, stereo = 0;
    SWF_TRY(in.ReadBits(4, formatBits));
    SWF_TRY(in.ReadBits(2, rateCode));
    SWF_TRY(in.ReadBits(1, wide));
    SWF_TRY(in.ReadBits(1, stereo));
    SWF_TRY(in.ReadU32(sampleCount));
    format = u8(formatBits);
    rate = kRates[rateCode];
    bitsPerSample = wide ? 16 : 8;
    channels = stereo ? 2 : 1;
    SWF_TRY(samples_.ReadFrom(in, length - kSoundHeaderSize));
    return MakeCodec();
}

Result tagDefineSound::MakeCodec() {
    codec_.reset();
    if (format == kSoundFormatRaw) codec_.reset(new (std::nothrow) pcmcodec(*this, channels, bitsPerSample));
    else if (format == kSoundFormatAdpcm) codec_.reset(new (std::nothrow) imacodec(*this, channels));
    else return kErrBadData;
    return codec_ ? kOk : kErrMemory;
}

Result tagDefineSound::SetSamples(const u8* data, u32 size) {
    mstream block(size + 16);
    SWF_TRY(block.WriteBytes(size, data));
    samples_.Take(block);
    return MakeCodec();
}

Result tagDefineSound::QueryInterface(const std::type_info& id, void** out) {
    if (SameInterface(id, typeid(i_object)) || SameInterface(id, typeid(i_wavedata))) {
        *out = static_cast<i_wavedata*>(this);
        return kOk;
    }
    *out = nullptr;
    return kErrNoInterface;
}

Result tagDefineSound::ReadBytes(u32 offset, u32 length, u8* bytes, u32& copied) {
    copied = 0;
    if (offset >= samples_.Size()) return kOk;
    copied = std::min(length, samples_.Size() - offset);
    std::memcpy(bytes, samples_.Data() + offset, copied);
    return kOk;
}

Result tagDefineSound::GetFormat(u16& channelCount, u16& bits, u32& sampleRate, u32& count) {
    channelCount = channels;
    bits = format == kSoundFormatAdpcm ? 16 : bitsPerSample;
    sampleRate = rate;
    count = sampleCount;
    return kOk;
}

Result tagDefineSound::ReadSamples(u32 position, u32 count, void* samples) {
    if (!codec_) return kErrBadData;
    SWF_TRY(codec_->Seek(position));
    return codec_->Decode(samples, count);
}

Result tagDefineSound::Write(stream& out) {
    if (!IsSoundRate(rate)) return kErrBadData;
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() -> Result {
        SWF_TRY(out.WriteU16(CharacterId()));
        SWF_TRY(out.WriteBits(4, format));
        SWF_TRY(out.WriteBits(2, RateCode(rate)));
        SWF_TRY(out.WriteBits(1, bitsPerSample == 16));
        SWF_TRY(out.WriteBits(1, channels == 2));
        SWF_TRY(out.WriteU32(sampleCount));
        return out.WriteBytes(samples_.Size(), samples_.Data());
    });
}

Result tagStartSound::ReadBody(stream& in, u32) { return ReadSoundUse(in, use_); }

Result tagStartSound::Write(stream& out) {
    return WriteTagWithBody(out, code_, HeaderForm::Compact, [&]() { return WriteSoundUse(out, use_); });
}

}  // namespace swf
