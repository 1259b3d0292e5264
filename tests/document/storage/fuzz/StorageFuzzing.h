#pragma once
// What the stored-format fuzz targets share: whatever a reader accepts must be written again
// to the very bytes it came from; and a copy of the input whose count field is set to what
// the input's length holds, so that most inputs get past the length checks to the checks of
// the entries themselves.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <span>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/base/EngineTypes.h"

namespace storagefuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

// Reads `input` into *parsed; when that succeeds, writing *parsed must give back `input`.
template <typename Record, typename Parse, typename Write>
bool roundTrip(std::span<const u8> input, Record* parsed, Parse parse, Write write) {
    if (parse(input, parsed) != kErrNone) return false;
    std::vector<u8> again;
    require(write(*parsed, &again) == kErrNone);
    require(std::equal(again.begin(), again.end(), input.begin(), input.end()));
    return true;
}

// A count field: where it lies, its width (2 or 4 bytes), and how many bytes one counted
// entry takes after the `headerSize` bytes of fixed fields.
struct CountField {
    size_t offset;
    size_t width;
    size_t headerSize;
    size_t entrySize;
};

// `input` cut to whole entries, its count set to how many it then holds (as many as the field
// counts); empty when the input is shorter than the fixed fields.
inline std::vector<u8> withFittedCount(std::span<const u8> input, const CountField& field) {
    if (input.size() < field.headerSize) return {};
    const size_t most = field.width == 2 ? 0xFFFF : 0xFFFFFFFF;
    const size_t count = std::min((input.size() - field.headerSize) / field.entrySize, most);
    std::vector<u8> fitted(input.begin(), input.begin() + std::ptrdiff_t(field.headerSize + count * field.entrySize));
    if (field.width == 2) writeBE16(fitted.data() + field.offset, u16(count));
    else writeBE32(fitted.data() + field.offset, u32(count));
    return fitted;
}

}  // namespace storagefuzz
