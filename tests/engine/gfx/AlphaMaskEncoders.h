#pragma once
// Alpha masks in their stored form, written field by field: the big-endian header (width,
// height, row bytes, flags), then plain rows, or run-length rows each behind its byte count.
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/DrawColoredAlphaMask.h"

namespace alphamask {

using Bytes = std::vector<u8>;

inline Bytes header(u16 width, u16 height, u16 rowBytes, u16 flags) {
    Bytes b(8);
    writeBE16(b.data(), width);
    writeBE16(b.data() + 2, height);
    writeBE16(b.data() + 4, rowBytes);
    writeBE16(b.data() + 6, flags);
    return b;
}

inline Bytes plainMask(u16 width, const std::vector<Bytes>& rows) {
    Bytes b = header(width, u16(rows.size()), width, 0);
    for (const Bytes& r : rows) b.insert(b.end(), r.begin(), r.end());
    return b;
}

inline Bytes codedMask(u16 width, const std::vector<Bytes>& rows) {
    Bytes b = header(width, u16(rows.size()), width, kAlphaMaskRunLength);
    for (const Bytes& r : rows) {
        b.push_back(u8(r.size() >> 8));
        b.push_back(u8(r.size()));
        b.insert(b.end(), r.begin(), r.end());
    }
    return b;
}

}  // namespace alphamask
