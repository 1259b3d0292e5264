// The page's sounds on the easel, heard on the headless audio device: a sound on the page
// enables Play, which plays it, and a click off Stop stops it; with the user's attached sounds
// off, Play stays disabled. The page commands that play and stop the sounds reach them.
#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "engine/audio/format/ArchiveWave.h"
#include "screens/easel/CanvasMessages.h"
#include "screens/easel/RCanvas.h"
#include "tests/app/harness/ProgramEar.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

// Two seconds of a loud square wave, as our own sound import stores it.
std::vector<u8> toneWave() {
    ArchiveWaveInfo info;
    info.sampleRate = 22050;
    info.bits = 8;
    info.frames = 44100;
    std::vector<u8> samples(info.frames);
    for (u32 i = 0; i < info.frames; ++i) samples[i] = (i / 25) % 2 ? 0x20 : 0xE0;
    return writeArchiveWave(info, samples);
}

class PagePlay : public testscreens::EaselHarness {
protected:
    // The sound object added to the shown page, and the page's state told to the easel.
    void addSound(std::vector<u8> media, u16 id = 1) {
        auto sound = std::make_unique<RMediaFilePageObject>(kTypeSound, id);
        sound->media = std::move(media);
        ASSERT_NE(app->GetCurrentPage()->Data().AdoptObject(std::move(sound)), nullptr);
        send(kMsgPageStateChanged);
    }
    void send(u32 code) {
        RMessage message(code, 0, 0);
        easel->HandleMessage(&message, 0);
    }
    RButton* button(u16 id) {
        const i32 index = easel->FindButtonById(id);
        return index < 0 ? nullptr : easel->Buttons()[size_t(index)].get();
    }
    bool heardSince(size_t from, u32 ms = 1000) { return ear.HeardSince(clock_.clock(), from, ms, loop); }
    size_t playing() const { return easel->Canvas()->Sounds().PlayingCount(); }

    testapp::ProgramEar ear;
    std::function<void()> loop = [this] { settle(1); };
};

struct PlayCase {
    const char* name;
    u16 attachedSounds;
    bool playable;
};

class PagePlayButton : public PagePlay, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(PagePlayButton, APageSoundEnablesPlayWhichPlaysItUnlessAttachedSoundsAreOff) {
    const PlayCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(enterEasel());
    app->GetGlobalUserSettings()->attachedSounds = c.attachedSounds;
    ASSERT_NO_FATAL_FAILURE(addSound(toneWave()));
    EXPECT_EQ(easel->HasMedia(), c.playable);
    RButton* play = button(kPlayButton);
    ASSERT_NE(play, nullptr);
    ASSERT_NE(play->GetHotSpot(), nullptr);
    EXPECT_EQ(play->GetState() == kButtonUp, c.playable);

    ear.UntilQuiet(clock_.clock(), loop);
    const size_t before = ear.Played();
    const Rect16 at = play->GetHotSpot()->GetRect();
    click(Point16{i16((at.left + at.right) / 2), i16((at.top + at.bottom) / 2)});
    EXPECT_EQ(easel->IsPlaying(), c.playable);
    EXPECT_EQ(playing(), c.playable ? 1u : 0u);
    EXPECT_EQ(heardSince(before), c.playable);
    if (c.playable) {
        // A click off Stop stops the page.
        const Rect16& canvas = easel->Canvas()->CanvasRect();
        click(Point16{i16(canvas.left + 20), i16(canvas.top + 20)});
        EXPECT_FALSE(easel->IsPlaying());
        EXPECT_EQ(playing(), 0u);
    }
    // An opened picture's sounds play as the picture comes (6649), with attached sounds on.
    send(kMsgPlaySounds);
    EXPECT_EQ(playing(), c.playable ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(AttachedSounds, PagePlayButton,
                         ::testing::Values(PlayCase{"on", 1, true}, PlayCase{"off", 0, false}),
                         [](const ::testing::TestParamInfo<PlayCase>& info) { return std::string(info.param.name); });

TEST_F(PagePlay, ThePageCommandsPlayAndStopItsSounds) {
    ASSERT_NO_FATAL_FAILURE(enterEasel());
    ASSERT_NO_FATAL_FAILURE(addSound(toneWave()));
    struct Step {
        u32 command;
        size_t playing;
    };
    const Step steps[] = {
        {kMsgPlaySounds, 1}, {kMsgStopSounds, 0}, {kMsgPlaySounds, 1}, {kMsgStopMedia, 0},
        {kMsgPlayPage, 1},   {kMsgPlayLastPlaced, 0}, {kMsgPlayPage, 1}, {kMsgPlayPage, 1},
    };
    for (const Step& step : steps) {
        send(step.command);
        EXPECT_EQ(playing(), step.playing) << step.command;
    }
}

// What is not an archive wave with samples is no sound to play: Play stays disabled.
TEST_F(PagePlay, ASoundObjectWithoutAPlayableWaveLeavesPlayDisabled) {
    ASSERT_NO_FATAL_FAILURE(enterEasel());
    ArchiveWaveInfo empty;
    empty.sampleRate = 22050;
    empty.bits = 8;
    u16 id = 1;
    for (const std::vector<u8>& media : {std::vector<u8>{}, std::vector<u8>(64, 7), writeArchiveWave(empty, {})}) {
        ASSERT_NO_FATAL_FAILURE(addSound(media, id++));
        EXPECT_FALSE(easel->HasMedia()) << media.size();
        send(kMsgPlaySounds);
        EXPECT_EQ(playing(), 0u);
    }
}

}  // namespace
