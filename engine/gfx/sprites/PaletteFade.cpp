#include "engine/gfx/sprites/PaletteFade.h"

#include <cstring>
#include <memory>

#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/sprites/SprHeldResource.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"

namespace {

constexpr u32 kHeaderSize = 4;
constexpr u32 kEntrySize = 4;
constexpr u16 kEntries = 256;
constexpr u16 kFadeUnusable = 1;

GfxPalette* currentPalette() {
    return gfxPaletteFromHandle(gfxGetPort() ? gfxGetPortPalette() : nullptr);
}

void writeEntries(const PaletteFade& fade, const GfxPaletteEntry* entries, bool ownFlags) {
    GfxColor colours[kEntries];
    for (u16 i = 0; i < fade.count; ++i) {
        const GfxPaletteEntry& e = entries[fade.first + i];
        colours[i] = GfxColor::rgb(e.red, e.green, e.blue, ownFlags ? e.flags : 0);
    }
    gfxSetPaletteEntries(fade.palette, fade.first, fade.count, colours);
    gfxRealizePalette(fade.palette, 1);
}

u8 between(u8 from, u8 to, i32 step) { return u8(i32(from) + (i32(to) - i32(from)) * step / 256); }

}  // namespace

bool PaletteFadeSetUp(PaletteFade* fade, u16 paletteId, u32 durationMs) {
    *fade = PaletteFade{};
    fade->palette = currentPalette();
    if (!fade->palette) return false;
    ResourceRef ref = 0;
    bool fresh = false;
    if (sprLoadResource(kPaletteResourceType, paletteId, &ref, &fresh) == 0) return false;
    SprHeld held = sprLockResource(ref);
    bool usable = held.data && held.size >= kHeaderSize;
    if (usable) {
        fade->first = readBE16(held.data);
        fade->count = readBE16(held.data + 2);
        usable = u32(fade->first) + fade->count <= kEntries && kHeaderSize + u64(fade->count) * kEntrySize <= held.size;
    }
    bool differs = false;
    if (usable) {
        std::memcpy(fade->current, fade->palette->entries, sizeof fade->current);
        std::memcpy(fade->target, fade->palette->entries, sizeof fade->target);
        for (u16 i = 0; i < fade->count; ++i) {
            const u8* e = held.data + kHeaderSize + i * kEntrySize;
            GfxPaletteEntry& t = fade->target[fade->first + i];
            t = GfxPaletteEntry{e[0], e[1], e[2], e[3]};
            const GfxPaletteEntry& c = fade->current[fade->first + i];
            differs |= t.red != c.red || t.green != c.green || t.blue != c.blue;
        }
    }
    if (held.data) {
        sprReleaseResource(&ref);
    } else {
        sprDropResource(&ref);
    }
    fade->duration = durationMs;
    fade->lastStep = plat::clockMillis();
    return usable && differs;
}

void PaletteFadeStep(const PaletteFade& fade) {
    if (fade.duration <= 1) return;
    const u64 t = (u64(fade.elapsed) << 16) / (fade.duration - 1);
    const i32 step = i32((t / 256) % 65536);
    GfxPaletteEntry now[kEntries];
    for (u16 i = fade.first; i < fade.first + fade.count; ++i) {
        const GfxPaletteEntry &from = fade.current[i], &to = fade.target[i];
        now[i] = GfxPaletteEntry{between(from.red, to.red, step), between(from.green, to.green, step),
                                 between(from.blue, to.blue, step), 0};
    }
    writeEntries(fade, now, false);
}

u16 PlayPaletteFade(u32 durationMs, u16 paletteId) {
    auto fade = std::make_unique<PaletteFade>();
    if (!PaletteFadeSetUp(fade.get(), paletteId, durationMs)) return kFadeUnusable;
    for (;;) {
        PaletteFadeStep(*fade);
        const u32 now = plat::clockMillis();
        fade->elapsed += now - fade->lastStep;
        fade->lastStep = now;
        if (fade->elapsed >= fade->duration) break;
        osmYield();
    }
    writeEntries(*fade, fade->target, true);
    return fade->result;
}

u16 SetPaletteFromResource(u16 paletteId) { return PlayPaletteFade(0, paletteId); }
