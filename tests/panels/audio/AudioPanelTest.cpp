// A child at the sound panel: browsing and recording show their own buttons, the speed knob
// answers only while recording, a take is recorded from the microphone, ends itself at its
// minute and is kept in the child's own library, only the child's own sounds can be removed,
// and the page's sound comes off again.
#include "panels/audio/RAudioPanel.h"

#include <gtest/gtest.h>

#include "framework/controls/RButton.h"
#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "tests/panels/library/LibraryPanelFixture.h"

namespace {

using namespace Ostrel;

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
        MakeLibrary(kTypeSound, kLibraryOnDisk, "Farm.tbl",
                    {{{'R', 'I', 'F', 'F', 1}, testpanels::thumbnailBytes(4, 4), "Cow"},
                     {{'R', 'I', 'F', 'F', 2}, testpanels::thumbnailBytes(4, 4), "Pig"}});
        audio = Open<RAudioPanel>(kTypeSound);
    }
    void TearDown() override {
        panel.reset();
        plat::setCaptureBackend(nullptr);
        LibraryPanelFixture::TearDown();
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
    }
}

TEST_F(AudioPanelTest, OnlyTheChildsOwnSoundsCanBeRemoved) {
    MakeLibrary(kTypeSound, kLibraryOfUser, "Ann Library.tbl",
                {{{'R', 'I', 'F', 'F', 3}, testpanels::thumbnailBytes(4, 4), "Hum"},
                 {{'R', 'I', 'F', 'F', 4}, testpanels::thumbnailBytes(4, 4), "Song"}});
    Send(kMsgLibraryListChanged, kTypeSound);
    ASSERT_EQ(audio->Libraries().names, (std::vector<std::string>{"Farm", "Ann Library"}));
    struct Case {
        const char* what;
        std::function<void()> act;
        bool enabled;
        size_t items;
    };
    const Case cases[] = {
        {"the program's", [] {}, false, 2},
        {"the program's sound removed", [&] { ChooseItem(0); Send(kMsgAudioRemove); }, false, 2},
        {"the child's own", [&] { Send(kMsgLibraryNext); }, true, 2},
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
    Send(kMsgLibraryChosen, 0, 1);
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

}  // namespace
