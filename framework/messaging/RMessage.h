#pragma once
// The message record that user-interface objects exchange. Codes are numbers (command and
// button ids) or four-character codes ('born', 'kild'). Parameter 1 often carries a pointer,
// so it is pointer-sized; the sender and target are the objects themselves.
#include <cstdint>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"

class CListener;

namespace Ostrel {

class RSender;

struct RMessage {
    RMessage() = default;
    // Sender and target cleared; the sender fills itself in when it posts the record.
    RMessage(u32 code, uintptr_t param1, u16 param2) : code(code), param1(param1), param2(param2) {}

    u32 head = 0;
    i32 mark = -1;
    u32 code = 0;
    u8 flags[3] = {};
    // A point some messages carry, such as the mouse position of a synthetic move.
    Point16 point{0, 0};
    RSender* sender = nullptr;
    // Null: the record goes to every enabled listener of its sender.
    CListener* target = nullptr;
    uintptr_t param1 = 0;
    u16 param2 = 0;
    u16 tail = 0;
};

}  // namespace Ostrel
