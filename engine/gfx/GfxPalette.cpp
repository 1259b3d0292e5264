#include "engine/gfx/GfxPalette.h"

#include <algorithm>
#include <new>
#include <vector>

#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/PaletteState.h"

namespace {

constexpr u8 kCubeLevels[6] = {36, 72, 108, 144, 180, 216};
constexpr u16 kCubeStart = 10;
constexpr u16 kGreyStart = 226;
constexpr u8 kGreyStep = 12;

u16 half() { return paletteState().reservedCount / 2; }

void copyStaticColors(GfxPalette* p) {
    const plat::gdi::PaletteEntry* statics = plat::gdi::staticColors();
    for (u16 i = 0; i < half(); ++i) {
        p->entries[i] = {statics[i].red, statics[i].green, statics[i].blue, 0};
        const auto& upper = statics[plat::gdi::kStaticColorCount - half() + i];
        p->entries[256 - half() + i] = {upper.red, upper.green, upper.blue, 0};
    }
}

}  // namespace

void gfxSyncNativePalette(GfxPalette* p) {
    std::vector<plat::gdi::PaletteEntry> entries(256);
    for (int i = 0; i < 256; ++i) entries[size_t(i)] = {p->entries[i].red, p->entries[i].green, p->entries[i].blue, 0};
    p->native->setEntries(0, 256, entries.data());
}

namespace {

void unlink(GfxPalette* p) {
    PaletteState& s = paletteState();
    if (p->next == p) {
        s.head = nullptr;
    } else {
        p->previous->next = p->next;
        p->next->previous = p->previous;
        if (s.head == p) s.head = p->next;
    }
    p->next = p->previous = nullptr;
}

}  // namespace

PaletteState& paletteState() {
    static PaletteState state;
    return state;
}

GfxPalette* gfxDefaultPalette() { return paletteState().defaultPalette; }
u16 gfxReservedCount() { return paletteState().reservedCount; }

EngineErr gfxInitPalettes() {
    if (paletteState().defaultPalette) return gfxSetError(kErrNone);
    GfxColor colors[256] = {};
    u16 i = kCubeStart;
    for (u8 r : kCubeLevels)
        for (u8 g : kCubeLevels)
            for (u8 b : kCubeLevels) colors[i++] = GfxColor::rgb(r, g, b);
    for (u16 k = 1; k <= 20; ++k) {
        u8 level = u8(kGreyStep * k);
        colors[kGreyStart + k - 1] = GfxColor::rgb(level, level, level);
    }
    GfxPalette* p = gfxNewPalette(256, colors);
    if (!p) return gfxGetLastError();
    paletteState().defaultPalette = p;
    return gfxSetError(kErrNone);
}

void gfxShutdownPalettes() {
    while (paletteState().head) gfxDisposePalette(paletteState().head);
    paletteState().defaultPalette = nullptr;
}

GfxPalette* gfxPaletteFromHandle(GfxPalette* handle) {
    if (handle == nullptr) {
        if (paletteState().defaultPalette) return paletteState().defaultPalette;
        gfxSetError(kGfxErrBadPalette);
        return nullptr;
    }
    GfxPalette* found = nullptr;
    forEachPalette([&](GfxPalette* p) {
        if (p == handle) found = p;
    });
    if (!found || found->magic != kGfxPaletteMagic) {
        gfxSetError(kGfxErrBadPalette);
        return nullptr;
    }
    return found;
}

GfxPalette* gfxNewPalette(u16 count, const GfxColor* colors) {
    PaletteState& s = paletteState();
    auto* p = new (std::nothrow) GfxPalette();
    if (!p) {
        gfxSetError(kGfxErrOutOfMemory);
        return nullptr;
    }
    p->magic = kGfxPaletteMagic;
    u16 h = half();
    p->ownCount = count <= h ? 0 : count <= 256 - h ? u16(count - h) : u16(256 - s.reservedCount);
    copyStaticColors(p);
    for (u16 i = h; i < h + p->ownCount; ++i) {
        if (colors) p->entries[i] = {colors[i].red, colors[i].green, colors[i].blue, u8(colors[i].flag & kPalEntryAnimated)};
        else if (s.defaultPalette) p->entries[i] = s.defaultPalette->entries[i];
    }
    p->native.reset(new (std::nothrow) plat::gdi::Palette(std::vector<plat::gdi::PaletteEntry>(256)));
    if (!p->native) {
        delete p;
        gfxSetError(kGfxErrGdi);
        return nullptr;
    }
    gfxSyncNativePalette(p);
    if (s.head) {
        p->next = s.head;
        p->previous = s.head->previous;
        s.head->previous->next = p;
        s.head->previous = p;
    } else {
        p->next = p->previous = p;
    }
    s.head = p;
    gfxSetError(kErrNone);
    return p;
}

void gfxDisposePalette(GfxPalette* handle) {
    GfxPalette* p = handle ? gfxPaletteFromHandle(handle) : nullptr;
    if (!p) return;
    if (paletteState().defaultPalette == p) paletteState().defaultPalette = nullptr;
    unlink(p);
    p->magic = 0;
    delete p;
}

EngineErr gfxSetPaletteEntries(GfxPalette* handle, u16 first, u16 count, const GfxColor* colors) {
    GfxPalette* p = handle ? gfxPaletteFromHandle(handle) : nullptr;
    if (!p || !colors) return gfxSetError(kGfxErrBadPalette);
    // The written range is the intersection of the request with the own entries.
    u32 begin = std::max<u32>(first, half());
    u32 end = std::min<u32>(u32(first) + count, u32(half()) + p->ownCount);
    EngineErr result = kErrNone;
    bool wrote = false;
    for (u32 i = begin; i < end; ++i) {
        const GfxColor& in = colors[i - first];
        if (in.flag == kGfxColorFlagDefault) {
            result = kGfxErrBadValue;
            break;
        }
        GfxPaletteEntry& e = p->entries[i];
        e.flags |= kPalEntryChanged;
        e.red = in.red;
        e.green = in.green;
        e.blue = in.blue;
        if (in.flag & 0x80) {
            u8 animated = in.flag & kPalEntryAnimated;
            if ((e.flags & kPalEntryAnimated) != animated) p->realised = 0;
            e.flags = u8((e.flags & ~kPalEntryAnimated) | animated);
        }
        wrote = true;
    }
    if (wrote) p->changed = 1;
    return gfxSetError(result);
}

void gfxMarkForFullRealisation(GfxPalette* p) {
    gfxSyncNativePalette(p);
    p->realised = 0;
}

u16 gfxSetReservedColors(u16 two) {
    PaletteState& s = paletteState();
    u16 previous = s.twoReserved;
    u16 reserved = two ? kGfxReservedTwo : kGfxReservedTwenty;
    s.twoReserved = two ? 1 : 0;
    // Only a change of the reserved count moves the own entries; repeating a setting must
    // not shrink them again.
    if (reserved == s.reservedCount) return previous;
    s.reservedCount = reserved;
    constexpr u16 kShift = (kGfxReservedTwenty - kGfxReservedTwo) / 2;
    forEachPalette([&](GfxPalette* p) {
        if (reserved == kGfxReservedTwenty) {
            copyStaticColors(p);
            p->ownCount = p->ownCount == 256 - kGfxReservedTwo ? u16(256 - kGfxReservedTwenty)
                                                                : u16(std::clamp(int(p->ownCount) - kShift, 0, 256 - kGfxReservedTwenty));
        } else {
            p->ownCount = p->ownCount == 256 - kGfxReservedTwenty ? u16(256 - kGfxReservedTwo)
                                                                   : u16(std::min(p->ownCount + kShift, 256 - kGfxReservedTwo));
        }
        gfxMarkForFullRealisation(p);
    });
    return previous;
}
