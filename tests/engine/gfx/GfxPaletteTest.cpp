#include "engine/gfx/GfxPalette.h"

#include <vector>

#include "GfxTestSupport.h"
#include "engine/gfx/GfxErrors.h"

namespace {

using plat::gdi::DisplayPalette;

std::vector<GfxColor> ramp(u8 flag = 0) {
    std::vector<GfxColor> c(256);
    for (int i = 0; i < 256; ++i) c[size_t(i)] = GfxColor::rgb(u8(i), u8(255 - i), 7, flag);
    return c;
}

// A port kind whose palette check realises its palette again, as a window message might.
class ReentrantPort : public SurfacePort {
public:
    using SurfacePort::SurfacePort;
    void CheckPalette() override {
        nestedResult = gfxRealizePalette(palette, 1);
        nestedError = gfxGetLastError();
        SurfacePort::CheckPalette();
    }
    i16 nestedResult = 0;
    EngineErr nestedError = 0;
};

}  // namespace

TEST_F(GfxTest, DefaultPaletteHoldsTheCubeTheGreysAndTheStaticColours) {
    const GfxPalette* p = gfxDefaultPalette();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->ownCount, 236);
    EXPECT_EQ(p->entries[10].red, 36);
    EXPECT_EQ(p->entries[11].blue, 72);  // blue varies fastest
    EXPECT_EQ(p->entries[225].red, 216);
    EXPECT_EQ(p->entries[226].green, 12);
    EXPECT_EQ(p->entries[245].green, 240);
    EXPECT_EQ(p->entries[1].red, 128);   // dark red
    EXPECT_EQ(p->entries[255].blue, 255);
}

TEST_F(GfxTest, OwnCountFollowsTheRequestedCount) {
    EXPECT_EQ(gfxNewPalette(5, nullptr)->ownCount, 0);
    EXPECT_EQ(gfxNewPalette(100, nullptr)->ownCount, 90);
    EXPECT_EQ(gfxNewPalette(256, nullptr)->ownCount, 236);
    GfxPalette* copied = gfxNewPalette(100, nullptr);
    EXPECT_EQ(copied->entries[50].red, gfxDefaultPalette()->entries[50].red);
}

TEST_F(GfxTest, NewPalettesJoinTheRingAtItsHead) {
    GfxPalette* a = gfxNewPalette(20, nullptr);
    GfxPalette* b = gfxNewPalette(20, nullptr);
    EXPECT_EQ(gfxPaletteFromHandle(b), b);
    EXPECT_EQ(b->next, a);
    gfxDisposePalette(b);
    EXPECT_EQ(gfxPaletteFromHandle(b), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPalette);
    EXPECT_EQ(gfxPaletteFromHandle(a), a);
}

TEST_F(GfxTest, ForeignHandlesAreRefusedWithoutBeingRead) {
    GfxPalette stranger;  // never entered the ring
    stranger.magic = kGfxPaletteMagic;
    EXPECT_EQ(gfxPaletteFromHandle(&stranger), nullptr);
    EXPECT_EQ(gfxPaletteFromHandle(kGfxBadPaletteHandle), nullptr);
    EXPECT_EQ(gfxGetLastError(), kGfxErrBadPalette);
    GfxColor c = GfxColor::rgb(1, 1, 1);
    EXPECT_EQ(gfxSetPaletteEntries(kGfxBadPaletteHandle, 20, 1, &c), kGfxErrBadPalette);
    EXPECT_EQ(gfxRealizePalette(&stranger, 1), -1);
}

TEST_F(GfxTest, WritingEveryEntryChangesOnlyTheOwnOnes) {
    GfxPalette* p = gfxNewPalette(256, nullptr);
    GfxPaletteEntry lower = p->entries[9], upper = p->entries[246];
    std::vector<GfxColor> colors = ramp();
    ASSERT_EQ(gfxSetPaletteEntries(p, 0, 256, colors.data()), kErrNone);
    EXPECT_EQ(p->entries[9].red, lower.red);
    EXPECT_EQ(p->entries[246].red, upper.red);
    EXPECT_EQ(p->entries[10].red, 10);
    EXPECT_EQ(p->entries[245].red, 245);
    EXPECT_TRUE(p->entries[10].flags & kPalEntryChanged);
    EXPECT_EQ(p->changed, 1);
}

TEST_F(GfxTest, EntryRangesAreIntersectedWithTheOwnEntries) {
    GfxPalette* p = gfxNewPalette(30, nullptr);  // owns 10..29
    std::vector<GfxColor> colors = ramp();
    u8 beyond = p->entries[30].red;
    EXPECT_EQ(gfxSetPaletteEntries(p, 25, 200, colors.data()), kErrNone);
    EXPECT_EQ(p->entries[25].red, 0);
    EXPECT_EQ(p->entries[29].red, 4);
    EXPECT_EQ(p->entries[30].red, beyond) << "past the own entries";
    EXPECT_EQ(gfxSetPaletteEntries(p, 250, 10, colors.data()), kErrNone);
    EXPECT_EQ(gfxSetPaletteEntries(p, 65530, 20, colors.data()), kErrNone) << "no wrap of first + count";
    EXPECT_EQ(p->entries[10].red, gfxDefaultPalette()->entries[10].red);
}

TEST_F(GfxTest, DefaultColourInTheInputStopsTheWrite) {
    GfxPalette* p = gfxNewPalette(256, nullptr);
    std::vector<GfxColor> colors = ramp();
    colors[3] = GfxColor();  // the colour for entry 13
    EXPECT_EQ(gfxSetPaletteEntries(p, 10, 10, colors.data()), kGfxErrBadValue);
    EXPECT_EQ(p->entries[12].red, 2) << "entries before it stay written";
    EXPECT_NE(p->entries[13].red, 3);
}

TEST_F(GfxTest, AnimationBitChangeForcesAFullRealisation) {
    GfxPalette* p = gfxNewPalette(256, nullptr);
    gfxRealizePalette(p, 1);
    std::vector<GfxColor> colors = ramp(0x81);
    gfxSetPaletteEntries(p, 20, 1, colors.data());
    EXPECT_EQ(p->realised, 0);
    EXPECT_TRUE(p->entries[20].flags & kPalEntryAnimated);
}

TEST_F(GfxTest, RealisingAnUnchangedPaletteAgainOnlySelectsIt) {
    GfxPalette* p = gfxNewPalette(256, nullptr);
    EXPECT_EQ(gfxRealizePalette(p, 1), 1);
    auto before = DisplayPalette::instance().counters();
    EXPECT_EQ(gfxRealizePalette(p, 1), 0);
    auto after = DisplayPalette::instance().counters();
    EXPECT_EQ(after.realizations, before.realizations + 1);
    EXPECT_EQ(after.fullRealizations, before.fullRealizations);
    EXPECT_EQ(p->realised, 1);
    EXPECT_EQ(p->realisedInFront, 1);
}

TEST_F(GfxTest, AnimatedEntriesOnAnEightBitDisplayAreAnimated) {
    DisplayPalette::instance().setBitsPerPixel(8);
    GfxPalette* p = gfxNewPalette(256, nullptr);
    gfxRealizePalette(p, 1);
    std::vector<GfxColor> colors = ramp(0x81);
    gfxSetPaletteEntries(p, 30, 5, colors.data());
    gfxRealizePalette(p, 1);  // the flag change asks for one full realisation
    gfxSetPaletteEntries(p, 30, 5, colors.data());
    auto before = DisplayPalette::instance().counters();
    EXPECT_EQ(gfxRealizePalette(p, 1), 0);
    auto after = DisplayPalette::instance().counters();
    EXPECT_EQ(after.animations, before.animations + 1);
    EXPECT_EQ(after.lastAnimatedFirst, 30);
    EXPECT_EQ(after.lastAnimatedCount, 5);
    EXPECT_EQ(after.fullRealizations, before.fullRealizations);
}

TEST_F(GfxTest, ForegroundFullRealisationMarksTheOtherPalettes) {
    GfxPalette* a = gfxNewPalette(256, nullptr);
    GfxPalette* b = gfxNewPalette(256, nullptr);
    gfxRealizePalette(a, 0);
    EXPECT_EQ(a->realised, 1);
    gfxRealizePalette(b, 1);
    EXPECT_EQ(a->realised, 0);
    EXPECT_EQ(b->realised, 1);
}

TEST_F(GfxTest, RealisationCannotBeEnteredAgain) {
    auto* port = new ReentrantPort(4, 4, 16);
    ASSERT_EQ(port->ResetState(), kErrNone);
    GfxPalette* p = gfxNewPalette(256, nullptr);
    port->SetPalette(p);
    EXPECT_EQ(gfxRealizePalette(p, 1), 1);
    EXPECT_EQ(port->nestedResult, -1);
    EXPECT_EQ(port->nestedError, kGfxErrBadValue);
    EXPECT_EQ(gfxDisposePort(port), kErrNone);
}

TEST_F(GfxTest, TwoReservedColoursGrowAndShrinkTheOwnEntries) {
    GfxPalette* full = gfxNewPalette(256, nullptr);
    GfxPalette* small = gfxNewPalette(15, nullptr);  // owns 5
    EXPECT_EQ(gfxSetReservedColors(1), 0);
    EXPECT_EQ(full->ownCount, 254);
    EXPECT_EQ(small->ownCount, 14);
    EXPECT_EQ(gfxSetReservedColors(1), 1);
    EXPECT_EQ(full->ownCount, 254) << "repeating the setting changes nothing";
    GfxPalette* big = gfxNewPalette(252, nullptr);  // owns 251 of 254
    EXPECT_EQ(big->ownCount, 251);
    gfxSetReservedColors(0);
    EXPECT_EQ(full->ownCount, 236);
    EXPECT_EQ(small->ownCount, 5);
    EXPECT_EQ(big->ownCount, 236) << "never reaches into the static entries";
    GfxPalette* tiny = gfxNewPalette(11, nullptr);  // owns 1
    gfxSetReservedColors(1);
    gfxSetReservedColors(0);
    EXPECT_EQ(tiny->ownCount, 1);
    gfxSetReservedColors(1);
    tiny->ownCount = 3;
    gfxSetReservedColors(0);
    EXPECT_EQ(tiny->ownCount, 0) << "no wrap below zero";
    EXPECT_EQ(full->realised, 0);
}

TEST_F(GfxTest, NoStaticUseReplacesInterfaceColoursOnEightBitDisplays) {
    DisplayPalette& display = DisplayPalette::instance();
    display.setBitsPerPixel(8);
    plat::gdi::ColorRef original = display.sysColor(plat::gdi::kSysButtonFace);
    EXPECT_EQ(gfxSetNoStaticColors(1), 0);
    EXPECT_EQ(display.use(), plat::gdi::SystemPaletteUse::NoStatic);
    EXPECT_EQ(display.sysColor(plat::gdi::kSysButtonFace), plat::gdi::rgbColor(255, 255, 255));
    gfxSetSystemPaletteUse(kGfxSystemUseNoStatic);  // a second time must not save the replacements
    EXPECT_EQ(gfxSetSystemPaletteUse(kGfxSystemUseStatic), kGfxSystemUseNoStatic);
    EXPECT_EQ(display.sysColor(plat::gdi::kSysButtonFace), original);
}

TEST_F(GfxTest, DeactivationGivesTheStaticColoursBack) {
    gfxSetNoStaticColors(1);
    gfxPaletteActivation(0);
    EXPECT_EQ(DisplayPalette::instance().use(), plat::gdi::SystemPaletteUse::Static);
    gfxPaletteActivation(1);
    EXPECT_EQ(DisplayPalette::instance().use(), plat::gdi::SystemPaletteUse::NoStatic);
}

TEST_F(GfxTest, ForegroundRealisationFollowsTheNoStaticSetting) {
    GfxPalette* p = gfxNewPalette(256, nullptr);
    gfxRealizePalette(p, 1);
    gfxSetNoStaticColors(1);
    gfxSetSystemPaletteUse(kGfxSystemUseStatic);
    gfxRealizePalette(p, 1);
    EXPECT_EQ(DisplayPalette::instance().use(), plat::gdi::SystemPaletteUse::NoStatic);
    DisplayPalette::instance().setForegroundIsOurs(false);
    gfxRealizePalette(p, 0);
    EXPECT_EQ(DisplayPalette::instance().use(), plat::gdi::SystemPaletteUse::Static);
}

TEST_F(GfxTest, QuickTimeOptionSetsTheLowBitsOnSixteenBitDisplays) {
    gfxSetQtPaletteOption(1);
    GfxPalette* p = gfxNewPalette(256, nullptr);
    GfxColor c = GfxColor::rgb(0x10, 0x20, 0x30);
    gfxSetPaletteEntries(p, 40, 1, &c);
    gfxRealizePalette(p, 1);
    EXPECT_EQ(p->native->entry(40).rgb(), (plat::gdi::Rgb{0x17, 0x27, 0x37}));
    EXPECT_EQ(p->entries[40].red, 0x10) << "the palette's own entries keep their colours";
    gfxSetQtPaletteOption(0);
}
