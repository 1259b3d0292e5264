// The timeline at play time: frames, the End tag, gotos and labels, the display list.
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <memory>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "media/swf/ButtonInstance.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/Player.h"
#include "media/swf/SpriteInstance.h"
#include "media/swf/Tag.h"
#include "tests/media/swf/PlayTestMovies.h"

using namespace swf;
using namespace swftest;

namespace {

// Long enough for a sanitizer build on a loaded machine to finish a bounded loop; a hang goes on
// for ever.
constexpr auto kHangLimit = std::chrono::seconds(180);

struct Shown {
    u16 depth;
    u32 kind;
    u16 character;
    u16 level;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << "{depth " << s.depth << " kind " << s.kind << " id " << s.character << " level " << s.level << "}";
}

// The display list front to back.
std::vector<Shown> DisplayOf(player& p) {
    std::vector<Shown> out;
    NameTree& list = p.DisplayList();
    for (u32 at = list.First(); at != kNoEntry; at = list.Entry(at).next) {
        const NameTreeEntry& e = list.Entry(at);
        out.push_back({e.depth, e.kind, u16(e.character ? e.character->CharacterId() : 0), e.level});
    }
    return out;
}

class PlayerRun {
public:
    explicit PlayerRun(const Bytes& bytes, PlayerEventCallback callback = nullptr) {
        EXPECT_EQ(Load(doc, bytes), kOk);
        p = std::make_unique<player>(doc, callback);
    }
    document doc;
    std::unique_ptr<player> p;
};

// Frame n (1-based) places shape n at depth n, for n frames.
Bytes Counting(u16 frames, const Bytes& extra = {}) {
    Bytes tags = extra;
    for (u16 n = 1; n <= frames; ++n) tags = Concat({tags, Shape(n), Place(n, n), ShowFrame()});
    return MovieOf(frames, tags);
}

}  // namespace

TEST(Timeline, PlayingMovieShowsItsFirstFrameAgainAfterTheLast_StoppedOneStays) {
    for (const bool playing : {true, false}) {
        PlayerRun m(Counting(3));
        m.p->nextFrameTime = playing ? 1 : 0;
        for (int i = 0; i < 3; ++i) ASSERT_EQ(m.p->AdvanceFrame(), kOk);
        EXPECT_EQ(m.p->CurrentFrame(), 3);
        EXPECT_EQ(DisplayOf(*m.p).size(), 3u);
        ASSERT_EQ(m.p->AdvanceFrame(), kOk);
        if (playing) {
            EXPECT_EQ(m.p->CurrentFrame(), 1);
            EXPECT_EQ(DisplayOf(*m.p), (std::vector<Shown>{{1, kEntryShape, 1, 0}}));
        } else {
            EXPECT_EQ(m.p->CurrentFrame(), 3);
            EXPECT_EQ(DisplayOf(*m.p).size(), 3u);
        }
    }
}

TEST(Timeline, RootThatPlacedASpriteHoldsAtEnd_TheSpriteWaitsForItsOwnSteps) {
    const Bytes sprite = Sprite(10, 2, Concat({Place(1, 1), ShowFrame(), Place(2, 2), ShowFrame()}));
    PlayerRun m(MovieOf(1, Concat({Shape(1), Shape(2), sprite, Place(5, 10, "s"), ShowFrame()})));
    m.p->nextFrameTime = 1;
    m.p->clock = 1000;
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(DisplayOf(*m.p), (std::vector<Shown>{{5, kEntrySprite, 10, 0}}));
    ASSERT_NE(m.p->FirstChild(), nullptr);
    movie& s = *m.p->FirstChild();
    EXPECT_EQ(s.CurrentFrame(), 0);
    EXPECT_EQ(s.nextFrameTime, 1000u + 83u);  // due one frame later at 12 frames a second
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);      // End: holds
    EXPECT_EQ(m.p->CurrentFrame(), 1);
    EXPECT_EQ(m.p->nextFrameTime, 1083u);
    ASSERT_EQ(s.AdvanceFrame(), kOk);
    EXPECT_EQ(DisplayOf(*m.p), (std::vector<Shown>{{5, kEntrySprite, 10, 0}, {1, kEntryShape, 1, 1}}));
    ASSERT_EQ(s.AdvanceFrame(), kOk);
    // Children follow their sprite in descending depth.
    EXPECT_EQ(DisplayOf(*m.p),
              (std::vector<Shown>{{5, kEntrySprite, 10, 0}, {2, kEntryShape, 2, 1}, {1, kEntryShape, 1, 1}}));
}

TEST(Timeline, GotoBackRewindsAndTheStepThatRanItPlaysTheFirstFrame) {
    // Frame 5 jumps back to 0; the step that ran the action then plays frame 1.
    Bytes tags;
    for (u16 n = 1; n <= 5; ++n) {
        tags = Concat({tags, Shape(n), Place(n, n)});
        if (n == 5) tags = Concat({tags, DoAction(act::Goto(0))});
        tags = Concat({tags, ShowFrame()});
    }
    PlayerRun m(MovieOf(5, tags));
    for (int i = 0; i < 4; ++i) ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->CurrentFrame(), 1);
    EXPECT_EQ(DisplayOf(*m.p), (std::vector<Shown>{{1, kEntryShape, 1, 0}}));
}

TEST(Timeline, GotoFrameLimits) {
    struct Case {
        u16 target;
        Result result;
        u16 frame;
    } cases[] = {{0xFFFF, kOk, 3}, {4, kOk, 4}, {5, kErrNotFound, 0}, {2, kOk, 2}, {0, kOk, 0}};
    for (const Case& c : cases) {
        PlayerRun m(Counting(4));
        EXPECT_EQ(m.p->GotoFrame(c.target), c.result) << c.target;
        EXPECT_EQ(m.p->CurrentFrame(), c.frame) << c.target;
    }
}

TEST(Timeline, GotoPastTheTagsEndsInsteadOfHanging) {
    // The header promises 9 frames; the tags hold 3.
    Bytes tags = Concat({Shape(1), Place(1, 1), ShowFrame(), ShowFrame(), ShowFrame()});
    for (const bool playing : {true, false}) {
        PlayerRun m(MovieOf(9, tags));
        m.p->nextFrameTime = playing ? 1 : 0;
        auto done = std::async(std::launch::async, [&] { return m.p->GotoFrame(7); });
        ASSERT_EQ(done.wait_for(kHangLimit), std::future_status::ready);
        EXPECT_EQ(done.get(), kErrNotFound);
    }
}

TEST(Timeline, ActionsThatGotoForeverSpendTheStepBudget) {
    // Frame 1 goes on to frame 1 again, frame 2 goes back to 0: the step never settles.
    const Bytes tags = Concat({DoAction(act::Goto(1)), ShowFrame(), DoAction(act::Goto(0)), ShowFrame()});
    PlayerRun m(MovieOf(2, tags));
    // Frame 1's goto already plays frame 2, whose goto starts it all again.
    auto done = std::async(std::launch::async, [&] { return m.p->AdvanceFrame(); });
    ASSERT_EQ(done.wait_for(kHangLimit), std::future_status::ready);
    EXPECT_EQ(done.get(), kErrBadData);
}

TEST(Timeline, StepBudgetLimitAndOnePast) {
    // Going to frame 6 plays six placements and passes six ShowFrame tags.
    for (const auto& [budget, result] : {std::pair<u32, Result>{12, kOk}, {11, kErrBadData}}) {
        PlayerRun m(Counting(8));
        m.p->stepBudget = budget;
        EXPECT_EQ(m.p->GotoFrame(6), result) << budget;
        // A new outside call starts a new budget.
        m.p->stepBudget = 16;
        EXPECT_EQ(m.p->GotoFrame(0), kOk);
        EXPECT_EQ(m.p->GotoFrame(2), kOk);
    }
}

TEST(Timeline, GotoInTheFirstActionListDiscardsTheSecond) {
    // Frame 2 goes back to 0 and would then stop; the goto discards the Stop.
    const Bytes tags = Concat({ShowFrame(), DoAction(act::Goto(0)), DoAction(act::Stop()), ShowFrame(), ShowFrame()});
    PlayerRun m(MovieOf(3, tags));
    m.p->nextFrameTime = 7;
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->nextFrameTime, 7u);
    EXPECT_EQ(m.p->CurrentFrame(), 1);
}

TEST(Timeline, TwoActionListsRunInTagOrder) {
    const Bytes tags = Concat({DoAction(act::Stop()), DoAction(act::Play()), ShowFrame()});
    PlayerRun m(MovieOf(1, tags));
    m.p->clock = 500;
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->nextFrameTime, 583u);
}

TEST(Timeline, MoveWithOnlyAMatrixKeepsColourTransformAndName) {
    Cxform tint;
    tint.mul[0] = 128;
    Matrix moved;
    moved.translateX = 200;
    const Bytes tags = Concat({Shape(1), PlaceCxform(3, 1, tint), ShowFrame(), Place(3, 0, "n"), ShowFrame(),
                               PlaceMatrix(3, 0, moved, true), ShowFrame()});
    PlayerRun m(MovieOf(3, tags));
    for (int i = 0; i < 3; ++i) ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    NameTree& list = m.p->DisplayList();
    const NameTreeEntry& e = list.Entry(list.First());
    EXPECT_EQ(e.cxform, tint);
    EXPECT_EQ(e.matrix, moved);
    EXPECT_STREQ(e.name.c_str(), "n");
}

TEST(Timeline, PlacingAtATakenDepthReplacesTheInstance) {
    const Bytes tags = Concat({Shape(1), Shape(2), Place(4, 1), ShowFrame(), Place(4, 2), ShowFrame()});
    PlayerRun m(MovieOf(2, tags));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(DisplayOf(*m.p), (std::vector<Shown>{{4, kEntryShape, 2, 0}}));
    EXPECT_EQ(m.doc.FindCharacter(1)->UseCount(), 0u);
    EXPECT_EQ(m.doc.FindCharacter(2)->UseCount(), 1u);
}

TEST(Timeline, RemovingAnEmptyDepthLeavesNoEntry) {
    const Bytes tags = Concat({Place(9, 0), Remove(9), Remove(3), ShowFrame()});
    PlayerRun m(MovieOf(1, tags));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_TRUE(DisplayOf(*m.p).empty());
}

TEST(Timeline, BackgroundColourOnlyFromTheRoot) {
    const Bytes sprite = Sprite(10, 1, Concat({Background(1, 2, 3), ShowFrame()}));
    PlayerRun m(MovieOf(1, Concat({sprite, Background(9, 8, 7), Place(1, 10), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    const u32 changes = m.p->DisplayList().changeCount;
    ASSERT_EQ(m.p->FirstChild()->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->DisplayList().background, (Rgba{9, 8, 7, 255}));
    EXPECT_EQ(m.p->DisplayList().changeCount, changes);
}

TEST(Timeline, GotoLabelIsExactAndTakesTheFirstOfEqualLabels) {
    const Bytes tags = Concat({ShowFrame(), Label("Two"), ShowFrame(), Label("Two"), ShowFrame(), ShowFrame()});
    struct Case {
        const char* label;
        Result result;
        u16 frame;
    } cases[] = {{"Two", kOk, 1}, {"two", kErrNotFound, 0}, {"Tw", kErrNotFound, 0}, {"", kErrNotFound, 0}};
    for (const Case& c : cases) {
        PlayerRun m(MovieOf(4, tags));
        EXPECT_EQ(m.p->GotoLabel(c.label), c.result) << c.label;
        EXPECT_EQ(m.p->CurrentFrame(), c.frame) << c.label;
    }
}

TEST(Timeline, SameButtonPlacedTwiceHasOneInstancePerPlacement) {
    const Bytes tags = Concat({Shape(1), Shape(2), Button(7, {{0x01, 1, 1}, {0x08, 2, 2}}), Place(1, 7), Place(2, 7),
                               ShowFrame(), Remove(2), ShowFrame(), Remove(1), ShowFrame()});
    PlayerRun m(MovieOf(3, tags));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    // Each button shows its Up record under itself; the hit area is never shown.
    EXPECT_EQ(DisplayOf(*m.p), (std::vector<Shown>{{2, kEntryButton, 7, 0},
                                                   {1, kEntryShape, 1, 1},
                                                   {1, kEntryButton, 7, 0},
                                                   {1, kEntryShape, 1, 1}}));
    ASSERT_EQ(m.p->Buttons().size(), 2u);
    EXPECT_EQ(m.p->Buttons()[0]->Entry(), m.p->DisplayList().First());
    EXPECT_EQ(m.p->buttonCount, 2);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(DisplayOf(*m.p), (std::vector<Shown>{{1, kEntryButton, 7, 0}, {1, kEntryShape, 1, 1}}));
    EXPECT_EQ(m.p->Buttons().size(), 1u);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_TRUE(DisplayOf(*m.p).empty());
    EXPECT_TRUE(m.p->Buttons().empty());
    EXPECT_EQ(m.doc.FindCharacter(7)->UseCount(), 0u);
    EXPECT_EQ(m.doc.FindCharacter(1)->UseCount(), 0u);
}

TEST(Timeline, ButtonShowingItselfEndsAtTheLevelLimit) {
    const Bytes tags = Concat({Button(7, {{0x01, 7, 1}, {0x01, 7, 2}, {0x08, 7, 3}}), Place(1, 7), ShowFrame()});
    PlayerRun m(MovieOf(1, tags));
    auto done = std::async(std::launch::async, [&] { return m.p->AdvanceFrame(); });
    ASSERT_EQ(done.wait_for(kHangLimit), std::future_status::ready);
    EXPECT_EQ(done.get(), kErrBadData);
}

TEST(Timeline, RootWithAButtonHoldsAtEnd) {
    const Bytes tags = Concat({Shape(1), Button(7, {{0x09, 1, 1}}), Place(1, 7), ShowFrame(), ShowFrame()});
    PlayerRun m(MovieOf(2, tags));
    m.p->nextFrameTime = 1;
    for (int i = 0; i < 4; ++i) ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.p->CurrentFrame(), 2);
}

TEST(Timeline, PlayerEndReleasesEveryInstance) {
    const Bytes sprite = Sprite(10, 1, Concat({Place(1, 1), ShowFrame()}));
    Bytes bytes = MovieOf(1, Concat({Shape(1), sprite, Place(1, 10), Place(2, 10), ShowFrame()}));
    document doc;
    ASSERT_EQ(Load(doc, bytes), kOk);
    {
        player p(doc, nullptr);
        ASSERT_EQ(p.AdvanceFrame(), kOk);
        for (movie* s = p.FirstChild(); s; s = s->NextSibling()) ASSERT_EQ(s->AdvanceFrame(), kOk);
        EXPECT_EQ(doc.FindCharacter(1)->UseCount(), 2u);
        EXPECT_EQ(doc.FindCharacter(10)->UseCount(), 2u);
    }
    EXPECT_EQ(doc.FindCharacter(1)->UseCount(), 0u);
    EXPECT_EQ(doc.FindCharacter(10)->UseCount(), 0u);
}

TEST(Timeline, DisplayLevelLimitAndOnePast) {
    // Buttons 1..n each show the next; the last shows a shape one level further down.
    for (const auto& [buttons, result] : {std::pair<u16, Result>{kMaxDisplayLevel, kOk}, {kMaxDisplayLevel + 1, kErrBadData}}) {
        Bytes tags = Shape(1000);
        for (u16 b = buttons; b >= 1; --b) tags = Concat({tags, Button(b, {{0x09, u16(b == buttons ? 1000 : b + 1), 1}})});
        PlayerRun m(MovieOf(1, Concat({tags, Place(1, 1), ShowFrame()})));
        EXPECT_EQ(m.p->AdvanceFrame(), result) << buttons;
        u16 deepest = 0;
        for (const Shown& s : DisplayOf(*m.p)) deepest = std::max(deepest, s.level);
        EXPECT_EQ(deepest, result == kOk ? kMaxDisplayLevel : kMaxDisplayLevel + 1) << buttons;
    }
}

// A sprite placing two copies of itself doubles at every level when each new sprite plays its
// first frame at once, as a page's Flash frames start them: the living ones stop at the bound.
TEST(Timeline, SpritesPlacingCopiesOfThemselvesStopAtTheBound) {
    PlayerRun m(MovieOf(1, Concat({Sprite(10, 1, Concat({Place(1, 10), Place(2, 10), ShowFrame()})), Place(1, 10), ShowFrame()})));
    std::vector<movie*> started{m.p.get()};
    for (size_t i = 0; i < started.size() && i <= kMaxTimelines; ++i) {
        (void)started[i]->AdvanceFrame();
        for (movie* child = started[i]->FirstChild(); child; child = child->NextSibling()) started.push_back(child);
    }
    EXPECT_LE(started.size(), kMaxTimelines);
}

TEST(Timeline, BoundsOfShapesAndOfButtonsThroughTheirRecords) {
    Matrix doubled;
    doubled.scaleX = doubled.scaleY = 2 << 16;
    doubled.translateX = 10;
    Matrix turned;  // a quarter turn: x' = -y, y' = x
    turned.scaleX = turned.scaleY = 0;
    turned.rotateSkew0 = 1 << 16;
    turned.rotateSkew1 = -(1 << 16);
    const Bytes tags = Concat({ShapeWithBounds(1, Rect{0, 0, 100, 50}), ShapeWithBounds(2, Rect{-20, -20, 20, 20}),
                               Button(3, {{0x01, 1, 1, doubled}, {0x0A, 2, 2}}), Button(4, {{0x09, 1, 1, turned}})});
    document doc;
    ASSERT_EQ(Load(doc, MovieOf(1, Concat({tags, ShowFrame()}))), kOk);
    EXPECT_EQ(doc.FindCharacter(1)->GetBounds(), (Rect{0, 0, 100, 50}));
    // Only the Up records count: shape 2 is shown Over and as the hit area.
    EXPECT_EQ(doc.FindCharacter(3)->GetBounds(), (Rect{10, 0, 210, 100}));
    EXPECT_EQ(doc.FindCharacter(4)->GetBounds(), (Rect{-50, 0, 0, 100}));
}

TEST(Timeline, PlayingReadsFurtherTagsAsItNeedsThem) {
    const Bytes bytes = Counting(3);
    u8* block = static_cast<u8*>(memAllocPtr(u32(bytes.size())));
    std::memcpy(block, bytes.data(), bytes.size());
    auto in = mstreamOnBuffer(block, u32(bytes.size()), 0);
    document doc;
    ASSERT_EQ(doc.ReadHeader(*in), kOk);
    player p(doc, nullptr);
    const u16 expectedRead[] = {1, 2, 3};
    for (u16 read : expectedRead) {
        ASSERT_EQ(p.AdvanceFrame(), kOk);
        EXPECT_EQ(doc.framesRead, read);
    }
    // The End tag lets go of the stream; a playing movie then starts again from memory.
    p.nextFrameTime = 1;
    ASSERT_EQ(p.AdvanceFrame(), kOk);
    EXPECT_EQ(doc.Source(), nullptr);
    EXPECT_EQ(p.CurrentFrame(), 1);
}
