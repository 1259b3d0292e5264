#include <gtest/gtest.h>

#include "../DemoScreen.h"
#include "../SpriteStage.h"
#include "SdlOnXvfb.h"
#include "tests/xserver/XScreenshot.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/controls/LoadButtonsFromKVR.h"
#include "framework/input/RHotSpotList.h"
#include "framework/messaging/CListener.h"
#include "framework/messaging/mfMessageQueue.h"
#include "platform/clock/Clock.h"
#include "tests/engine/gfx/sprites/AnimatedShapes.h"

namespace {

using ButtonScreenshot = SdlOnXvfb;

using namespace Ostrel;

constexpr int32_t kWidth = 240;
constexpr int32_t kHeight = 160;
constexpr u16 kButtonGroup = 3100;
constexpr u16 kButtonSet = 777;
constexpr u16 kDisc = 24;

u32 widened(u16 word) { return (word >> 10 & 31) << 19 | (word >> 5 & 31) << 11 | (word & 31) << 3; }

class Silent : public CListener {
public:
    u32 HandleMessage(RMessage*, uintptr_t) override { return 0; }
};

// Four still shapes, one disc colour per button state, and a set of four buttons in a row.
std::vector<u8> buttonArchive() {
    using testshape::kAnimatedColours;
    std::vector<testshape::Frame> frames;
    for (u16 state = 0; state < kButtonStateCount; ++state)
        frames.push_back(testshape::discFrame(kDisc, kAnimatedColours[state]));
    auto text = [](const std::vector<u8>& b) { return std::string(b.begin(), b.end()); };
    const testshape::Bytes zeros = testshape::makeOffsetTable(std::vector<u16>(kButtonStateCount + 1, 0));
    std::vector<testres::ResContent> contents{
        {kSprGroupType, kButtonGroup, text(testshape::makeGroup(frames))},
        {kSprOffsetType, kButtonGroup, text(zeros)},
        {kSprOffsetType, u16(kButtonGroup + 1), text(zeros)}};
    for (u16 state = 0; state < kButtonStateCount; ++state) {
        // Shows the state's frame, waits, and starts again: a still picture.
        const testshape::Bytes still =
            testshape::makeScript(0, {0, 0, 0, 0}, {{16, 1, {u16(state + 1), 0, 0}}, {1, 2, {}}, {0, 2, {}}});
        contents.push_back({kSprScriptType, u16(kButtonGroup + state), text(still)});
    }
    std::vector<ButtonRecord> buttons;
    for (i16 i = 0; i < 4; ++i) {
        ButtonRecord b;
        b.id = u16(1000 + i);
        b.shapes = {kButtonGroup, u16(kButtonGroup + 1), u16(kButtonGroup + 2), u16(kButtonGroup + 3)};
        b.left = i16(20 + 50 * i), b.top = 60, b.right = i16(b.left + kDisc), b.bottom = i16(60 + kDisc);
        b.clickMessage = u32(243 + i);
        buttons.push_back(b);
    }
    std::vector<u8> set;
    EXPECT_EQ(writeButtonSet(buttons, &set), kErrNone);
    contents.push_back({kButtonSetType, kButtonSet, text(set)});
    return testres::makeArchive(contents);
}

TEST_F(ButtonScreenshot, EachButtonShowsTheShapeOfItsState) {
    {
        plat::ScopedFakeClock clock(1000);
        std::string whyNot;
        std::unique_ptr<DemoScreen> screen = DemoScreen::open(kWidth, kHeight, &whyNot);
        ASSERT_NE(screen, nullptr) << whyNot;
        std::unique_ptr<SpriteStage> stage = SpriteStage::open(*screen, 0, &whyNot);
        ASSERT_NE(stage, nullptr) << whyNot;
        ASSERT_NE(testshape::openArchiveImage(buttonArchive(), "buttons"), 0);
        ASSERT_NE(sprLoadGroup(kButtonGroup, kButtonStateCount, 0, 0, kSprFirstIsGroupId), kSprNoSlot);

        Silent screenListener;
        RHotSpotList hotSpots(&screenListener);
        RButtonSet buttons = LoadButtonsFromKVR(&screenListener, &hotSpots, kButtonSet, kButtonSpriteFlags);
        ASSERT_EQ(buttons.size(), 4u);
        DrawButtons(buttons);
        // Button 0 stays up; 1 is under the pointer; 2 was clicked and latched; 3 is selected.
        hotSpots.HandleMouseMove({82, 72}, 0);
        buttons[2]->HandleEvent(kHsEventPress, true);
        buttons[3]->HandleEvent(kHsEventSelect, true);
        for (int i = 0; i < 3; ++i) {
            clock.advance(100);
            stage->frame();
        }
        sdl_->pumpEvents();

        const plat::gdi::Point origin = screen->face().clientOrigin();
        std::vector<uint32_t> shot = takeXScreenshot(server_.display(), origin.x, origin.y, kWidth, kHeight);
        ASSERT_EQ(shot.size(), size_t(kWidth * kHeight)) << "the screen could not be read";
        for (size_t b = 0; b < buttons.size(); ++b) {
            SCOPED_TRACE(b);
            EXPECT_EQ(buttons[b]->GetState(), b);
            const Rect16 r = buttons[b]->GetHotSpot()->GetRect();
            const i32 x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
            EXPECT_EQ(shot[size_t(y * kWidth + x)], widened(testshape::kAnimatedColours[b]));
        }
        buttons.clear();
        mfMessageQueue::Global().Clear();
        stage.reset();
    }
}

}  // namespace
