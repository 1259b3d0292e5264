// libFuzzer target: any bytes loaded as a shape group (compressed or not), a script or an
// offset table are refused or converted, and every frame of a converted group lies inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/gfx/sprites/format/ShapeGroupFormat.h"
#include "engine/gfx/sprites/format/ShapeScriptFormat.h"

namespace {

// Groups larger than this are not worth expanding in a fuzz run.
constexpr u32 kMaxExpanded = 1u << 20;

void loadGroup(std::vector<u8> group) {
    if (shapeGroupIsCompressed(group)) {
        ShapeGroupStream stream{};
        if (shapeGroupReadStream(group, &stream) != kErrNone || stream.decodedSize > kMaxExpanded) return;
        std::vector<u8> out(kShapeGroupHeaderSize + stream.decodedSize);
        if (shapeGroupExpand(group, stream, out) != kErrNone) return;
        if (shapeGroupIsCompressed(out)) std::abort();
        group = std::move(out);
    }
    if (shapeGroupConvertTable(group) != kErrNone) return;
    for (u32 frame = 0; frame <= u32(shapeGroupFrameCount(group)) + 1; ++frame) {
        std::span<u8> f = shapeGroupFrame(group, u16(frame));
        bool expected = frame >= 1 && frame <= shapeGroupFrameCount(group);
        if (f.empty() == expected) std::abort();
        if (!f.empty() && (f.data() < group.data() || f.data() + f.size() != group.data() + group.size())) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<u8> bytes(data, data + size);
    loadGroup(bytes);
    std::vector<u8> script = bytes;
    if (shapeScriptConvert(script) != kErrNone && script != bytes) std::abort();
    shapeOffsetTableConvert(bytes);
    for (u32 frame = 0; frame < 70000; frame += 997) shapeOffsetTableEntry(bytes, u16(frame));
    return 0;
}
