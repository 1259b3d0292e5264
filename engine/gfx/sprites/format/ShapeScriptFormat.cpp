#include "engine/gfx/sprites/format/ShapeScriptFormat.h"

#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/format/ShapeErrors.h"

namespace {

constexpr u32 kRecordHeader = 2;

// Walks the records and calls `words(offset, count)` for the words of each; false when the
// script is damaged.
template <typename Words>
bool walkRecords(std::span<const u8> script, Words words) {
    size_t pos = kShapeScriptFirstRecord;
    for (;;) {
        if (script.size() - pos < kRecordHeader) return false;
        const u8 type = script[pos], length = script[pos + 1];
        size_t size;
        if (type == kShapeRecordFrame) {
            size = kRecordHeader + size_t(length) * kShapePartSize;
        } else if (length == 0) {
            return true;
        } else {
            if (length < kRecordHeader || (length & 1)) return false;
            size = length;
        }
        if (script.size() - pos < size) return false;
        words(pos + kRecordHeader, (size - kRecordHeader) / 2);
        if (type == kShapeRecordEnd) return true;
        pos += size;
    }
}

}  // namespace

EngineErr shapeScriptConvert(std::span<u8> script) {
    if (script.size() < kShapeScriptFirstRecord || !walkRecords(script, [](size_t, size_t) {}))
        return kShapeErrDamagedScript;
    for (u32 i = 0; i < kShapeScriptHeaderWords; ++i) swapInPlace16(script.data() + 2 * i);
    walkRecords(script, [&](size_t offset, size_t count) {
        for (size_t i = 0; i < count; ++i) swapInPlace16(script.data() + offset + 2 * i);
    });
    return kErrNone;
}

void shapeOffsetTableConvert(std::span<u8> table) {
    for (size_t i = 0; i + 1 < table.size(); i += 2) swapInPlace16(table.data() + i);
}

u16 shapeOffsetTableEntry(std::span<const u8> table, u16 frame) {
    const size_t at = size_t(frame) * 2;
    return at + 2 <= table.size() ? readLE16(table.data() + at) : 0;
}
