#pragma once
// A broadcaster that also posts: its records wait in the global message queue until the
// application's idle step delivers them, either to one target listener or, without a target,
// to every enabled listener of this sender. The four-character tag names the kind of sender
// ('TIMR', 'RApp', 'EASL'). Destroying a sender purges every queued record it posted.
// User-interface thread only.
#include <cstdint>
#include <utility>

#include "engine/base/EngineTypes.h"
#include "framework/messaging/CBroadcaster.h"
#include "framework/messaging/RMessage.h"

namespace Ostrel {

class RSender : public CBroadcaster {
public:
    explicit RSender(FourCC tag) : tag_(tag) {}
    ~RSender() override;

    FourCC GetTag() const { return tag_; }

    // To every enabled listener of this sender, later.
    void PostMessage(u32 code, uintptr_t param1 = 0, u16 param2 = 0);
    // To one listener, later.
    void PostMessageTo(CListener* target, u32 code, uintptr_t param1 = 0, u16 param2 = 0);
    // To one listener, later, with `value` as the record's payload.
    template <typename T>
    void PostValueTo(CListener* target, u32 code, T value, u16 param2) {
        RMessage message(code, 0, param2);
        message.target = target;
        message.Carry(std::move(value));
        PostRecord(message);
    }
    // A prepared record (its point and flags kept); the sender becomes this one.
    void PostRecord(const RMessage& message);

private:
    FourCC tag_;
};

}  // namespace Ostrel
