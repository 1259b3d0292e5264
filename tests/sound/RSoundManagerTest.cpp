// The sound manager: its groups, the operations it runs on their sounds, and fades driven by
// the main window's tick.
#include "sound/RSoundManager.h"

#include "engine/audio/format/ArchiveWave.h"
#include "tests/engine/audio/AudioTestSupport.h"

namespace {

using namespace Ostrel;

class SoundManager : public audiotest::AudioTest {
protected:
    std::unique_ptr<RSound> loaded() {
        ArchiveWaveInfo info;
        info.sampleRate = 22050;
        info.frames = 2205;
        auto sound = std::make_unique<RSound>();
        EXPECT_EQ(sound->LoadFromHandle(handleWith(writeArchiveWave(info, std::vector<u8>(4410, 1))), 1), kErrNone);
        return sound;
    }
};

TEST_F(SoundManager, GroupOperationsReachOnlySoundsOfTheGroup) {
    auto a = loaded(), b = loaded();
    RSoundManager manager;
    ASSERT_EQ(manager.AddGroup(std::make_unique<RSoundGroup>(RSoundGroup{{a.get(), b.get()}})), 0);
    struct Case { size_t index; u16 operation; i32 value; u16 result; };
    const Case cases[] = {
        {1, kSoundGroupSetVolume, 0x8000, 0}, {2, kSoundGroupSetVolume, 0x4000, 1}, {0, kSoundGroupSetPan, 300, 0},
        {0, kSoundGroupSetRate, 0x20000, 0},  {0, kSoundGroupSetFade, kSoundFadeIn, 0}, {0, kSoundGroupFadeStep, 0, 1},
        {0, 9, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(manager.GroupOperation(0, c.index, c.operation, c.value), c.result) << c.operation;
    EXPECT_EQ(manager.GroupOperation(1, 0, kSoundGroupSetVolume, 0), 1);
    EXPECT_EQ(b->GetVolume(), 0x8000);
    EXPECT_EQ(a->GetPan(), 256);
    EXPECT_EQ(a->GetRate(), 0x20000);
    EXPECT_EQ(a->GetFadeLevel(), 1);
}

TEST_F(SoundManager, HoldsTwentyGroups) {
    RSoundManager manager;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(manager.AddGroup(std::make_unique<RSoundGroup>()), i);
    EXPECT_EQ(manager.AddGroup(std::make_unique<RSoundGroup>()), -1);
    EXPECT_EQ(manager.GroupCount(), 20u);
}

TEST_F(SoundManager, TicksFadeTogetherUntilEverySoundArrives) {
    auto in = loaded(), out = loaded(), still = loaded();
    still->SetVolume(0x9000);
    RSoundManager manager;
    manager.AddGroup(std::make_unique<RSoundGroup>(RSoundGroup{{in.get()}}));
    manager.AddGroup(std::make_unique<RSoundGroup>(RSoundGroup{{out.get(), still.get()}}));
    in->SetFade(kSoundFadeIn);
    out->SetFade(kSoundFadeOut);
    manager.HandleTick(0);
    EXPECT_EQ(in->GetFadeLevel(), 0) << "no tick moves anything before fading starts";
    manager.StartFading();
    for (u32 tick = 1; tick <= 16; ++tick) {
        manager.HandleTick(tick);
        EXPECT_TRUE(manager.IsFading()) << tick;
        EXPECT_EQ(in->GetFadeLevel(), tick);
        EXPECT_EQ(out->GetFadeLevel(), 17 - tick);
    }
    manager.HandleTick(17);
    EXPECT_FALSE(manager.IsFading());
    EXPECT_EQ(in->GetFadeGain(), 0x11000);
    EXPECT_EQ(out->GetFadeGain(), 0);
    EXPECT_EQ(in->GetFadeMode(), kSoundFadeNone);
    EXPECT_EQ(out->GetFadeMode(), kSoundFadeNone);
    EXPECT_EQ(still->GetAudioObject()->volume, 0x9000) << "a sound that was not fading keeps its volume";
}

TEST_F(SoundManager, GoingAwayStopsEverySound) {
    auto a = loaded(), b = loaded();
    {
        RSoundManager manager;
        manager.AddGroup(std::make_unique<RSoundGroup>(RSoundGroup{{a.get(), b.get()}}));
        ASSERT_EQ(a->Play(), kErrNone);
        ASSERT_EQ(b->Play(), kErrNone);
        b->Pause();
    }
    EXPECT_FALSE(a->IsPlaying());
    EXPECT_FALSE(b->IsPlaying());
    EXPECT_FALSE(b->IsPaused());
    EXPECT_EQ(audioGetStatus(b->GetAudioObject()), kAudioStatusOpen);
}

}  // namespace
