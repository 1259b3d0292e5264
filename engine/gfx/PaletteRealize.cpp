#include <algorithm>
#include <vector>

#include "engine/gfx/GfxErrors.h"
#include "engine/gfx/GfxModule.h"
#include "engine/gfx/GfxPort.h"
#include "engine/gfx/PaletteState.h"

namespace {

using plat::gdi::DisplayPalette;
using plat::gdi::SystemPaletteUse;

constexpr u16 kAnimateFirst = 10;
constexpr u16 kAnimateLast = 245;
constexpr u8 kQtLowBits = 0x07;

// Interface colours replaced while the system palette has no static colours, by element.
struct SysColorChoice {
    int element;
    plat::gdi::ColorRef color;
};
constexpr plat::gdi::ColorRef kWhite = plat::gdi::rgbColor(255, 255, 255);
constexpr plat::gdi::ColorRef kBlack = plat::gdi::rgbColor(0, 0, 0);
constexpr SysColorChoice kNoStaticSysColors[] = {
    {plat::gdi::kSysActiveBorder, kWhite},        {plat::gdi::kSysActiveCaption, kBlack},
    {plat::gdi::kSysAppWorkspace, kWhite},        {plat::gdi::kSysDesktop, kBlack},
    {plat::gdi::kSysButtonFace, kWhite},          {plat::gdi::kSysButtonHighlight, kBlack},
    {plat::gdi::kSysButtonShadow, kBlack},        {plat::gdi::kSysButtonText, kBlack},
    {plat::gdi::kSysCaptionText, kWhite},         {plat::gdi::kSysGrayText, kBlack},
    {plat::gdi::kSysHighlight, kBlack},           {plat::gdi::kSysHighlightText, kWhite},
    {plat::gdi::kSysInactiveBorder, kWhite},      {plat::gdi::kSysInactiveCaption, kWhite},
    {plat::gdi::kSysInactiveCaptionText, kBlack}, {plat::gdi::kSysMenu, kWhite},
    {plat::gdi::kSysMenuText, kBlack},            {plat::gdi::kSysScrollBar, kWhite},
    {plat::gdi::kSysWindow, kWhite},              {plat::gdi::kSysWindowFrame, kBlack},
    {plat::gdi::kSysWindowText, kBlack},          {plat::gdi::kSys3dDarkShadow, kWhite},
    {plat::gdi::kSys3dLight, kWhite},             {plat::gdi::kSysInfoBackground, kWhite},
    {plat::gdi::kSysInfoText, kBlack},
};

void markAllForFullRealisation() { forEachPalette([](GfxPalette* p) { p->realised = 0; }); }

bool isUpperStatic(const GfxPaletteEntry& e) {
    const plat::gdi::PaletteEntry* statics = plat::gdi::staticColors();
    u16 half = gfxReservedCount() / 2;
    for (u16 i = 0; i < half; ++i) {
        const auto& s = statics[plat::gdi::kStaticColorCount - half + i];
        if (s.red == e.red && s.green == e.green && s.blue == e.blue) return true;
    }
    return false;
}

void setUse(u16 use) {
    if (paletteState().systemUse != use || u16(DisplayPalette::instance().use()) != use) gfxSetSystemPaletteUse(use);
}

}  // namespace

u16 gfxSetSystemPaletteUse(u16 use) {
    PaletteState& s = paletteState();
    DisplayPalette& display = DisplayPalette::instance();
    u16 previous = u16(display.use());
    if (previous != use || s.systemUse != use) {
        display.setUse(use == kGfxSystemUseNoStatic ? SystemPaletteUse::NoStatic : SystemPaletteUse::Static);
        markAllForFullRealisation();
    }
    s.systemUse = use;
    bool eightBit = display.bitsPerPixel() == 8;
    if (s.sysColorsReplaced && (use == kGfxSystemUseStatic || !eightBit)) {
        for (const SysColorChoice& c : kNoStaticSysColors) display.setSysColor(c.element, s.savedSysColors[c.element]);
        s.sysColorsReplaced = false;
    } else if (use == kGfxSystemUseNoStatic && eightBit && !s.sysColorsReplaced) {
        // Saved only once: saving again would keep the replacement colours as the originals.
        for (const SysColorChoice& c : kNoStaticSysColors) s.savedSysColors[c.element] = display.sysColor(c.element);
        s.sysColorsReplaced = true;
        for (const SysColorChoice& c : kNoStaticSysColors) display.setSysColor(c.element, c.color);
    }
    return previous;
}

u16 gfxSetNoStaticColors(u16 on) {
    PaletteState& s = paletteState();
    u16 previous = s.noStatic;
    s.noStatic = on ? 1 : 0;
    gfxSetSystemPaletteUse(on ? kGfxSystemUseNoStatic : kGfxSystemUseStatic);
    markAllForFullRealisation();
    return previous;
}

void gfxPaletteActivation(u16 active) {
    PaletteState& s = paletteState();
    if (!active && s.systemUse == kGfxSystemUseNoStatic) gfxSetSystemPaletteUse(kGfxSystemUseStatic);
    else if (active && s.noStatic) gfxSetSystemPaletteUse(kGfxSystemUseNoStatic);
}

i16 gfxRealizePalette(GfxPalette* handle, u16 foreground) {
    PaletteState& s = paletteState();
    GfxPalette* p = gfxPaletteFromHandle(handle);
    if (!p) return -1;
    if (s.busy) {
        gfxSetError(kGfxErrBadValue);
        return -1;
    }
    ++s.busy;
    DisplayPalette& display = DisplayPalette::instance();
    if (foreground && display.foregroundIsOurs()) {
        u16 before = s.systemUse;
        setUse(s.noStatic ? kGfxSystemUseNoStatic : kGfxSystemUseStatic);
        if (s.systemUse != before) p->realised = 0;
    } else if (!display.foregroundIsOurs() && s.systemUse == kGfxSystemUseNoStatic) {
        gfxSetSystemPaletteUse(kGfxSystemUseStatic);
    }

    i16 result = 0;
    bool full = false;
    u32 changedCount = 0, animatedCount = 0;
    if (p->realised && !p->changed && p->realisedInFront == (foreground ? 1 : 0)) {
        display.realize(*p->native, false);
    } else {
        u16 half = gfxReservedCount() / 2;
        u16 lo = 0xFFFF, hi = 0;
        std::vector<GfxPaletteEntry> built(p->entries, p->entries + 256);
        bool collapseGuard = foreground && s.twoReserved == s.noStatic;
        for (u16 i = half; i < half + p->ownCount; ++i) {
            GfxPaletteEntry& own = p->entries[i];
            if (own.flags & kPalEntryChanged) {
                ++changedCount;
                if (own.flags & kPalEntryAnimated) ++animatedCount;
                lo = std::min(lo, i);
                hi = std::max(hi, i);
                own.flags &= u8(~kPalEntryChanged);
            }
            GfxPaletteEntry& b = built[i];
            b.flags = own.flags;
            if (gfxQtPaletteOption() && display.bitsPerPixel() == 16) {
                b.red |= kQtLowBits;
                b.green |= kQtLowBits;
                b.blue |= kQtLowBits;
            }
            if (collapseGuard) {
                b.flags |= kPalEntryNoCollapse;
                if (!(b.flags & kPalEntryAnimated) && isUpperStatic(b)) {
                    b.flags |= kPalEntryAnimated;
                    p->realised = 0;
                }
            } else {
                b.flags &= u8(~kPalEntryAnimated);
            }
        }
        bool animatable = p->realised && p->realisedInFront && foreground && s.twoReserved == s.noStatic &&
                          display.bitsPerPixel() == 8;
        if (changedCount > 0 && changedCount == animatedCount && animatable && lo >= kAnimateFirst && hi <= kAnimateLast) {
            display.animate(*p->native, lo, u16(hi - lo + 1));
        } else {
            full = true;
            if (!p->realised) display.reset(*p->native);
            std::vector<plat::gdi::PaletteEntry> entries(256);
            for (size_t i = 0; i < 256; ++i) entries[i] = {built[i].red, built[i].green, built[i].blue, built[i].flags};
            p->native->setEntries(0, 256, entries.data());
            display.realize(*p->native, true);
            result = animatable ? 0 : 1;
        }
    }
    for (GfxPort* port = p->ports; port; port = port->nextInPalette) port->CheckPalette();
    if (foreground && (full || changedCount != animatedCount))
        forEachPalette([&](GfxPalette* other) {
            if (other != p) other->realised = 0;
        });
    p->realised = 1;
    p->changed = 0;
    p->realisedInFront = foreground ? 1 : 0;
    --s.busy;
    gfxSetError(kErrNone);
    return result;
}
