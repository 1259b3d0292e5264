#include "platform/media/movie/MovieSamples.h"

#include "platform/media/ByteReader.h"

namespace plat::media {

std::vector<uint8_t> soundDescription(const SoundFormat& format) {
    std::vector<uint8_t> out;
    auto be = [&](uint32_t value, int bytes) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
    };
    be(kSoundFormatTwos, 4);
    be(format.channels, 2);
    be(16, 2);
    be(format.rate, 4);
    be(0, 4);
    return out;
}

bool readSoundDescription(const uint8_t* data, size_t size, SoundFormat* format) {
    ByteReader reader(data, size);
    const uint32_t kind = reader.be32();
    const uint16_t channels = reader.be16();
    const uint16_t bits = reader.be16();
    const uint32_t rate = reader.be32();
    reader.skip(4);
    if (!reader.ok() || kind != kSoundFormatTwos || bits != 16 || channels < 1 || channels > 2 || rate == 0)
        return false;
    if (format) *format = SoundFormat{channels, rate};
    return true;
}

}  // namespace plat::media
