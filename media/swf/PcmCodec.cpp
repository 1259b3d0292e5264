#include "media/swf/PcmCodec.h"

#include <cstring>

#include "engine/base/ByteOrder.h"

namespace swf {

pcmcodec::pcmcodec(i_wavebyte& source, u32 channels, u32 bitsPerSample)
    : source_(source), channels_(channels), bitsPerSample_(bitsPerSample),
      blockSize_(bitsPerSample / 8 * channels) {}

Result pcmcodec::Seek(u32 position) {
    position_ = position;
    return kOk;
}

Result pcmcodec::Decode(void* samples, u32 count) {
    if (!samples || count == 0) return kOk;
    const u64 offset = u64(position_) * blockSize_;
    const u64 length = u64(count) * blockSize_;
    u8* bytes = static_cast<u8*>(samples);
    u32 copied = 0;
    Result result = kOk;
    if (offset <= 0xFFFFFFFFu && length <= 0xFFFFFFFFu)
        result = source_->ReadBytes(u32(offset), u32(length), bytes, copied);
    std::memset(bytes + copied, bitsPerSample_ == 8 ? 0x80 : 0, size_t(length - copied));
    if (bitsPerSample_ == 16) {
        i16* out = static_cast<i16*>(samples);
        for (u64 i = 0; i < length / 2; ++i) out[i] = i16(readLE16(bytes + 2 * i));
    }
    return result;
}

}  // namespace swf
