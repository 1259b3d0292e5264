#include "contentgen/content/ShapeScriptWriter.h"

#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/format/ShapeScriptFormat.h"

namespace {

void push16(std::vector<u8>& v, u16 w) {
    v.push_back(u8(w >> 8));
    v.push_back(u8(w));
}

}  // namespace

ShapeScriptWriter::ShapeScriptWriter(const Rect16& rect, u16 soundBase) : bytes_(kShapeScriptFirstRecord, 0) {
    writeBE16(bytes_.data() + kShapeScriptSoundBase, soundBase);
    writeBE16(bytes_.data() + kShapeScriptRect, u16(rect.left));
    writeBE16(bytes_.data() + kShapeScriptRect + 2, u16(rect.top));
    writeBE16(bytes_.data() + kShapeScriptRect + 4, u16(rect.right));
    writeBE16(bytes_.data() + kShapeScriptRect + 6, u16(rect.bottom));
}

void ShapeScriptWriter::frame(const std::vector<ShapePart>& parts) {
    bytes_.push_back(kShapeRecordFrame);
    bytes_.push_back(u8(parts.size()));
    for (const ShapePart& p : parts) {
        push16(bytes_, p.frame);
        push16(bytes_, u16(p.dx));
        push16(bytes_, u16(p.dy));
    }
}

void ShapeScriptWriter::record(u8 type, std::initializer_list<u16> words) {
    bytes_.push_back(type);
    bytes_.push_back(u8(2 + 2 * words.size()));
    for (u16 w : words) push16(bytes_, w);
}

void ShapeScriptWriter::timing(i16 milliseconds) { record(kShapeRecordTiming, {u16(milliseconds)}); }
void ShapeScriptWriter::wait() { record(kShapeRecordWait, {}); }
void ShapeScriptWriter::sound(u16 soundId, u16 slot) { record(kShapeRecordSound, {soundId, slot}); }

std::vector<u8> ShapeScriptWriter::finish() const {
    std::vector<u8> out = bytes_;
    out.push_back(kShapeRecordEnd);
    out.push_back(2);
    return out;
}
