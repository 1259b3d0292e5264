// libFuzzer target: any stream given to either decoder is refused or decoded into exactly the
// asked size; what was decoded, coded again by our encoder, decodes back to the same bytes.
// Input: a method byte (low bit), a 16-bit output size, then the stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/gfx/sprites/format/ShapeEncoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const ShapeMethod method = (data[0] & 1) ? ShapeMethod::B : ShapeMethod::A;
    const size_t outSize = size_t(data[1]) << 8 | data[2];
    std::vector<u8> out(outSize);
    if (shapeDecode(method, std::span<const u8>(data + 3, size - 3), out) != kErrNone) return 0;
    const std::vector<u8> coded = shapeEncode(method, out);
    std::vector<u8> again(outSize);
    if (shapeDecode(method, coded, again) != kErrNone || again != out) std::abort();
    return 0;
}
