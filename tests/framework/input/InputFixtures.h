#pragma once
// An input object that logs every call it gets, answers as the test tells it, and may run an
// action from inside a call.
#include <functional>
#include <string>
#include <vector>

#include "framework/input/RInputObject.h"

namespace fwtest {

using Log = std::vector<std::string>;

class Probe : public Ostrel::RInputObject {
public:
    Probe(Log& log, std::string name) : log_(log), name_(std::move(name)) {}

    u32 HandleKey(u32 key) override { return note("key" + std::to_string(keyRecordCharacter(key))); }
    u32 HandleKeyUp(u32 key) override { return note("up" + std::to_string(keyRecordCharacter(key))); }
    u32 HandleInput(u32, Point16 p, u32) override { return note("down" + at(p)); }
    u32 HandleMouseUp(u32, Point16 p, u32) override { return note("release" + at(p)); }
    u32 HandleMouseMove(Point16 p, u32) override { return note("move" + at(p)); }
    void HandleNotification(const Ostrel::RInputEvent& event) override {
        lastNotice = event;
        note("told" + std::to_string(event.kind));
    }
    void HandleTick(u32 now) override { note("tick" + std::to_string(now)); }
    void HandleActivation(u32 state) override { note("active" + std::to_string(state)); }

    u32 answer = 0;
    std::function<void()> action;
    Ostrel::RInputEvent lastNotice;

private:
    static std::string at(Point16 p) { return std::to_string(p.h) + "," + std::to_string(p.v); }
    u32 note(const std::string& what) {
        log_.push_back(name_ + ":" + what);
        if (action) action();
        return answer;
    }
    Log& log_;
    std::string name_;
};

}  // namespace fwtest
