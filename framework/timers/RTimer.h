#pragma once
// Delays and periodic ticks for user-interface objects without a timer thread: a started
// timer is an input object that the main window's tick polls with the program clock's time;
// once its deadline has passed it posts its message to its owner through the message queue
// (delivered later by the idle step). Time spent with the main window inactive does not
// count.
//
// Times are compared by their signed difference, so deadlines hold across the clock's wrap.
// A poll that comes late fires once; a periodic timer then counts its next deadline from the
// previous one, or from the poll when a whole period has passed meanwhile, so a stall never
// turns into a burst of messages. User-interface thread only.
#include <cstdint>

#include "engine/base/EngineTypes.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/RSender.h"

namespace Ostrel {

constexpr FourCC kTimerSenderTag = fourCC("TIMR");
constexpr u32 kTimerCodeStop = fourCC("Stop");
constexpr u32 kTimerCodeTimeOut = fourCC("TOut");
constexpr u32 kTimerOneShot = 0x1;
constexpr u32 kTimerPeriodic = 0x2;

class RTimer : public RSender, public CListener, public RInputObject {
public:
    RTimer(CListener* owner, u32 kind, u32 code, uintptr_t param1 = 0, u16 param2 = 0);
    ~RTimer() override;

    // A non-zero code or parameter replaces the stored one. Starting a running timer only
    // moves its deadline.
    virtual void Start(u32 intervalMs, u32 code = 0, uintptr_t param1 = 0, u16 param2 = 0);
    // Tells the timer's listeners at once ("Stop"), then stops; later polls do nothing. A
    // listener may delete the timer when it hears of it.
    void Stop();
    void Poll(u32 now);
    virtual void ShiftDeadline(u32 now);
    // Counts the next deadline from the previous one.
    virtual void Rearm();

    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    void HandleTick(u32 now) override { Poll(now); }
    void HandleActivation(u32 state) override;

    bool IsRunning() const { return running_; }
    bool IsEnabled() const { return enabled_; }
    u32 Deadline() const { return deadline_; }
    u32 Interval() const { return interval_; }

protected:
    CListener* owner_;
    u32 pausedAt_ = 0;
    bool enabled_ = true;
    u32 kind_;
    u32 deadline_ = 0;
    u32 interval_ = 0;
    bool running_ = false;
    u32 code_;
    uintptr_t param1_;
    u16 param2_;

private:
    // Set while Stop tells the listeners: the destructor marks it, so that Stop touches
    // nothing of a timer that a listener deleted.
    bool* destroyedDuringStop_ = nullptr;
};

}  // namespace Ostrel
