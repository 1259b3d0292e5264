#pragma once
// A hot-spot client that logs the events it is told and answers a state, for the hot-spot
// list tests.
#include <string>
#include <vector>

#include "framework/input/RHotSpotClient.h"
#include "framework/input/RHotSpotItem.h"

namespace fwtest {

class FakeClient : public Ostrel::RHotSpotClient {
public:
    u16 HandleEvent(u16 event, bool) override {
        events.push_back(event);
        return 0;
    }
    void Show() override { hidden = false; }
    void Hide() override { hidden = true; }
    bool IsHidden() const override { return hidden; }
    void HotSpotGone() override { gone = true; }

    std::vector<u16> events;
    bool hidden = false;
    bool gone = false;
};

inline Ostrel::HSInfo rectInfo(Rect16 rect, u32 message, u16 group = 0, u16 kind = Ostrel::kHotSpotRect) {
    Ostrel::HSInfo info;
    info.rect = rect;
    info.message = message;
    info.group = group;
    info.kind = kind;
    return info;
}

}  // namespace fwtest
