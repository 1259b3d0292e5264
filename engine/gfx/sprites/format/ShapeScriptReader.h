#pragma once
// Reads the records of a converted shape script at play time, from a position up to the next
// wait, the end or the last part a frame may hold, handing each record's meaning to the
// caller. Positions come from the player and scripts from files: every read stays inside the
// script, and a record that would reach past it ends the script like an end record. Each
// record moves the position on by at least two bytes, so a reading always ends. Pure: any
// thread may call.
#include <span>

#include "engine/base/EngineTypes.h"

class ShapeScriptEvents {
public:
    virtual ~ShapeScriptEvents() = default;
    // A part of the frame: the frame number's top four bits are dropped.
    virtual void part(u16 frame, i16 dx, i16 dy) = 0;
    // A sound record: its id already has the script's sound base added; slot is word 2.
    virtual void sound(u16 soundId, u16 slot) = 0;
    virtual void timing(i16 milliseconds) = 0;
    // False when the reading must stop after this record: whoever was told may have let the
    // script go.
    virtual bool event(u16 value) = 0;
    virtual void palette(u16 request) = 0;
};

struct ShapeScriptRead {
    // A frame record was read (also one with no parts).
    bool frame;
    // The end was reached: an end record, a zero-length record or the end of the script. The
    // position is left on it.
    bool ended;
};

// Reads from *position, which receives where reading stopped; at most `maxParts` parts, the
// rest of a frame record that reaches the limit being passed over.
ShapeScriptRead shapeScriptRead(std::span<const u8> script, u32* position, u16 maxParts, ShapeScriptEvents& events);
