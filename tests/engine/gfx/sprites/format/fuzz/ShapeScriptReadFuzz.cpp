// libFuzzer target: any bytes read as a shape script, converted or not and from any start,
// keep every reading inside the script, within the part limit, and ending.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/gfx/sprites/format/ShapeScriptFormat.h"
#include "engine/gfx/sprites/format/ShapeScriptReader.h"

namespace {

constexpr u16 kMaxParts = 48;

class Counter : public ShapeScriptEvents {
public:
    void part(u16 frame, i16, i16) override {
        if (frame > 0x0FFF) std::abort();
        ++parts;
    }
    void sound(u16, u16) override {}
    void timing(i16) override {}
    bool event(u16) override { return true; }
    void palette(u16) override {}
    u32 parts = 0;
};

void play(const std::vector<u8>& script, u32 start) {
    u32 position = start;
    // Every reading moves on or ends, so a script's worth of readings reaches its end.
    for (size_t i = 0; i <= script.size() + 1; ++i) {
        Counter counter;
        const u32 before = position;
        const ShapeScriptRead read = shapeScriptRead(script, &position, kMaxParts, counter);
        if (counter.parts > kMaxParts) std::abort();
        if (position < before) std::abort();
        if (position > script.size() && position != before) std::abort();
        if (read.ended) return;
    }
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<u8> script(data, data + size);
    const u32 start = size >= 2 ? u32(data[0]) << 8 | data[1] : kShapeScriptFirstRecord;
    play(script, kShapeScriptFirstRecord);
    play(script, start);
    if (shapeScriptConvert(script) == kErrNone) play(script, kShapeScriptFirstRecord);
    return 0;
}
