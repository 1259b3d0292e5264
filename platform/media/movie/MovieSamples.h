#pragma once
// Sample descriptions of sound media: 16 bytes, big-endian: 'twos', channel count (u16), bits
// per sample (u16, 16), sample rate in Hz (u32), 4 reserved bytes. The samples are big-endian
// signed 16-bit frames, channels interleaved; one media unit is one frame.
#include <cstdint>
#include <vector>

#include "platform/media/MediaRuntimeAbi.h"

namespace plat::media {

constexpr uint32_t kSoundDescriptionSize = 16;
constexpr uint32_t kSoundFormatTwos = 0x74776F73;  // 'twos'

struct SoundFormat {
    uint16_t channels = 1;
    uint32_t rate = 22050;
};

std::vector<uint8_t> soundDescription(const SoundFormat& format);
// False for a description we cannot play (too short, another format, 0 or more than 2 channels).
bool readSoundDescription(const uint8_t* data, size_t size, SoundFormat* format);

}  // namespace plat::media
