#pragma once
// The message record that user-interface objects exchange. Codes are numbers (command and
// button ids) or four-character codes ('born', 'kild'). Parameter 1 often carries a pointer
// to an object that outlives the record, so it is pointer-sized; memory made for the receiver
// travels as the record's payload instead, owned by the record. The sender and target are the
// objects themselves.
#include <cstdint>
#include <memory>
#include <utility>

#include "engine/base/EngineTypes.h"
#include "engine/regions/Rects.h"
#include "framework/messaging/RMessagePayload.h"

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
    std::shared_ptr<const RMessagePayload> payload;

    // The record takes `value` as its payload, replacing any it held.
    template <typename T>
    void Carry(T value) {
        payload = std::make_shared<const RPayloadOf<T>>(std::move(value));
    }
    // The payload as a T; null when there is none or it is of another type.
    template <typename T>
    const T* Payload() const {
        const auto* held = dynamic_cast<const RPayloadOf<T>*>(payload.get());
        return held ? &held->Value() : nullptr;
    }
};

}  // namespace Ostrel
