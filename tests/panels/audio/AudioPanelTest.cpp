// A child at the sound panel: browsing and recording show their own buttons, the speed knob
// answers only while recording, a take is recorded from the microphone, ends itself at its
// minute and is kept in the child's own library, only the child's own sounds can be removed,
// and the page's sound comes off again.
#include "panels/audio/RAudioPanel.h"

#include <gtest/gtest.h>

#include "app/settings/GlobalUserSettings.h"
#include "engine/audio/Audio.h"
#include "engine/audio/PcmMix.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/base/ByteOrder.h"
#include "engine/os/OsLock.h"
#include "engine/os/OsManager.h"
#include "engine/os/OsThreads.h"
#include "engine/timers/Timers.h"
#include "framework/controls/RButton.h"
#include "panels/library/LibraryStrip.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "tests/panels/library/LibraryPanelFixture.h"

namespace {

using namespace Ostrel;

// A sound of `ms` milliseconds as a library keeps it.
std::vector<u8> wave(u32 ms) {
    ArchiveWaveInfo info;
    info.sampleRate = 22050;
    info.frames = 22050 * ms / 1000;
    std::vector<u8> samples(info.frames * 2);
    for (u32 i = 0; i < info.frames; ++i) writeBE16(&samples[2 * i], u16(3000 + (i % 100) * 10));
    return writeArchiveWave(info, samples);
}

class AudioPanelTest : public testpanels::LibraryPanelFixture {
protected:
    // The mode button, then browsing's two and recording's four, a row each.
    std::vector<testres::ResContent> contents() const override {
        std::vector<testres::ResContent> items = LibraryPanelFixture::contents();
        items.push_back({fourCC("MBTN"), kAudioButtonSet,
                         testpanels::buttonSet({{1, 1, kMsgAudioToggleMode, 0, 130},
                                                {2, 1, kMsgAudioRemove, kAudioBrowsingGroup, 170},
                                                {3, 1, kMsgAudioRemovePageSound, kAudioBrowsingGroup, 210},
                                                {4, 1, kMsgAudioRecord, kAudioRecordingGroup, 250},
                                                {5, 1, kMsgAudioStop, kAudioRecordingGroup, 290},
                                                {6, 1, kMsgAudioPlay, kAudioRecordingGroup, 330},
                                                {7, 1, kMsgAudioName, kAudioRecordingGroup, 370}})});
        // The icon a kept take shows in the strip.
        const std::vector<u8> icon = testpanels::thumbnailBytes(4, 4);
        items.push_back({kTypeBitmap, kAudioSoundIcon, std::string(icon.begin(), icon.end())});
        return items;
    }
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LibraryPanelFixture::SetUp());
        microphone.setSignal(plat::sineSignal(440, 0.5));
        plat::setCaptureBackend(&microphone);
        // The mixer on the virtual device, driven by hand (Run).
        plat::setAudioBackend(&speakers);
        ASSERT_EQ(timerInit(), kErrNone);
        AudioSettings settings;
        settings.enableMidi = false;
        settings.mixer.runDeviceThreads = false;
        settings.mixer.pushBufferEnable = false;
        settings.mixer.sampleSize = 16;
        settings.mixer.deviceInfo = {{"default", "8, 512, 1024"}};
        ASSERT_EQ(audioInit(settings), kErrNone);
        audioStarted = true;
        MakeLibrary(kTypeSound, kLibraryOnDisk, "Farm.tbl",
                    {{wave(200), testpanels::thumbnailBytes(4, 4), "Cow"}, {wave(300), testpanels::thumbnailBytes(4, 4), "Pig"}});
        MakeLibrary(kTypeSound, kLibraryOnDisk, "Zoo.tbl",
                    {{wave(100), testpanels::thumbnailBytes(4, 4), "Lion"}, {{'x'}, testpanels::thumbnailBytes(4, 4), "Broken"}});
        audio = Open<RAudioPanel>(kTypeSound);
    }
    void TearDown() override {
        panel.reset();
        if (audioStarted) {
            audioShutdown();
            timerShutdown();
        }
        plat::setAudioBackend(nullptr);
        plat::setCaptureBackend(nullptr);
        LibraryPanelFixture::TearDown();
    }
    // Time passes for the mixer and the panel.
    void Run(u32 ms) {
        for (u32 t = 0; t < ms; t += 10) {
            clock.advance(10);
            pcmMixPollDevices();
            osmLockRunForeignPosts();
            osmSleep(0);
        }
        audio->HandleTick(0);
    }
    void Record(u32 ms) {
        Press(kMsgAudioRecord);
        clock.advance(ms);
        Press(kMsgAudioStop);
    }
    // The panel's own button rows, as the child clicks them.
    void Press(u32 command) {
        static const std::pair<u32, i16> rows[] = {{kMsgAudioToggleMode, 130}, {kMsgAudioRemove, 170},
                                                   {kMsgAudioRemovePageSound, 210}, {kMsgAudioRecord, 250},
                                                   {kMsgAudioStop, 290}, {kMsgAudioPlay, 330}};
        for (const auto& [code, top] : rows)
            if (code == command) Click(*panel, 0, top);
        Deliver();
    }
    bool Shown(u32 command) const { return audio->AudioButton(command)->IsShown(); }
    bool RemoveEnabled() const { return audio->AudioButton(kMsgAudioRemove)->GetHotSpot()->IsActive(); }
    bool StripTakesClicks() const {
        RHotSpotList& spots = audio->GetScroller()->HotSpots();
        bool any = false;
        for (int i = 0; i < spots.Count(); ++i) any = any || spots.GetHotSpot(i)->IsActive();
        return any;
    }
    std::string OwnLibrary() const {
        RLibrary unused;
        std::string path;
        libraries->OpenDefaultLibraryForType(kTypeSound, &unused, &path);
        return path;
    }

    plat::VirtualMicrophone microphone;
    plat::VirtualAudioBackend speakers;
    bool audioStarted = false;
    RAudioPanel* audio = nullptr;
};

TEST_F(AudioPanelTest, EachModeShowsItsButtonsAndOnlyRecordingHasTheKnob) {
    const Rect16 knob = RAudioPanel::KnobArea();
    const i16 middle = i16((knob.top + knob.bottom) / 2);
    const i16 left = knob.left;
    const auto press = [&](u32 button, i16 h, i16 v) { return [=, this] { return audio->HandleInput(button, {h, v}, 0); }; };
    const auto move = [&](i16 h, u32 buttons) { return [=, this] { return audio->HandleMouseMove({h, middle}, buttons); }; };
    const auto toggle = [&] { Press(kMsgAudioToggleMode); return 0u; };
    struct Case {
        const char* what;
        std::function<u32()> act;
        bool recording;
        u32 rate, taken;
    };
    const Case cases[] = {
        {"browsing: the knob is not there", press(kInputLeftButton, i16(left + 1), middle), false, kNormalRate, 0},
        {"recording", toggle, true, kNormalRate, 0},
        {"the knob's slow end", press(kInputLeftButton, left, middle), true, 20480, 1},
        {"the fast end dragged to", move(i16(left + 2 * kKnobHalf), 1), true, 137216, 0},
        {"moved without a button", move(i16(left + 1), 0), true, 137216, 0},
        {"the right button", press(2, i16(left + 1), middle), true, 137216, 0},
        {"beside the knob", press(kInputLeftButton, i16(left - 1), middle), true, 137216, 0},
        {"below the knob", press(kInputLeftButton, i16(left + 1), knob.bottom), true, 137216, 0},
        {"the middle", press(kInputLeftButton, i16(left + kKnobHalf), middle), true, kNormalRate, 1},
        {"one to the left", press(kInputLeftButton, i16(left + kKnobHalf - 1), middle), true, 50 * 1280, 1},
        {"browsing again", toggle, false, kNormalRate, 0},
    };
    Send(kMsgLibraryNameBox, 0, 1);
    for (const Case& c : cases) {
        const u32 taken = c.act();
        EXPECT_EQ(audio->Mode(), c.recording ? AudioMode::Recording : AudioMode::Browsing) << c.what;
        EXPECT_EQ(audio->PlaybackRate(), c.rate) << c.what;
        EXPECT_EQ(taken, c.taken) << c.what;
        for (u32 command : {kMsgAudioRemove, kMsgAudioRemovePageSound}) EXPECT_EQ(Shown(command), !c.recording) << c.what;
        for (u32 command : {kMsgAudioRecord, kMsgAudioStop, kMsgAudioPlay, kMsgAudioName})
            EXPECT_EQ(Shown(command), c.recording) << c.what;
        EXPECT_TRUE(Shown(kMsgAudioToggleMode)) << c.what;
        EXPECT_EQ(audio->StripShown(), !c.recording) << c.what;
        EXPECT_EQ(StripTakesClicks(), !c.recording) << c.what;
        EXPECT_EQ(audio->NameBoxSprite() != 0, !c.recording) << c.what << ": the name box goes with browsing";
    }
}

TEST_F(AudioPanelTest, OnlyTheChildsOwnSoundsCanBeRemoved) {
    MakeLibrary(kTypeSound, kLibraryOfUser, "Ann Library.tbl",
                {{{'R', 'I', 'F', 'F', 3}, testpanels::thumbnailBytes(4, 4), "Hum"},
                 {{'R', 'I', 'F', 'F', 4}, testpanels::thumbnailBytes(4, 4), "Song"}});
    Send(kMsgLibraryListChanged, kTypeSound);
    ASSERT_EQ(audio->Libraries().names, (std::vector<std::string>{"Farm", "Zoo", "Ann Library"}));
    struct Case {
        const char* what;
        std::function<void()> act;
        bool enabled;
        size_t items;
    };
    const Case cases[] = {
        {"the program's", [] {}, false, 2},
        {"the program's sound removed", [&] { ChooseItem(0); Send(kMsgAudioRemove); }, false, 2},
        {"the child's own", [&] { Send(kMsgLibraryChosen, 0, 2); }, true, 2},
        {"nothing chosen", [&] { Send(kMsgAudioRemove); }, true, 2},
        {"recording", [&] { Press(kMsgAudioToggleMode); }, false, 2},
        {"browsing", [&] { Press(kMsgAudioToggleMode); }, true, 2},
        {"a chosen one removed", [&] { ChooseItem(1); Send(kMsgAudioRemove); }, true, 1},
        {"back to the program's", [&] { Send(kMsgLibraryChosen, 0, 0); }, false, 2},
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(RemoveEnabled(), c.enabled) << c.what;
        EXPECT_EQ(audio->Strip().size(), c.items) << c.what;
    }
    Send(kMsgLibraryChosen, 0, 2);
    ASSERT_EQ(audio->Strip().size(), 1u);
    std::vector<u8> name;
    audio->OpenedLibrary()->ReadEntryThumbnail(audio->Strip()[0].entryId, kThumbnailName, &name);
    EXPECT_EQ(std::string(name.begin(), name.end()), "Hum") << "the other sound stays";
}

TEST_F(AudioPanelTest, ATakeIsRecordedAndKeptInTheChildsOwnLibrary) {
    Press(kMsgAudioRecord);
    EXPECT_FALSE(audio->IsRecording()) << "browsing records nothing";
    Press(kMsgAudioToggleMode);
    Press(kMsgAudioRecord);
    ASSERT_TRUE(audio->IsRecording());
    clock.advance(400);
    EXPECT_NEAR(audio->Level(), 127, 3) << "a sine of half the full scale";
    Press(kMsgAudioStop);
    EXPECT_FALSE(audio->IsRecording());
    EXPECT_EQ(audio->Level(), 0);
    ASSERT_FALSE(audio->Take().empty());
    EXPECT_TRUE(audio->TakeUnsaved());
    // A second take replaces the first; a minute ends it by itself, at the next tick.
    const std::vector<u8> first = audio->Take();
    Press(kMsgAudioRecord);
    clock.advance(kAudioLongestTakeSeconds * 1000 - 100);
    audio->HandleTick(0);
    EXPECT_TRUE(audio->IsRecording());
    clock.advance(200);
    audio->HandleTick(0);
    EXPECT_FALSE(audio->IsRecording());
    EXPECT_GT(audio->Take().size(), first.size());

    ASSERT_TRUE(audio->StoreTake());
    EXPECT_FALSE(audio->TakeUnsaved());
    EXPECT_EQ(audio->Mode(), AudioMode::Recording) << "kept while recording, the panel stays";
    Press(kMsgAudioToggleMode);
    EXPECT_EQ(audio->Mode(), AudioMode::Browsing);
    EXPECT_TRUE(audio->Take().empty());
    EXPECT_EQ(audio->LibraryPath(), OwnLibrary()) << "the child's own library shows, with the take";
    EXPECT_EQ(audio->LibraryKind(), kLibraryOfUser);
    EXPECT_EQ(audio->Strip().size(), 1u);
    EXPECT_TRUE(RemoveEnabled());
    EXPECT_FALSE(audio->StoreTake()) << "no take, nothing kept";
    // Recording again without keeping anything leaves the library chosen since.
    Send(kMsgLibraryChosen, 0, 0);
    Press(kMsgAudioToggleMode);
    Press(kMsgAudioToggleMode);
    EXPECT_EQ(ShownName(), "Farm");
}

// A take that cannot be kept stays; the name dialog's answer without a name keeps nothing,
// and its answer on leaving goes back to browsing.
TEST_F(AudioPanelTest, AnUnkeptTakeStaysUntilThePanelGoesBackToBrowsing) {
    Press(kMsgAudioToggleMode);
    Press(kMsgAudioRecord);
    clock.advance(300);
    Press(kMsgAudioStop);
    ASSERT_TRUE(audio->TakeUnsaved());
    std::filesystem::create_directories(host(OwnLibrary()));
    EXPECT_FALSE(audio->StoreTake());
    EXPECT_EQ(AlertTexts(), std::vector<std::string>{"Full"});
    EXPECT_TRUE(audio->TakeUnsaved());
    std::filesystem::remove(host(OwnLibrary()));
    Send(kMsgAudioNamed);
    EXPECT_EQ(audio->Mode(), AudioMode::Recording);
    EXPECT_TRUE(audio->TakeUnsaved()) << "no name, nothing kept";
    Send(kMsgAudioNamedAndBack);
    EXPECT_EQ(audio->Mode(), AudioMode::Browsing);
    EXPECT_TRUE(audio->Take().empty());
    EXPECT_EQ(audio->Strip().size(), 2u) << "the library shown stays";
}

TEST_F(AudioPanelTest, ThePagesSoundComesOff) {
    for (const bool held : {true, false}) {
        log.clear();
        ClearPage();
        if (held) page.AddObject(kTypeSound, -1, std::vector<u8>{'R', 'I', 'F', 'F'}, {0, 0, 32, 32});
        page.SetDirtyState(false);
        Press(kMsgAudioRemovePageSound);
        RPageObject* sound = nullptr;
        EXPECT_NE(page.FindObject(kTypeSound, -1, &sound), 0) << held;
        EXPECT_EQ(page.IsDirty(), held);
        EXPECT_EQ(std::count(log.begin(), log.end(), "owner:" + std::to_string(kMsgLibraryPageChanged)), held ? 1 : 0);
    }
}

TEST_F(AudioPanelTest, TheTakePlaysUntilItEndsOrIsStopped) {
    Press(kMsgAudioToggleMode);
    Record(300);
    ASSERT_FALSE(audio->Take().empty());
    struct Step {
        const char* what;
        std::function<void()> act;
        bool playing, recording;
    };
    const Step steps[] = {
        {"played", [&] { Press(kMsgAudioPlay); }, true, false},
        {"stopped", [&] { Press(kMsgAudioStop); }, false, false},
        {"played again", [&] { Press(kMsgAudioPlay); }, true, false},
        {"still playing", [&] { Run(100); }, true, false},
        {"played to its end", [&] { Run(400); }, false, false},
        {"recording stops the playing", [&] { Press(kMsgAudioPlay), Press(kMsgAudioRecord); }, false, true},
        {"recording stopped", [&] { Press(kMsgAudioStop); }, false, false},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(audio->IsPlayingTake(), step.playing) << step.what;
        EXPECT_EQ(audio->IsRecording(), step.recording) << step.what;
        for (u32 button : {kMsgAudioPlay, kMsgAudioRecord, kMsgAudioStop})
            EXPECT_EQ(audio->AudioButton(button)->GetState() != kButtonUp,
                      (button == kMsgAudioPlay && step.playing) || (button == kMsgAudioRecord && step.recording))
                << step.what << ": button " << button;
    }
}

TEST_F(AudioPanelTest, AChosenSoundIsHeardWhenTheUsersSwitchAllows) {
    GlobalUserSettings on, off;
    off.toolSounds = 0;
    for (const GlobalUserSettings* settings : std::initializer_list<const GlobalUserSettings*>{nullptr, &on, &off}) {
        panelHost.settings = settings;
        audio = Open<RAudioPanel>(kTypeSound);
        Send(kMsgLibraryChosen, 0, 0);
        log.clear();
        const bool heard = settings != &off;
        struct Step {
            const char* what;
            std::function<void()> act;
            bool previewing;
        };
        const Step steps[] = {
            {"chosen", [&] { ChooseItem(1); }, heard},
            {"a press on the panel", [&] { audio->HandleInput(kInputLeftButton, {300, 100}, 0); }, false},
            {"chosen again", [&] { ChooseItem(0); }, heard},
            {"put on the page", [&] { Send(kMsgLibraryItemDropped, PackDropPoint({300, 150}), 0); }, false},
            {"chosen once more", [&] { ChooseItem(0); }, heard},
            {"the strip's arrow", [&] { Send(kMsgScrollerArrowHit, reinterpret_cast<uintptr_t>(audio->GetScroller()), 1); }, false},
            {"and again", [&] { ChooseItem(1); }, heard},
            {"recording", [&] { Press(kMsgAudioToggleMode); }, false},
            {"a sound that cannot be read", [&] { Press(kMsgAudioToggleMode), Send(kMsgLibraryNext), ChooseItem(1); }, false},
        };
        for (const Step& step : steps) {
            step.act();
            EXPECT_EQ(audio->PreviewSound() != nullptr, step.previewing) << step.what << (heard ? "" : " (switched off)");
            if (audio->Mode() == AudioMode::Recording) {
                EXPECT_EQ(audio->ItemName(), "") << "recording forgets the chosen sound";
            }
        }
        EXPECT_EQ(audio->ItemName(), "Broken");
        EXPECT_TRUE(heardSounds.empty()) << "sounds make no panel sounds";
        EXPECT_EQ(std::count(log.begin(), log.end(), "owner:" + std::to_string(kMsgLibraryPlaceObject)), 1);
    }
}

// Choosing a library while recording goes back to browsing, unless a take waits for its name.
TEST_F(AudioPanelTest, AChosenLibraryWaitsForTheTakesName) {
    struct Case {
        const char* what;
        u32 take;
        AudioMode mode;
        std::string shown;
    };
    for (const Case& c : {Case{"no take", 0, AudioMode::Browsing, "Zoo"}, Case{"an unkept take", 300, AudioMode::Recording, "Farm"}}) {
        Send(kMsgLibraryChosen, 0, 0);
        Press(kMsgAudioToggleMode);
        if (c.take != 0) Record(c.take);
        Send(kMsgLibraryChosen, 0, 1);
        EXPECT_EQ(audio->Mode(), c.mode) << c.what;
        EXPECT_EQ(ShownName(), c.shown) << c.what;
        Send(kMsgAudioNamedAndBack);
    }
}

// The take is kept in the format the microphone settled on; one that offers none of the
// panel's formats records nothing, and the child is told: the alert says so and the record
// button comes back up.
TEST_F(AudioPanelTest, TheTakeKeepsTheFormatTheMicrophoneRecordsIn) {
    Press(kMsgAudioToggleMode);
    struct Case {
        u32 rate;
        u16 bits;
        bool records;
    };
    for (const Case& c : {Case{22050, 16, true}, Case{11025, 16, true}, Case{22050, 8, true}, Case{44100, 8, true},
                          Case{48000, 16, false}}) {
        microphone.acceptOnly({plat::makePcmFormat(c.rate, 1, c.bits)});
        Send(kMsgAudioNamedAndBack);
        Press(kMsgAudioToggleMode);
        Press(kMsgAudioRecord);
        EXPECT_EQ(audio->IsRecording(), c.records) << c.rate << "/" << c.bits;
        EXPECT_EQ(audio->LevelSprite() != 0, c.records) << "the meter shows only what records";
        EXPECT_EQ(AlertTexts(), c.records ? std::vector<std::string>{} : std::vector<std::string>{"No microphone"});
        if (!c.records) {
            EXPECT_EQ(audio->AudioButton(kMsgAudioRecord)->GetState(), kButtonUp);
        }
        clock.advance(400);
        Press(kMsgAudioStop);
        ArchiveWaveInfo info;
        ASSERT_EQ(audio->Take().empty(), !c.records) << c.rate << "/" << c.bits;
        if (!c.records) continue;
        ASSERT_EQ(readArchiveWave(audio->Take(), &info), kErrNone);
        EXPECT_EQ(info.sampleRate, c.rate) << c.bits;
        EXPECT_NEAR(double(info.frames), c.rate * 0.4, 2.0) << c.rate << "/" << c.bits;
    }
}

}  // namespace
