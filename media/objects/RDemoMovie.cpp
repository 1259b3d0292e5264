#include "media/objects/RDemoMovie.h"

#include <algorithm>
#include <vector>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"

namespace pm = plat::media;

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
    if (!record || record->busy_ || !record->world_) return;
    MrPixMap* map = qtWorldPixMap(record->world_);
    const u8* base = map ? qtPixelBase(map) : nullptr;
    if (!base) return;
    const i16 width = i16(record->movieRect_.right), height = i16(record->movieRect_.bottom);
    const Rect16 placed{x, y, i16(x + width), i16(y + height)};
    Rect16 shown = placed;
    if (!rectIntersect(&shown, area_)) return;
    GfxPort* target = port ? port : port_;
    if (!target) {
        const SprScreen* screen = sprScreen();
        target = screen ? screen->workPort : nullptr;
    }
    if (!target) return;
    // The part inside the area, in rows of the stride the drawing call expects.
    const i32 shownWidth = shown.right - shown.left, shownHeight = shown.bottom - shown.top;
    const i32 stride = pm::paddedRowBytes(shownWidth, 16);
    std::vector<u8> rows(size_t(stride) * size_t(shownHeight));
    for (i32 row = 0; row < shownHeight; ++row) {
        const u8* from = base + i64(shown.top - y + row) * map->rowBytes + i64(shown.left - x) * 2;
        std::copy(from, from + shownWidth * 2, rows.data() + size_t(row) * size_t(stride));
    }
    GfxPort* previous = gfxSetPort(target);
    gfxDrawPixelBuffer(shown, rows.data(), 16);
    gfxSetPort(previous);
    record->drawn_ = 1;
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
