#include "media/objects/RDemoMovie.h"

namespace {

struct Slot {
    std::unique_ptr<RDemoMovie> demo;
    u64 token = 0;
    u64 lastToken = 0;
};

Slot& slot() {
    static Slot held;
    return held;
}

}  // namespace

RDemoMovie::~RDemoMovie() {
    current_ = nullptr;
    records_.clear();
}

void RDemoMovie::Draw(DemoMovieObj* record, i16 x, i16 y, GfxPort* port) {
    if (record) record->DrawWorld(x, y, area_, port ? port : port_);
}

RDemoMovie* demoMovieSlot() { return slot().demo.get(); }

u64 demoMovieSetSlot(std::unique_ptr<RDemoMovie> demo) {
    Slot& held = slot();
    std::unique_ptr<RDemoMovie> old = std::move(held.demo);
    held.token = 0;
    old.reset();
    held.demo = std::move(demo);
    held.token = held.demo ? ++held.lastToken : 0;
    return held.token;
}

u64 demoMovieSlotToken() { return slot().token; }

DemoMovieObj* demoMovieSlotRecord(u64 token) {
    const Slot& held = slot();
    return token != 0 && token == held.token ? held.demo->current() : nullptr;
}
