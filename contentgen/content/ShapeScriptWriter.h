#pragma once
// Shape scripts ('tSCR'): the 26-byte header (sound base, default rectangle) and the records
// the sprite layer plays: frames of parts, timings, waits, sounds, then the end.
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

struct ShapePart {
    u16 frame;
    i16 dx;
    i16 dy;
};

class ShapeScriptWriter {
public:
    ShapeScriptWriter(const Rect16& rect, u16 soundBase);
    void frame(const std::vector<ShapePart>& parts);
    void timing(i16 milliseconds);
    void wait();
    void sound(u16 soundId, u16 slot);
    // The finished script, with its end record.
    std::vector<u8> finish() const;

private:
    void record(u8 type, std::initializer_list<u16> words);
    std::vector<u8> bytes_;
};
