#include <gtest/gtest.h>

#include "DisplayTestSupport.h"
#include "platform/display/DirectSurfaces.h"

namespace plat {
namespace {

struct DirectSurfacesTest : ::testing::Test, testing::HeadlessDisplayFixture {
    DirectSurfacesTest() {
        display.setModes({{1024, 768, 16, 60}, {800, 600, 16, 60}});
        face = display.openWindow(window, "t", 16, 8);
    }
    uint32_t shown(int32_t x, int32_t y) const { return static_cast<HeadlessWindow&>(*face).shownPixel(x, y); }
    std::unique_ptr<DirectSurface> offscreen(int32_t w, int32_t h) {
        std::unique_ptr<DirectSurface> made;
        EXPECT_EQ(service.createOffscreen(w, h, 16, SurfacePlace::SystemMemory, &made), SurfaceResult::Ok);
        return made;
    }

    std::unique_ptr<DisplayWindow> face;
    DirectSurfaceService service{display};
};

TEST_F(DirectSurfacesTest, PrimaryLockWritesTheWindowAndShowsOnUnlock) {
    std::unique_ptr<DirectSurface> primary;
    ASSERT_EQ(service.createPrimary(window, &primary), SurfaceResult::Ok);
    EXPECT_EQ(primary->bitsPerPixel(), 16);
    uint8_t* base = nullptr;
    int32_t pitch = 0;
    ASSERT_EQ(primary->lock(&base, &pitch), SurfaceResult::Ok);
    EXPECT_EQ(pitch, 32);
    base[2 * pitch + 2 * 3] = 0x1F;  // (3, 2) pure blue
    EXPECT_EQ(shown(3, 2), 0u);
    ASSERT_EQ(primary->unlock(), SurfaceResult::Ok);
    EXPECT_EQ(shown(3, 2), 0x0000FFu);
    EXPECT_EQ(primary->unlock(), SurfaceResult::Invalid) << "unlocking twice";
}

TEST_F(DirectSurfacesTest, BlitToThePrimaryIsClippedAndShown) {
    std::unique_ptr<DirectSurface> primary, picture = offscreen(4, 4);
    ASSERT_EQ(service.createPrimary(window, &primary), SurfaceResult::Ok);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) picture->pixels()->setPixel(x, y, 0x7C00);
    ASSERT_EQ(service.blit(*primary, {14, 6, 18, 10}, *picture, {0, 0, 4, 4}), SurfaceResult::Ok);
    EXPECT_EQ(shown(15, 7), 0xFF0000u);
    EXPECT_EQ(shown(13, 7), 0u);
    EXPECT_EQ(face->surface().pixel(14, 6), 0x7C00u);
}

TEST_F(DirectSurfacesTest, BlitRefusesOtherDepthsAndSizes) {
    std::unique_ptr<DirectSurface> deep, flat = offscreen(4, 4);
    ASSERT_EQ(service.createOffscreen(4, 4, 24, SurfacePlace::SystemMemory, &deep), SurfaceResult::Ok);
    EXPECT_EQ(service.blit(*deep, {0, 0, 4, 4}, *flat, {0, 0, 4, 4}), SurfaceResult::Unsupported);
    EXPECT_EQ(service.blit(*flat, {0, 0, 4, 4}, *flat, {0, 0, 2, 4}), SurfaceResult::Unsupported);
}

TEST_F(DirectSurfacesTest, BlitWithinOneSurfaceMovesRowsDownWithoutSmearing) {
    auto picture = offscreen(2, 4);
    gdi::Surface& pixels = *picture->pixels();
    for (int32_t y = 0; y < 4; ++y) pixels.fillSpan(y, 0, 2, uint32_t(y + 1));
    ASSERT_EQ(service.blit(*picture, {0, 1, 2, 4}, *picture, {0, 0, 2, 3}), SurfaceResult::Ok);
    for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(pixels.pixel(1, y), uint32_t(y == 0 ? 1 : y)) << y;
}

TEST_F(DirectSurfacesTest, LostSurfaceRefusesUntilRestored) {
    std::unique_ptr<DirectSurface> a = offscreen(4, 4), b = offscreen(4, 4);
    service.loseSurfaces(false);
    uint8_t* base;
    int32_t pitch;
    EXPECT_EQ(a->lock(&base, &pitch), SurfaceResult::Lost);
    EXPECT_EQ(service.blit(*a, {0, 0, 4, 4}, *b, {0, 0, 4, 4}), SurfaceResult::Lost);
    EXPECT_EQ(a->pixels(), nullptr);
    ASSERT_EQ(a->restore(), SurfaceResult::Ok);
    EXPECT_EQ(a->lock(&base, &pitch), SurfaceResult::Ok);
    EXPECT_TRUE(b->lost()) << "each surface is restored on its own";
}

TEST_F(DirectSurfacesTest, AfterAModeChangeOnlyNewSurfacesServe) {
    std::unique_ptr<DirectSurface> before = offscreen(4, 4);
    EXPECT_EQ(service.setDisplayMode({800, 600, 16, 60}), SurfaceResult::NoExclusiveMode);
    ASSERT_EQ(service.setCooperativeLevel(window, true), SurfaceResult::Ok);
    ASSERT_EQ(service.setDisplayMode({800, 600, 16, 60}), SurfaceResult::Ok);
    EXPECT_EQ(display.currentMode().width, 800);
    EXPECT_EQ(before->restore(), SurfaceResult::ModeChanged);
    std::unique_ptr<DirectSurface> after = offscreen(4, 4);
    EXPECT_FALSE(after->lost());
}

TEST_F(DirectSurfacesTest, ModeChangeByTheDriverLosesSurfacesToo) {
    std::unique_ptr<DirectSurface> before = offscreen(4, 4);
    ASSERT_TRUE(display.changeMode({800, 600, 16, 60}, false));
    EXPECT_TRUE(before->lost());
    uint8_t* base;
    int32_t pitch;
    EXPECT_EQ(before->lock(&base, &pitch), SurfaceResult::Lost);
    EXPECT_EQ(before->restore(), SurfaceResult::ModeChanged);
    EXPECT_FALSE(offscreen(4, 4)->lost());
}

TEST_F(DirectSurfacesTest, ExclusiveHeldElsewhereRefusesLevels) {
    service.setExclusiveElsewhere(true);
    EXPECT_EQ(service.setCooperativeLevel(window, false), SurfaceResult::ExclusiveElsewhere);
    service.setExclusiveElsewhere(false);
    EXPECT_EQ(service.setCooperativeLevel(window, false), SurfaceResult::Ok);
}

TEST_F(DirectSurfacesTest, PlacementsTheDriverLacksAreRefused) {
    DirectCapabilities withoutNonLocal;
    withoutNonLocal.nonLocalVideo = false;
    DirectSurfaceService plain(display, withoutNonLocal);
    std::unique_ptr<DirectSurface> made;
    EXPECT_EQ(plain.createOffscreen(4, 4, 16, SurfacePlace::NonLocalVideo, &made), SurfaceResult::Unsupported);
    EXPECT_EQ(service.createOffscreen(4, 4, 4, SurfacePlace::SystemMemory, &made), SurfaceResult::Unsupported);
    EXPECT_EQ(service.createPrimary(kNoWindow, &made), SurfaceResult::Invalid);
}

TEST_F(DirectSurfacesTest, SurfaceOutlivingItsServiceStaysLost) {
    std::unique_ptr<DirectSurface> orphan;
    {
        DirectSurfaceService shortLived(display);
        ASSERT_EQ(shortLived.createOffscreen(4, 4, 16, SurfacePlace::SystemMemory, &orphan), SurfaceResult::Ok);
    }
    EXPECT_TRUE(orphan->lost());
    EXPECT_EQ(orphan->restore(), SurfaceResult::Invalid);
    uint8_t* base;
    int32_t pitch;
    EXPECT_EQ(orphan->lock(&base, &pitch), SurfaceResult::Lost);
}

}  // namespace
}  // namespace plat
