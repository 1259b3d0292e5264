#include "engine/gfx/GfxDisplayModes.h"

#include <cstdlib>
#include <cstring>

#include "engine/gfx/GfxDirectDraw.h"
#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/PaletteState.h"
#include "platform/display/choice/DisplayChoice.h"

namespace {

u16 displayChangeEnabled = 1;

GfxDisplayRecord recordOf(const plat::DisplayMode& mode) {
    GfxDisplayRecord record;
    record.bitsPerPel = mode.bitsPerPixel;
    record.pelsWidth = u32(mode.width);
    record.pelsHeight = u32(mode.height);
    record.fields = kGfxFieldBitsPerPel | kGfxFieldPelsWidth | kGfxFieldPelsHeight;
    if (mode.refreshHz > 1) {
        record.displayFrequency = mode.refreshHz;
        record.fields |= kGfxFieldFrequency;
    }
    return record;
}

plat::DisplayMode modeOf(const GfxDisplayRecord& record) {
    return {i32(record.pelsWidth), i32(record.pelsHeight), u16(record.bitsPerPel),
            (record.fields & kGfxFieldFrequency) ? record.displayFrequency : 0};
}

u32 colorsOfBits(u32 bits) { return u32(1) << (bits > 24 ? 24 : bits); }

u32 refreshOf(const GfxDisplayRecord& record) {
    return (record.fields & kGfxFieldFrequency) ? record.displayFrequency : 0;
}

// Which properties a wanted mode demands.
struct Demands {
    bool width, height, bits, refresh;
};

Demands demandsOf(const GfxDisplayMode& wanted) {
    return {wanted.width != kGfxAnySize, wanted.height != kGfxAnySize,
            wanted.colorCount != kGfxAnyColors || wanted.palettized != 0, wanted.refreshRate != 0};
}

bool satisfies(const GfxDisplayRecord& r, const GfxDisplayMode& wanted) {
    if (wanted.width != kGfxAnySize && r.pelsWidth < u32(u16(wanted.width))) return false;
    if (wanted.height != kGfxAnySize && r.pelsHeight < u32(u16(wanted.height))) return false;
    if (wanted.colorCount != kGfxAnyColors && colorsOfBits(r.bitsPerPel) < wanted.colorCount) return false;
    if (wanted.palettized && r.bitsPerPel != 8) return false;
    if (wanted.refreshRate != 0 && (refreshOf(r) == 0 || refreshOf(r) < wanted.refreshRate)) return false;
    return true;
}

// -1 when a is smaller than b, 1 when larger, 0 when equal.
int order(u32 a, u32 b) { return a < b ? -1 : a > b ? 1 : 0; }
int closeness(u32 a, u32 b, u32 target) {
    return order(u32(std::abs(i64(a) - i64(target))), u32(std::abs(i64(b) - i64(target))));
}

// Whether `candidate` replaces `best` as the choice.
bool better(const GfxDisplayRecord& candidate, const GfxDisplayRecord& best, const Demands& demands,
            const GfxDisplayRecord& current) {
    const int demanded[] = {demands.width ? order(candidate.pelsWidth, best.pelsWidth) : 0,
                            demands.height ? order(candidate.pelsHeight, best.pelsHeight) : 0,
                            demands.bits ? order(candidate.bitsPerPel, best.bitsPerPel) : 0,
                            demands.refresh ? order(refreshOf(candidate), refreshOf(best)) : 0};
    for (int difference : demanded)
        if (difference != 0) return difference < 0;
    const int closer[] = {demands.width ? 0 : closeness(candidate.pelsWidth, best.pelsWidth, current.pelsWidth),
                          demands.height ? 0 : closeness(candidate.pelsHeight, best.pelsHeight, current.pelsHeight),
                          demands.bits ? 0 : closeness(candidate.bitsPerPel, best.bitsPerPel, current.bitsPerPel)};
    for (int difference : closer)
        if (difference != 0) return difference < 0;
    return !demands.refresh && refreshOf(candidate) < refreshOf(best);
}

// Each mode of the display layer that a test change accepts, then each mode of the
// direct-surface path, until `visit` answers true.
template <typename Visit>
void forEachMode(Visit visit) {
    for (const plat::DisplayMode& mode : plat::displayDriver().modes()) {
        GfxDisplayRecord record = recordOf(mode);
        if (gfxChangeDisplaySettings(&record, kGfxChangeTestOnly) != kGfxChangeDone) continue;
        if (visit(record)) return;
    }
    auto trampoline = [](const GfxDisplayRecord* record, void* data) -> u16 {
        return (*static_cast<Visit*>(data))(*record) ? 1 : 0;
    };
    ddrawEnumDisplayModes(trampoline, &visit);
    // A path that is not available has simply no modes to add.
    gfxSetError(kErrNone);
}

void fillModeFrom(GfxDisplayMode* mode, const GfxDisplayRecord& record) {
    mode->width = i16(record.pelsWidth);
    mode->height = i16(record.pelsHeight);
    mode->bitsPerPixel = u16(record.bitsPerPel);
    mode->colorCount = colorsOfBits(record.bitsPerPel);
    mode->palettized = record.bitsPerPel == 8 ? 1 : 0;
    mode->refreshRate = refreshOf(record);
}

}  // namespace

u16 gfxDisplayChangeEnabled() { return displayChangeEnabled; }
void gfxSetDisplayChangeEnabled(u16 on) { displayChangeEnabled = on ? 1 : 0; }

void gfxGetDisplayInfo(GfxDisplayRecord* out) { *out = recordOf(plat::displayDriver().currentMode()); }

void gfxGetCurrentDisplayMode(GfxDisplayMode* out) {
    GfxDisplayRecord record;
    gfxGetDisplayInfo(&record);
    fillModeFrom(out, record);
}

u16 gfxFindDisplayMode(const GfxDisplayMode* wanted, GfxDisplayRecord* out) {
    GfxDisplayRecord current;
    gfxGetDisplayInfo(&current);
    if (current.pelsWidth == 0 || current.bitsPerPel == 0) {
        gfxSetError(kGfxErrGdi);
        return kGfxModeError;
    }
    Demands demands = demandsOf(*wanted);
    bool demandsAny = demands.width || demands.height || demands.bits || demands.refresh;
    if (displayChangeEnabled && demandsAny) {
        bool found = false;
        GfxDisplayRecord best;
        forEachMode([&](const GfxDisplayRecord& candidate) {
            if (!satisfies(candidate, *wanted)) return false;
            if (!found || better(candidate, best, demands, current)) best = candidate;
            found = true;
            return false;
        });
        if (found) {
            *out = best;
            return 1;
        }
    }
    if (!satisfies(current, *wanted)) return 0;
    *out = current;
    return 1;
}

u16 gfxCheckDisplayMode(GfxDisplayMode* mode, u16 changeAllowed) {
    gfxSetError(kErrNone);
    GfxDisplayRecord record;
    if (changeAllowed) {
        u16 found = gfxFindDisplayMode(mode, &record);
        if (found != 1) return found;
    } else {
        gfxGetDisplayInfo(&record);
        GfxDisplayMode demand = *mode;
        demand.refreshRate = 0;
        if (!satisfies(record, demand)) return 0;
    }
    fillModeFrom(mode, record);
    return 1;
}

EngineErr gfxEnumDisplayModes(GfxDisplayModeProc callback, void* data) {
    forEachMode([&](const GfxDisplayRecord& record) { return callback(&record, data) != 0; });
    return gfxSetError(kErrNone);
}

u16 gfxSetDisplayMode(GfxDisplayMode* mode) {
    GfxDisplayRecord record;
    u16 found = gfxFindDisplayMode(mode, &record);
    if (found != 1) return found;
    fillModeFrom(mode, record);
    if (std::strcmp(record.deviceName, kGfxDirectDrawDevice) == 0)
        ddrawSetDisplayMode(u16(record.pelsWidth), u16(record.pelsHeight), u16(record.bitsPerPel), refreshOf(record));
    else
        gfxChangeDisplaySettings(&record, 0);
    gfxSetDisplayDepth(u16(record.bitsPerPel));
    gfxSetSystemPaletteUse(paletteState().noStatic ? kGfxSystemUseNoStatic : kGfxSystemUseStatic);
    return found;
}

i32 gfxChangeDisplaySettings(const GfxDisplayRecord* record, u32 flags) {
    bool testOnly = (flags & kGfxChangeTestOnly) != 0;
    return plat::displayDriver().changeMode(modeOf(*record), testOnly) ? kGfxChangeDone : kGfxChangeBadMode;
}

void gfxRestoreDisplayMode() {
    plat::displayDriver().restoreMode();
    gfxSetDisplayDepth(u16(plat::displayDriver().currentMode().bitsPerPixel));
}
