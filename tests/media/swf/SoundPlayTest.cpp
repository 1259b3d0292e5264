// Sounds started and stopped by StartSound tags, against a host that records its players.
#include <gtest/gtest.h>

#include <memory>

#include "media/swf/Player.h"
#include "media/swf/Sound.h"
#include "tests/media/swf/FakeHost.h"
#include "tests/media/swf/PlayTestMovies.h"

using namespace swf;
using namespace swftest;

namespace {

using Log = std::vector<std::string>;

// One second of 8-bit mono at 22050 Hz (rate code 2).
Bytes Second() { return DefineSound(3, 0, 2, false, false, 22050, Bytes(22050, 0x90)); }

struct SoundRun {
    explicit SoundRun(const Bytes& bytes) {
        EXPECT_EQ(Load(doc, bytes), kOk);
        p = std::make_unique<player>(doc, nullptr);
    }
    FakeHost host;
    document doc;
    std::unique_ptr<player> p;
};

}  // namespace

TEST(SoundPlay, StartSoundPlaysOnceThroughTheHost) {
    SoundRun m(MovieOf(1, Concat({Second(), StartSound(3, 0), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.host.log, (Log{"create", "play 0 1"}));
    ASSERT_EQ(m.p->Sounds().size(), 1u);
    u16 channels = 0, bits = 0;
    u32 rate = 0, count = 0;
    ASSERT_EQ(m.p->Sounds()[0]->GetFormat(channels, bits, rate, count), kOk);
    EXPECT_EQ((std::vector<u32>{channels, bits, rate, count}), (std::vector<u32>{1, 8, 22050, 22050}));
}

TEST(SoundPlay, LoopCountIsHowManyTimesTheSoundIsHeard) {
    struct Case {
        u8 flags;
        u16 loops;
        const char* play;
    } cases[] = {{0x04, 1, "play 0 1"}, {0x04, 3, "play 0 3"}, {0x04, 0, "play 0 1"}, {0x00, 0, "play 0 1"},
                 {0x04, 0xFFFF, "play 0 65535"}};
    for (const Case& c : cases) {
        SoundRun m(MovieOf(1, Concat({Second(), StartSound(3, c.flags, 0, 0, c.loops), ShowFrame()})));
        ASSERT_EQ(m.p->AdvanceFrame(), kOk);
        EXPECT_EQ(m.host.log, (Log{"create", c.play})) << c.loops;
    }
}

TEST(SoundPlay, NoMultipleStartsNothingWhileTheSoundIsListed) {
    SoundRun m(MovieOf(2, Concat({Second(), StartSound(3, 0), ShowFrame(), StartSound(3, 0x10), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.host.log, (Log{"create", "play 0 1"}));
    EXPECT_EQ(m.p->Sounds().size(), 1u);
}

TEST(SoundPlay, SyncStopStopsTheListedInstancesAndStartsNone) {
    const Bytes other = DefineSound(4, 0, 2, false, false, 100, Bytes(100, 0x80));
    SoundRun m(MovieOf(2, Concat({Second(), other, StartSound(3, 0), StartSound(3, 0), StartSound(4, 0), ShowFrame(),
                                 StartSound(3, 0x20), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    m.host.log.clear();
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.host.log, (Log{"stop", "release", "stop", "release"}));
    ASSERT_EQ(m.p->Sounds().size(), 1u);
    EXPECT_EQ(m.p->Sounds()[0]->SoundId(), 4);
}

TEST(SoundPlay, InAndOutPointsCountSamplesAt44100) {
    struct Case {
        u32 in, out;
        u32 expectIn, expectOut;
    } cases[] = {{44100, 0, 22050, 22050},
                 {0, 44100, 0, 22050},
                 {22050, 44100, 11025, 22050},
                 {0xFFFFFFFF, 0, 22050, 22050},  // past the data: clamped, an empty window
                 {88200, 44100, 22050, 22050},   // in after out: nothing is heard
                 {0, 0xFFFFFFFF, 0, 22050}};
    for (const Case& c : cases) {
        SoundRun m(MovieOf(1, Concat({Second(), ShowFrame()})));
        ASSERT_EQ(m.p->AdvanceFrame(), kOk);
        sound s(*m.p, m.doc, 0, SoundInfo{3, c.in, c.out, 0, 0x03});
        EXPECT_EQ(s.InPoint(), c.expectIn) << c.in;
        EXPECT_EQ(s.OutPoint(), c.expectOut) << c.out;
    }
}

TEST(SoundPlay, StartOffsetFollowsTheFramesSinceTheSound) {
    struct Case {
        u16 current;
        u16 loops;
        bool finished;
        const char* play;
    } cases[] = {{0, 1, false, "play 0 1"},   {5, 1, false, "play 416 1"}, {12, 1, true, nullptr},
                 {13, 2, false, "play 83 1"}, {24, 2, true, nullptr}};
    for (const Case& c : cases) {
        SoundRun m(MovieOf(1, Concat({Second(), ShowFrame()})));
        ASSERT_EQ(m.p->AdvanceFrame(), kOk);
        sound s(*m.p, m.doc, 0, SoundInfo{3, 0, 0, c.loops, 0x04});
        bool finished = false;
        ASSERT_EQ(s.Start(c.current, finished), kOk);
        EXPECT_EQ(finished, c.finished) << c.current;
        if (c.play) {
            EXPECT_EQ(m.host.log.back(), c.play) << c.current;
        }
        EXPECT_EQ(s.WavePlay() != nullptr, !c.finished);
    }
}

TEST(SoundPlay, EmptyWindowIsFinishedWithoutDividingByIt) {
    SoundRun m(MovieOf(1, Concat({Second(), StartSound(3, 0x03, 100, 100), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_TRUE(m.p->Sounds().empty());
    EXPECT_EQ(m.host.log, (Log{"create", "stop", "release"}));
}

TEST(SoundPlay, SoundsMetInsideAGotoAreNeitherHeardNorKept) {
    // Frame 3 starts the sound unless one is listed.
    SoundRun m(MovieOf(3, Concat({Second(), StartSound(3, 0), ShowFrame(), ShowFrame(), StartSound(3, 0x10), ShowFrame()})));
    ASSERT_EQ(m.p->GotoFrame(2), kOk);
    EXPECT_TRUE(m.host.log.empty());
    EXPECT_TRUE(m.p->Sounds().empty());
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    EXPECT_EQ(m.host.log, (Log{"create", "play 0 1"}));
}

TEST(SoundPlay, StopSoundsActionAndThePlayersEndStopEverySound) {
    FakeHost host;
    document doc;
    ASSERT_EQ(Load(doc, MovieOf(2, Concat({Second(), StartSound(3, 0), ShowFrame(), DoAction(act::StopSounds()),
                                          StartSound(3, 0), ShowFrame()}))),
              kOk);
    {
        player p(doc, nullptr);
        ASSERT_EQ(p.AdvanceFrame(), kOk);
        ASSERT_EQ(p.AdvanceFrame(), kOk);
        // The StartSound of frame 2 played before its frame's actions ran.
        EXPECT_EQ(host.log, (Log{"create", "play 0 1", "create", "play 0 1", "stop", "release", "stop", "release"}));
        EXPECT_TRUE(p.Sounds().empty());
        ASSERT_EQ(p.GotoFrame(0), kOk);
        ASSERT_EQ(p.AdvanceFrame(), kOk);
        host.log.clear();
    }
    EXPECT_EQ(host.log, (Log{"stop", "release"}));
}

TEST(SoundPlay, HostFailuresAndMissingHost) {
    {
        SoundRun m(MovieOf(1, Concat({Second(), StartSound(3, 0), ShowFrame()})));
        m.host.createResult = kErrMemory;
        EXPECT_EQ(m.p->AdvanceFrame(), kErrMemory);
        EXPECT_TRUE(m.p->Sounds().empty());
    }
    {
        // A Play failure is not reported: the sound stays listed without a player.
        SoundRun m(MovieOf(1, Concat({Second(), StartSound(3, 0), ShowFrame()})));
        m.host.playResult = kErrMemory;
        EXPECT_EQ(m.p->AdvanceFrame(), kOk);
        ASSERT_EQ(m.p->Sounds().size(), 1u);
        EXPECT_EQ(m.p->Sounds()[0]->WavePlay(), nullptr);
    }
    document doc;
    ASSERT_EQ(Load(doc, MovieOf(1, Concat({Second(), StartSound(3, 0), ShowFrame()}))), kOk);
    player p(doc, nullptr);
    EXPECT_EQ(p.AdvanceFrame(), kErrNoInterface);
}

TEST(SoundPlay, DestroyFromTheHostLeavesTheList) {
    SoundRun m(MovieOf(1, Concat({Second(), StartSound(3, 0), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    ASSERT_EQ(m.host.sources.size(), 1u);
    m.host.sources[0]->Destroy();
    EXPECT_TRUE(m.p->Sounds().empty());
    EXPECT_EQ(m.host.log, (Log{"create", "play 0 1", "stop", "release"}));
}

TEST(SoundPlay, WindowReadsGiveSilencePastItsEnd) {
    Bytes data(100);
    for (u32 i = 0; i < 100; ++i) data[i] = u8(i);
    SoundRun m(MovieOf(1, Concat({DefineSound(3, 0, 2, false, false, 100, data), ShowFrame()})));
    ASSERT_EQ(m.p->AdvanceFrame(), kOk);
    // Samples 50 to 99 at 22050 Hz are points 100 to 198 at 44100.
    sound s(*m.p, m.doc, 0, SoundInfo{3, 100, 0, 0, 0x01});
    u8 out[8];
    ASSERT_EQ(s.ReadSamples(46, 8, out), kOk);
    EXPECT_EQ(Bytes(out, out + 8), (Bytes{96, 97, 98, 99, 0x80, 0x80, 0x80, 0x80}));
    ASSERT_EQ(s.ReadSamples(0xFFFFFFF0u, 8, out), kOk);
    EXPECT_EQ(Bytes(out, out + 8), Bytes(8, 0x80));
}
