// Demonstration movies on the sprite layer: a movie of two stills (red for a second, then blue)
// shown at its place, played, held, rewound and looping on the fake clock; records placed
// outside the player's area, records without a movie, and the one process-wide slot.
#include <gtest/gtest.h>

#include <memory>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/OffscreenPortForRect.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprScreen.h"
#include "media/objects/RDemoMovie.h"
#include "media/quicktime/QtEffects.h"
#include "platform/clock/Clock.h"
#include "platform/media/PixelRows.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "tests/media/quicktime/QtTestSupport.h"

namespace {

namespace pm = plat::media;

constexpr Rect16 kScreen{0, 0, 160, 120};
constexpr Rect16 kPlace{40, 30, 72, 54};  // the movie is 32 x 24
constexpr u16 kRed = 0x7C00, kBlue = 0x001F, kGrey = 0x4210;

class DemoMovieObjTest : public testspr::WithSpriteScreen<qttest::QtRuntimeTest> {
protected:
    void SetUp() override {
        QtRuntimeTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen(kScreen, GfxColor::rgb(128, 128, 128), true));
    }
    void TearDown() override {
        demoMovieSetSlot(nullptr);
        WithSpriteScreen::TearDown();
    }

    // Red from 0 to 1 s, blue from 1 to 2 s, in a scale of 600.
    static MrMovie* twoStills() {
        MrMovie* movie = qtNewMovie(600);
        const u8 colours[2][3] = {{255, 0, 0}, {0, 0, 255}};
        for (int i = 0; i < 2; ++i) {
            MrWorld* picture = nullptr;
            const MrRect bounds{0, 0, 24, 32};
            EXPECT_EQ(qtNewWorldOfFormat(&picture, pm::kMrFormatBgra32, &bounds), 0);
            std::vector<u8> row;
            for (int x = 0; x < 32; ++x) row.insert(row.end(), colours[i], colours[i] + 3);
            for (int y = 0; y < 24; ++y) pm::writeRowRgb(*qtWorldPixMap(picture), y, 0, 32, row.data());
            MrTrack* track = nullptr;
            EXPECT_EQ(qtAddStillTrack(movie, picture, i * 600, 600, 32 << 16, 24 << 16, &track), 0);
            qtDisposeWorld(picture);
        }
        return movie;
    }

    // The window's pixel after a screen update, with each channel cut to its top two bits so that
    // JPEG's small errors do not count.
    u16 shown(i16 x, i16 y) {
        sprUpdateScreen(1);
        GfxColor c;
        window_->ReadPixel(&c, x, y);
        return u16(((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3)) & 0x6318;
    }
    void advance(u32 ms) { clock_.advance(ms); }

    plat::ScopedFakeClock clock_{5000};
};

TEST_F(DemoMovieObjTest, ShowsPlaysHoldsRewindsAndLoops) {
    auto demo = std::make_unique<RDemoMovie>(nullptr, kScreen);
    DemoMovieObj* record = DemoMovieObj::Create(demo.get(), twoStills(), kPlace, true);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(demo->current(), record);
    EXPECT_TRUE(record->open());
    EXPECT_EQ(shown(50, 40), kRed & 0x6318) << "the first picture before playing";
    EXPECT_EQ(shown(20, 20), kGrey & 0x6318) << "outside the movie";
    advance(1500);
    EXPECT_EQ(shown(50, 40), kRed & 0x6318) << "not started: still the first picture";

    MovieObjPlay(record);
    EXPECT_TRUE(record->playing());
    advance(1200);
    EXPECT_EQ(shown(50, 40), kBlue & 0x6318) << "played past a second";
    MovieObjStop(record);
    EXPECT_FALSE(record->playing());
    const MrTime held = qtGetMovieTime(record->movie());
    advance(3000);
    EXPECT_EQ(shown(50, 40), kBlue & 0x6318);
    EXPECT_EQ(qtGetMovieTime(record->movie()), held) << "a stopped movie holds its place";

    MovieObjPause(record);
    EXPECT_EQ(qtGetMovieTime(record->movie()), 0);
    EXPECT_EQ(shown(50, 40), kRed & 0x6318) << "paused back at its start";

    MovieObjPlay(record);
    advance(2500);
    shown(50, 40);  // the end is seen and the movie starts again
    EXPECT_TRUE(record->playing());
    EXPECT_LT(qtGetMovieTime(record->movie()), 600) << "a demonstration loops";
    EXPECT_EQ(shown(50, 40), kRed & 0x6318);
}

TEST_F(DemoMovieObjTest, PlacesOutsideTheAreaGoToItsCornerAndDrawingStaysInside) {
    const Rect16 area{20, 10, 60, 50};
    const struct {
        Rect16 place;
        Rect16 display;
        Point16 inside;
    } cases[] = {
        {{30, 20, 62, 44}, {30, 20, 62, 44}, {35, 25}},     // inside
        {{100, 80, 132, 104}, {20, 10, 52, 34}, {25, 15}},  // outside: to the corner
    };
    for (const auto& c : cases) {
        auto demo = std::make_unique<RDemoMovie>(nullptr, area);
        DemoMovieObj* record = DemoMovieObj::Create(demo.get(), twoStills(), c.place, true);
        EXPECT_TRUE(rectEqual(record->displayRect(), c.display)) << c.place.left;
        demoMovieSetSlot(std::move(demo));
        EXPECT_EQ(shown(c.inside.h, c.inside.v), kRed & 0x6318) << c.place.left;
        demoMovieSetSlot(nullptr);
    }
    // Clipped to the area: the movie at (30, 20) reaches x 62, the area ends at 60.
    auto demo = std::make_unique<RDemoMovie>(nullptr, area);
    DemoMovieObj::Create(demo.get(), twoStills(), cases[0].place, true);
    demoMovieSetSlot(std::move(demo));
    EXPECT_EQ(shown(59, 30), kRed & 0x6318);
    EXPECT_EQ(shown(61, 30), kGrey & 0x6318);
}

TEST_F(DemoMovieObjTest, ARecordWithoutMovieDrawsNothingAndIgnoresPlay) {
    auto demo = std::make_unique<RDemoMovie>(nullptr, kScreen);
    DemoMovieObj* record = DemoMovieObj::Create(demo.get(), nullptr, kPlace, true);
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->open());
    MovieObjPlay(record);
    EXPECT_FALSE(record->playing());
    EXPECT_EQ(shown(50, 40), kGrey & 0x6318);
    MovieObjStop(nullptr);
    MovieObjPause(nullptr);
    MovieObjPlay(nullptr);
    EXPECT_EQ(DemoMovieObj::Create(nullptr, twoStills(), kPlace, true), nullptr) << "no player: the movie goes";
}

TEST_F(DemoMovieObjTest, TimingIsTenMillisecondsAndAThousandSteps) {
    auto demo = std::make_unique<RDemoMovie>(nullptr, kScreen);
    DemoMovieObj* record = DemoMovieObj::Create(demo.get(), twoStills(), kPlace, false);
    u32 ms = 0;
    u16 steps = 0;
    EXPECT_TRUE(MovieObjGetTiming(record, &ms, &steps));
    EXPECT_EQ(ms, 10u);
    EXPECT_EQ(steps, 1000);
    EXPECT_FALSE(MovieObjGetTiming(nullptr, &ms, &steps));
    EXPECT_EQ(record->sprite(), 0) << "no sprite was asked for";
}

TEST_F(DemoMovieObjTest, TheSlotHoldsOneDemonstrationAtATime) {
    auto first = std::make_unique<RDemoMovie>(nullptr, kScreen);
    DemoMovieObj* a = DemoMovieObj::Create(first.get(), twoStills(), kPlace, true);
    const u16 firstSprite = a->sprite();
    MovieObjPlay(a);
    demoMovieSetSlot(std::move(first));
    ASSERT_NE(sprFind(firstSprite), nullptr);

    auto second = std::make_unique<RDemoMovie>(nullptr, kScreen);
    DemoMovieObj* b = DemoMovieObj::Create(second.get(), twoStills(), {80, 60, 112, 84}, true);
    RDemoMovie* secondPlayer = second.get();
    demoMovieSetSlot(std::move(second));
    EXPECT_EQ(demoMovieSlot(), secondPlayer);
    EXPECT_EQ(demoMovieSlot()->current(), b);
    EXPECT_EQ(sprFind(firstSprite), nullptr) << "the first demonstration went with its sprite";
    EXPECT_EQ(shown(50, 40), kGrey & 0x6318) << "and its picture";
    EXPECT_EQ(shown(90, 70), kRed & 0x6318);
    demoMovieSetSlot(nullptr);
    EXPECT_EQ(demoMovieSlot(), nullptr);
    EXPECT_EQ(shown(90, 70), kGrey & 0x6318);
}

// A player that always lives at one address: each one made takes the place of the last one
// deleted, as an allocator may do at any time.
alignas(RDemoMovie) unsigned char samePlace[sizeof(RDemoMovie)];
struct SameAddress : RDemoMovie {
    using RDemoMovie::RDemoMovie;
    static void* operator new(size_t) { return samePlace; }
    static void operator delete(void*) {}
};
static_assert(sizeof(SameAddress) == sizeof(RDemoMovie));

TEST_F(DemoMovieObjTest, AHolderKnowsItsDemonstrationByTokenNotByAddress) {
    auto first = std::make_unique<SameAddress>(nullptr, kScreen);
    const RDemoMovie* firstPlayer = first.get();
    DemoMovieObj* a = DemoMovieObj::Create(first.get(), twoStills(), kPlace, true);
    const u64 firstToken = demoMovieSetSlot(std::move(first));
    EXPECT_NE(firstToken, 0u);
    EXPECT_EQ(demoMovieSlotToken(), firstToken);
    EXPECT_EQ(demoMovieSlotRecord(firstToken), a);
    EXPECT_EQ(demoMovieSetSlot(nullptr), 0u);
    EXPECT_EQ(demoMovieSlotRecord(firstToken), nullptr);

    auto second = std::make_unique<SameAddress>(nullptr, kScreen);
    ASSERT_EQ(second.get(), firstPlayer) << "the new player sits where the deleted one was";
    DemoMovieObj* b = DemoMovieObj::Create(second.get(), twoStills(), kPlace, true);
    const u64 secondToken = demoMovieSetSlot(std::move(second));
    EXPECT_NE(secondToken, firstToken);
    EXPECT_EQ(demoMovieSlotRecord(firstToken), nullptr) << "the first holder cannot reach the new demonstration";
    EXPECT_EQ(demoMovieSlotRecord(secondToken), b);
    EXPECT_EQ(demoMovieSlotRecord(0), nullptr);
    demoMovieSetSlot(nullptr);
    EXPECT_EQ(demoMovieSlotToken(), 0u);
    EXPECT_EQ(demoMovieSlotRecord(secondToken), nullptr);
}

// A demonstration that is not playing costs nothing on the screen's updates: it is drawn again
// only when its picture changes.
TEST_F(DemoMovieObjTest, AHeldOrWaitingDemonstrationIsNotDrawnAgain) {
    struct Counting : RDemoMovie {
        using RDemoMovie::RDemoMovie;
        void Draw(DemoMovieObj* record, i16 x, i16 y, GfxPort* port) override {
            ++draws;
            RDemoMovie::Draw(record, x, y, port);
        }
        int draws = 0;
    };
    auto demo = std::make_unique<Counting>(nullptr, kScreen);
    DemoMovieObj* record = DemoMovieObj::Create(demo.get(), twoStills(), kPlace, true);
    const auto drawsOver = [&](int updates) {
        const int before = demo->draws;
        for (int i = 0; i < updates; ++i) {
            advance(100);
            sprUpdateScreen(1);
        }
        return demo->draws - before;
    };
    EXPECT_GT(drawsOver(1), 0) << "the first picture is shown";
    EXPECT_EQ(drawsOver(20), 0) << "waiting at its start";
    MovieObjPlay(record);
    EXPECT_GT(drawsOver(15), 0) << "playing: red turns blue";
    MovieObjStop(record);
    drawsOver(1);
    EXPECT_EQ(drawsOver(30), 0) << "held";
    MovieObjPause(record);
    EXPECT_GT(drawsOver(1), 0) << "back at its start: red again";
    EXPECT_EQ(drawsOver(30), 0) << "held at its start";
}

}  // namespace
