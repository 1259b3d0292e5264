// Frame actions as the player runs them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "media/swf/Player.h"
#include "tests/media/swf/PlayTestMovies.h"

using namespace swf;
using namespace swftest;

namespace {

std::vector<std::string> gUrls;
void RecordUrl(player&, const PlayerEvent& event) {
    if (event.kind == kPlayerEventLoadUrl) gUrls.push_back(event.text);
}

struct Playing {
    explicit Playing(const Bytes& bytes, PlayerEventCallback callback = nullptr) {
        EXPECT_EQ(Load(doc, bytes), kOk);
        p = std::make_unique<player>(doc, callback);
    }
    document doc;
    std::unique_ptr<player> p;
};

}  // namespace

TEST(PlayerActions, GetUrlAsksTheOwnerOnlyForItsOwnWindow) {
    gUrls.clear();
    const Bytes actions = Concat({act::GetUrl("a.swf", "_SELF"), act::GetUrl("b.swf", "_blank"), act::GetUrl("c", "_self")});
    Playing m(MovieOf(1, Concat({DoAction(actions), ShowFrame()})), RecordUrl);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(gUrls, (std::vector<std::string>{"a.swf", "c"}));
    // Without a callback nothing is asked.
    Playing quiet(MovieOf(1, Concat({DoAction(actions), ShowFrame()})));
    EXPECT_EQ(quiet.p->AdvanceFrame(), kOk);
}

TEST(PlayerActions, SetTargetSendsGotosToANamedSprite) {
    const Bytes sprite = Sprite(10, 3, Concat({ShowFrame(), ShowFrame(), ShowFrame()}));
    const Bytes actions = Concat({act::Target("s"), act::Goto(2), act::Stop(), act::Target("nothing"), act::Play()});
    Playing m(MovieOf(2, Concat({sprite, Place(1, 10, "s"), ShowFrame(), DoAction(actions), ShowFrame()})));
    m.p->clock = 100;
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    movie& s = *m.p->FirstChild();
    EXPECT_EQ(s.CurrentFrame(), 2);
    // After the goto the rest of the list still runs: Stop on the sprite, Play stays on it.
    EXPECT_EQ(s.nextFrameTime, 183u);
    EXPECT_EQ(m.p->nextFrameTime, 0u);
}

TEST(PlayerActions, NextAndPreviousFrame) {
    const Bytes tags = Concat({ShowFrame(), ShowFrame(), DoAction(act::Previous()), ShowFrame(), ShowFrame(),
                               DoAction(act::Next()), ShowFrame(), ShowFrame(), ShowFrame()});
    Playing m(MovieOf(7, tags));
    ASSERT_EQ(m.p->GotoFrame(2), kOk);
    // Frame 3's actions run while frame 2 is the current one: back to 1, then frame 2 plays.
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->CurrentFrame(), 2);
    ASSERT_EQ(m.p->GotoFrame(4), kOk);
    // Frame 5's actions go on to 5, then the step plays frame 6.
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->CurrentFrame(), 6);
}

TEST(PlayerActions, PreviousFrameBeforeTheFirstStays) {
    Playing m(MovieOf(2, Concat({DoAction(act::Previous()), ShowFrame(), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->CurrentFrame(), 1);
}

TEST(PlayerActions, WaitForFrameSkipsWhileTheFrameIsNotRead) {
    // 3 frames read: waiting for 5 skips the Stop after it, waiting for 2 does not skip.
    const Bytes actions = Concat({act::WaitFor(5, 1), act::Stop(), act::WaitFor(2, 1), act::Play()});
    Playing m(MovieOf(3, Concat({DoAction(actions), ShowFrame(), ShowFrame(), ShowFrame()})));
    m.p->nextFrameTime = 0;
    m.p->clock = 10;
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->nextFrameTime, 93u);
}

TEST(PlayerActions, GotoLabelAction) {
    const Bytes tags = Concat({DoAction(act::GotoLabel("end")), ShowFrame(), ShowFrame(), Label("end"), ShowFrame(),
                               ShowFrame()});
    Playing m(MovieOf(4, tags));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->CurrentFrame(), 3);
}

TEST(PlayerActions, SpriteActionsThatRewindTheirParentAreSkippedWhileTheSpriteSteps) {
    // The inner sprite's frame asks to rewind the outer one, which would remove the inner
    // sprite from under its own step.
    const Bytes inner = Sprite(11, 2, Concat({DoAction(Concat({act::Target(".."), act::Goto(0)})), ShowFrame(), ShowFrame()}));
    const Bytes outer = Sprite(10, 2, Concat({Place(1, 11, "in"), ShowFrame(), ShowFrame()}));
    const Bytes rootActions = Concat({act::Target("out"), act::Goto(1), act::Target("in"), act::Goto(2)});
    Playing m(MovieOf(2, Concat({inner, outer, Place(1, 10, "out"), ShowFrame(), DoAction(rootActions), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    movie& out = *m.p->FirstChild();
    ASSERT_NE(out.FirstChild(), nullptr);
    EXPECT_EQ(out.FirstChild()->CurrentFrame(), 2);
}

TEST(PlayerActions, NestedActionListsMoveFramesUpToTheLimit) {
    // Sprite k places sprite k + 1 as "c" and sends it to frame 1, whose actions do the same
    // one level further down: each level runs inside the action list of the one above.
    constexpr u16 kChain = kMaxActionNesting + 3;
    const Bytes goChild = DoAction(Concat({act::Target("c"), act::Goto(1)}));
    Bytes tags;
    for (u16 k = kChain; k >= 1; --k) {
        const Bytes frame = k < kChain ? Concat({Place(1, u16(k + 1), "c"), goChild, ShowFrame()}) : ShowFrame();
        tags = Concat({tags, Sprite(k, 1, frame)});
    }
    Playing m(MovieOf(1, Concat({tags, Place(1, 1, "c"), goChild, ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    std::vector<u16> frames;
    for (movie* level = m.p->FirstChild(); level; level = level->FirstChild()) frames.push_back(level->CurrentFrame());
    // The root's list runs at nesting 1: sprites 1 to the limit move, the next one is placed
    // but stays at frame 0.
    ASSERT_EQ(frames.size(), size_t(kMaxActionNesting + 1));
    EXPECT_EQ(frames[kMaxActionNesting - 1], 1);
    EXPECT_EQ(frames[kMaxActionNesting], 0);
}
