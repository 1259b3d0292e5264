#include "engine/gfx/sprites/format/ShapeScriptReader.h"

#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/format/ShapeScriptFormat.h"

namespace {

constexpr u16 kFrameNumberMask = 0x0FFF;

// Converted scripts hold their words in machine order.
u16 word(std::span<const u8> script, u32 at) { return at + 2 <= script.size() ? readLE16(script.data() + at) : 0; }

// Word `index` (from 1) of the record at `at`; 0 for a word the record does not hold.
u16 recordWord(std::span<const u8> script, u32 at, u8 length, u32 index) {
    return 2 + 2 * index <= length ? word(script, at + 2 * index) : 0;
}

}  // namespace

ShapeScriptRead shapeScriptRead(std::span<const u8> script, u32* position, u16 maxParts, ShapeScriptEvents& events) {
    ShapeScriptRead read{false, false};
    u32 at = *position;
    u16 parts = 0;
    for (;;) {
        if (at >= script.size() || script.size() - at < 2) {
            read.ended = true;
            break;
        }
        const u8 type = script[at], length = script[at + 1];
        if (type == kShapeRecordFrame) {
            const u32 next = at + 2 + kShapePartSize * length;
            if (next > script.size()) {
                read.ended = true;
                break;
            }
            read.frame = true;
            for (u32 i = 0; i < length && parts < maxParts; ++i, ++parts) {
                const u32 e = at + 2 + kShapePartSize * i;
                events.part(u16(word(script, e) & kFrameNumberMask), i16(word(script, e + 2)), i16(word(script, e + 4)));
            }
            at = next;
            if (parts >= maxParts) break;
            continue;
        }
        if (type == kShapeRecordEnd || length == 0 || length > script.size() - at) {
            read.ended = true;
            break;
        }
        if (type == kShapeRecordWait) {
            at += length;
            read.ended = script.size() - at >= 2 && script[at] == kShapeRecordEnd;
            break;
        }
        if (type == kShapeRecordSound)
            events.sound(u16(recordWord(script, at, length, 1) + word(script, kShapeScriptSoundBase)),
                         recordWord(script, at, length, 2));
        else if (type == kShapeRecordTiming)
            events.timing(i16(recordWord(script, at, length, 1)));
        else if (type == kShapeRecordPalette)
            events.palette(recordWord(script, at, length, 1));
        else if (type == kShapeRecordEvent && !events.event(recordWord(script, at, length, 2))) {
            at += length;
            break;
        }
        at += length;
    }
    *position = at;
    return read;
}
