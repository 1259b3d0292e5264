#pragma once
// Synthetic QuickTime movies for the atom walk: atoms built from their type and children, so
// a test reads as the movie's outline.
#include <string>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/EngineTypes.h"

namespace testmovie {

using Bytes = std::vector<u8>;

inline Bytes atom(const char* type, const Bytes& body = {}) {
    Bytes out(8);
    writeBE32(out.data(), u32(8 + body.size()));
    for (int i = 0; i < 4; ++i) out[4 + i] = u8(type[i]);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// A chunk-offset table: version and flags, the count (which may claim more than is there),
// then the entries.
inline Bytes chunkOffsets(const char* type, u32 count, const std::vector<u32>& entries) {
    Bytes body(8 + 4 * entries.size());
    writeBE32(body.data() + 4, count);
    for (size_t i = 0; i < entries.size(); ++i) writeBE32(body.data() + 8 + 4 * i, entries[i]);
    return atom(type, body);
}

inline Bytes track(const Bytes& sampleTable) {
    return atom("trak", join({atom("tkhd", Bytes(12)),
                              atom("mdia", atom("minf", atom("stbl", join({atom("stsd", Bytes(8)), sampleTable}))))}));
}

inline Bytes movie(std::initializer_list<Bytes> tracks) {
    Bytes body = atom("mvhd", Bytes(16));
    for (const Bytes& t : tracks) body.insert(body.end(), t.begin(), t.end());
    return atom("moov", body);
}

}  // namespace testmovie
