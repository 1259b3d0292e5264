#include "engine/audio/format/AdpcmSeekTable.h"

#include <algorithm>

#include "engine/base/ByteOrder.h"

bool parseAdpcmSeekTable(std::span<const u8> data, u16 channels, std::vector<AdpcmSeekEntry>* entries) {
    if (data.size() < 4) return false;
    const u16 count = readBE16(data.data());
    const u16 stored = readBE16(data.data() + 2);
    if (stored != channels || channels < 1 || channels > 2) return false;
    const size_t entryBytes = 4 + 4 * size_t(channels);
    if ((data.size() - 4) / entryBytes < count) return false;
    std::vector<AdpcmSeekEntry> result(count);
    const u8* p = data.data() + 4;
    for (AdpcmSeekEntry& entry : result) {
        entry.frame = readBE32(p);
        for (u16 c = 0; c < channels; ++c) {
            entry.channels[c].predictor = i16(readBE16(p + 4 + 4 * c));
            entry.channels[c].index = std::min(readBE16(p + 6 + 4 * c), kImaMaxStepIndex);
        }
        p += entryBytes;
    }
    *entries = std::move(result);
    return true;
}

std::vector<u8> writeAdpcmSeekTable(std::span<const AdpcmSeekEntry> entries, u16 channels) {
    std::vector<u8> out(4 + entries.size() * (4 + 4 * size_t(channels)));
    writeBE16(out.data(), u16(entries.size()));
    writeBE16(out.data() + 2, channels);
    u8* p = out.data() + 4;
    for (const AdpcmSeekEntry& entry : entries) {
        writeBE32(p, entry.frame);
        for (u16 c = 0; c < channels; ++c) {
            writeBE16(p + 4 + 4 * c, u16(entry.channels[c].predictor));
            writeBE16(p + 6 + 4 * c, entry.channels[c].index);
        }
        p += 4 + 4 * channels;
    }
    return out;
}
