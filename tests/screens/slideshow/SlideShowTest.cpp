// The slide show played in the running program on the fake clock: how each page ends, the
// show's end back in the picker with the menus given back, Esc during a transition, a looping
// show over pages with gaps between their numbers that leaves every page as it was saved, and
// the reading order of a page's texts.
#include <algorithm>
#include <array>

#include "document/project/BackgroundColors.h"
#include "tests/framework/input/TestKeys.h"
#include "tests/media/objects/PageMediaFiles.h"
#include "tests/screens/slideshow/SlideShowHarness.h"

namespace {

using namespace testscreens;

constexpr u8 kTimed = 0, kClick = 1, kKey = 2, kReadingEnded = 3;
constexpr u32 kRed = 0xF80000, kGreen = 0x00F800, kBlue = 0x0000F8;

class SlideShow : public SlideShowHarness {};

TEST_F(SlideShow, ThreeOneSecondPagesPlayedOnceEndAtThreeSecondsInThePickerWithTheMenusBack) {
    ASSERT_NO_FATAL_FAILURE(makeProject({{1, 1, kTimed, 248, 0, 0}, {2, 1, kTimed, 0, 248, 0}, {3, 1, kTimed, 0, 0, 248}}));
    app->GetGlobalUserSettings()->playOnce = 1;
    const u16 menus = popups();
    play(1);
    EXPECT_TRUE(player()->MenusHidden());
    EXPECT_EQ(popups(), 0);
    for (const auto& [number, colour] : std::vector<std::pair<u16, u32>>{{1, kRed}, {2, kGreen}, {3, kBlue}}) {
        const u32 spent = finishTransition();
        EXPECT_GT(spent, 0u) << "the transition takes its time";
        EXPECT_LE(spent, kShowTransitionMillis);
        EXPECT_EQ(shownNumber(), number);
        EXPECT_EQ(middle() & 0xF8F8F8, colour) << number;
        advance(999 - spent);
        EXPECT_EQ(shownNumber(), number) << "a page stays its whole second";
        advance(1);
    }
    settle();
    EXPECT_EQ(player(), nullptr);
    EXPECT_EQ(app->GetCurrentModuleCode(), kScreenPicker);
    EXPECT_EQ(popups(), menus);
}

// The show covers the whole window: the menu bar leaves its band, which turns black like the
// show's surround, and comes back with its menus when the show ends.
TEST_F(SlideShow, ThePlayingShowCoversTheMenuBandAndTheBarComesBackAfter) {
    ASSERT_NO_FATAL_FAILURE(makeProject({{1, 9, kTimed, 248, 0, 0}}));
    const auto band = [this] {
        std::vector<u32> pixels;
        for (const i32 x : {0, 399, 799})
            for (const i32 y : {0, mainWindow->ContentTop() / 2, mainWindow->ContentTop() - 1})
                pixels.push_back(face().shownPixel(x, y) & 0xFFFFFF);
        return pixels;
    };
    const auto black = [](u32 pixel) { return pixel == 0; };
    const std::vector<u32> bar = band();
    ASSERT_FALSE(std::all_of(bar.begin(), bar.end(), black)) << "the menu bar is drawn";
    play();
    finishTransition();
    EXPECT_EQ(mainWindow->GetMenu(), nullptr);
    const std::vector<u32> covered = band();
    EXPECT_TRUE(std::all_of(covered.begin(), covered.end(), black)) << "the band is black";
    EXPECT_TRUE(face().fullScreen());
    key(27);
    settle();
    ASSERT_EQ(app->GetCurrentModuleCode(), kScreenPicker);
    EXPECT_EQ(mainWindow->GetMenu(), mainWindow->Menu());
    EXPECT_FALSE(face().fullScreen());
    EXPECT_EQ(band(), bar);
}

enum class Nudge { Wait, Click, Key };

struct EndCase {
    const char* name;
    u8 mode;
    u16 manualAdvance;
    Nudge ignored;
    Nudge advances;
    u16 readAloud = 1;
};

class PageEnd : public SlideShowHarness, public ::testing::WithParamInterface<EndCase> {
protected:
    void nudge(Nudge n) {
        if (n == Nudge::Wait) advance(5000);
        if (n == Nudge::Click) click(Point16{400, 300});
        if (n == Nudge::Key) key('A');
    }
};

TEST_P(PageEnd, EachTimingModeEndsThePageOnlyByItsOwnEvent) {
    const EndCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(makeProject({{1, 2, c.mode, 248, 0, 0}, {2, 2, c.mode, 0, 248, 0}}));
    app->GetGlobalUserSettings()->manualAdvance = c.manualAdvance;
    // Nothing is read: a page that waits for its reading has it over at once.
    app->GetGlobalUserSettings()->textToSpeech = 0;
    for (u16 n : {1, 2}) app->GetCurrentDocument()->GetPage(n)->settings.readAloud = c.readAloud;
    play();
    finishTransition();
    nudge(c.ignored);
    EXPECT_EQ(shownNumber(), 1);
    nudge(c.advances);
    settle();
    EXPECT_EQ(shownNumber(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PageEnd,
    ::testing::Values(EndCase{"TimedIgnoresClicks", kTimed, 0, Nudge::Click, Nudge::Wait},
                      EndCase{"ClickWaitsOutTheClock", kClick, 0, Nudge::Wait, Nudge::Click},
                      EndCase{"KeyIgnoresClicks", kKey, 0, Nudge::Click, Nudge::Key},
                      EndCase{"ManualAdvanceStopsTheClock", kTimed, 1, Nudge::Wait, Nudge::Key},
                      EndCase{"ManualAdvanceTakesClicks", kKey, 1, Nudge::Wait, Nudge::Click},
                      EndCase{"ManualAdvanceOutlastsTheReading", kReadingEnded, 1, Nudge::Wait, Nudge::Click},
                      EndCase{"NothingToReadWaitsForAClick", kReadingEnded, 0, Nudge::Wait, Nudge::Click, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// "After the words" with nothing read: the slide comes in whole, then the show goes on.
TEST_F(SlideShow, AfterTheWordsWithNothingReadTheSlideComesInWholeThenTheShowGoesOn) {
    ASSERT_NO_FATAL_FAILURE(makeProject({{1, 2, kReadingEnded, 248, 0, 0}, {2, 2, kReadingEnded, 0, 248, 0}}));
    app->GetGlobalUserSettings()->textToSpeech = 0;
    play();
    advance(kShowTransitionMillis / 2);
    EXPECT_EQ(shownNumber(), 1);
    advance(kShowTransitionMillis);
    EXPECT_EQ(shownNumber(), 2);
}

TEST_F(SlideShow, EscOrQWhileATransitionRunsStopsTheShow) {
    for (u8 stop : {u8(27), u8('Q')}) {
        ASSERT_NO_FATAL_FAILURE(makeProject({{1, 1, kTimed, 248, 0, 0}, {2, 1, kTimed, 0, 248, 0}}));
        play();
        ASSERT_TRUE(player()->Canvas()->InTransition());
        key(stop);
        settle();
        EXPECT_EQ(player(), nullptr) << int(stop);
        EXPECT_EQ(app->GetCurrentModuleCode(), kScreenPicker);
    }
}

// Esc, Q and q stop the show at once; another key moves on only where the page waits for a
// key.
TEST_F(SlideShow, TheStopKeysStopTheShowAndOtherKeysMoveOnOnlyWhereAKeyIsAwaited) {
    const struct {
        u32 key;
        u8 mode;
        u32 state;
    } cases[] = {
        {testkeys::escapeKey(), kTimed, kTransitionStopping},
        {testkeys::typedKey('Q'), kTimed, kTransitionStopping},
        {testkeys::typedKey('q'), kKey, kTransitionStopping},
        {testkeys::composedKey('q'), kKey, kTransitionStopping},
        {testkeys::typedKey('x'), kKey, kTransitionAdvanceRequested},
        {testkeys::typedKey('x'), kTimed, kTransitionWaitClock},
        {testkeys::typedKey('x'), kClick, kTransitionWaitClick},
    };
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(makeProject({{1, 9, c.mode, 248, 0, 0}, {2, 9, c.mode, 0, 248, 0}}));
        app->GetGlobalUserSettings()->manualAdvance = 0;
        play();
        finishTransition();
        RSlideShowModule* show = player();
        EXPECT_EQ(show->HandleKey(c.key), 1u);
        EXPECT_EQ(show->Transition()->State(), c.state) << std::hex << c.key;
        key(27);
        settle();
        EXPECT_EQ(player(), nullptr);
    }
}

TEST_F(SlideShow, AShowWithoutItsFirstPageGoesBackToThePickerAtOnce) {
    ASSERT_NO_FATAL_FAILURE(makeProject({{2, 1, kTimed, 248, 0, 0}, {5, 1, kTimed, 0, 248, 0}}));
    for (const u16 first : {u16(3), u16(kMaxProjectPages + 1)}) {
        ASSERT_TRUE(RSlideShowModule::Play(app->GetCurrentDocument(), first));
        settle();
        EXPECT_EQ(app->GetCurrentModuleCode(), kScreenPicker) << first;
    }
    app->GetPortfolio()->SetDocument(std::make_unique<RDocument>(nullptr));
    ASSERT_TRUE(RSlideShowModule::Play(app->GetCurrentDocument(), 0));
    settle();
    EXPECT_EQ(app->GetCurrentModuleCode(), kScreenPicker) << "a project without pages";
    EXPECT_FALSE(RSlideShowModule::Play(nullptr, 0));
}

TEST_F(SlideShow, ALoopingShowWalksThePagesInNumberOrderAndLeavesThemAsSaved) {
    ASSERT_NO_FATAL_FAILURE(makeProject({{2, 1, kTimed, 248, 0, 0}, {5, 1, kTimed, 0, 248, 0}, {9, 1, kTimed, 0, 0, 248}}));
    app->GetGlobalUserSettings()->playOnce = 0;
    std::map<u16, std::vector<PageRect>> stored;
    for (u16 n : {2, 5, 9}) {
        RPage* page = app->GetCurrentDocument()->GetPage(n);
        u32 it = 0;
        RPageObject* object = nullptr;
        while (page->Data().NextObject(&it, &object, kTypeAnyObject)) stored[n].push_back(object->rect);
    }
    play(5);
    std::vector<u16> order;
    for (int i = 0; i < 7; ++i) {
        finishTransition();
        order.push_back(shownNumber());
        std::vector<PageRect> rects;
        u32 it = 0;
        RPageObject* object = nullptr;
        while (player()->CurrentPage()->Data().NextObject(&it, &object, kTypeAnyObject)) rects.push_back(object->rect);
        EXPECT_EQ(rects, stored[shownNumber()]) << "showing " << shownNumber();
        advance(1000);
    }
    EXPECT_EQ(order, (std::vector<u16>{5, 9, 2, 5, 9, 2, 5}));
    key(27);
    settle();
    EXPECT_EQ(player(), nullptr);
    for (const auto& [number, bytes] : saved)
        EXPECT_EQ(bytesOf((folder / ("slide" + std::to_string(number) + ".tbx")).string()), bytes) << number;
}

// A page comes in with its transition's sound, unless it has no transition or plays without
// sound; stopping the show silences it.
TEST_F(SlideShow, APageComesInWithItsTransitionSound) {
    const struct {
        u16 effect;
        u16 sound;
        u16 noSound;
        i32 heard;
    } cases[] = {{1, 3, 0, 3}, {2, 9, 0, 9}, {1, 0, 0, -1}, {0, 5, 0, -1}, {1, 5, 1, -1}, {1, 21, 0, -1}};
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(makeProject({{1, 9, kTimed, 248, 0, 0}}));
        RPage* page = app->GetCurrentDocument()->GetPage(1);
        page->SetTransitionEffect(c.effect);
        page->SetTransitionOption(c.sound);
        page->settings.noSound = c.noSound;
        play();
        EXPECT_EQ(player()->Canvas()->TransitionSounds().Playing(), c.heard) << c.effect << " " << c.sound;
        player()->Canvas()->StopShow();
        EXPECT_EQ(player()->Canvas()->TransitionSounds().Playing(), -1);
        EXPECT_FALSE(player()->Canvas()->IsPlaying());
        key(27);
        settle();
        EXPECT_EQ(player(), nullptr);
    }
}

// A page's animation plays, heard, once its transition is over, where the page puts it on the
// screen, and goes with its page; stopping the show takes it away.
TEST_F(SlideShow, APagesAnimationPlaysAfterItsTransitionAndGoesWithItsPage) {
    ASSERT_NO_FATAL_FAILURE(makeProject({{1, 1, kTimed, 248, 0, 0}, {2, 1, kTimed, 0, 248, 0}}));
    const PageRect place{100, 80, 164, 128};
    RPageData& data = app->GetCurrentDocument()->GetPage(1)->Data();
    ASSERT_NE(data.AddObject(kTypeFlash, 7, mediatest::animationBytes(4, 0xC0000, 64, 48, 22050), place), nullptr);
    data.SetDirtyState(true);
    app->GetGlobalUserSettings()->playOnce = 0;
    play();
    const struct {
        u16 page;
        size_t playing;  // animations on the screen after the transition
    } pages[] = {{1, 1}, {2, 0}, {1, 1}};
    for (const auto& p : pages) {
        ASSERT_EQ(shownNumber(), p.page);
        if (player()->Canvas()->InTransition()) {
            EXPECT_EQ(player()->Canvas()->Media(), nullptr) << "nothing plays over a transition";
        }
        finishTransition();
        ASSERT_NE(player()->Canvas()->Media(), nullptr) << p.page;
        const RFlash& flash = player()->Canvas()->Media()->Flash();
        ASSERT_EQ(flash.count(), p.playing) << p.page;
        if (p.playing) {
            EXPECT_EQ(flash.movie(0)->sounds().Sounding(), 1u) << "its sound heard with its first frame";
            const Rect16 show = player()->ShowRect();
            // The page (592 x 444) lies in the middle of the show rectangle.
            const i16 left = i16(show.left + (show.right - show.left - 592) / 2);
            const i16 top = i16(show.top + (show.bottom - show.top - 444) / 2);
            const Rect16 shown = flash.movie(0)->displayRect();
            EXPECT_EQ((std::array<i16, 4>{shown.left, shown.top, shown.right, shown.bottom}),
                      (std::array<i16, 4>{i16(left + place.left), i16(top + place.top), i16(left + place.right),
                                          i16(top + place.bottom)}));
        }
        advance(1000);
    }
    player()->Canvas()->StopShow();
    EXPECT_EQ(player()->Canvas()->Media(), nullptr);
    key(27);
    settle();
}

// Half way through the fade into a page its movie is half way in: its red over black, not the
// page's green.
TEST_F(SlideShow, APagesMovieComesInThroughItsTransition) {
    ASSERT_TRUE(qtConnected());
    ASSERT_NO_FATAL_FAILURE(makeProject({{1, 9, kTimed, 0, 248, 0}}));
    RPageData& data = app->GetCurrentDocument()->GetPage(1)->Data();
    ASSERT_NE(data.AddObject(kTypeMovie, 7, mediatest::movieBytes((folder / "ball.mov").string()), {0, 0, 592, 444}), nullptr);
    data.SetDirtyState(true);
    play();
    advance(kShowTransitionMillis / 2);
    ASSERT_TRUE(player()->Canvas()->InTransition());
    EXPECT_GT(middle() >> 16, (middle() >> 8 & 0xFF) + 40) << std::hex << middle();
    key(27);
    settle();
}

// Around the page the show rectangle takes the project's background colour.
TEST_F(SlideShow, AroundThePageTheShowHasTheProjectsBackgroundColour) {
    for (const u16 index : {u16(0), u16(3), u16(kBackgroundColorCount - 1)}) {
        ASSERT_NO_FATAL_FAILURE(makeProject({{1, 9, kTimed, 248, 0, 0}}));
        ASSERT_TRUE(app->GetCurrentDocument()->SetBackgroundColor(index));
        play();
        finishTransition();
        const Rect16 show = player()->ShowRect();
        const golden::RgbPicture corner = Shown(Rect16{show.left, show.top, i16(show.left + 1), i16(show.top + 1)});
        const BackgroundColor& expected = kBackgroundColors[index];
        // Five bits a channel on the screen.
        EXPECT_EQ((std::vector<int>{corner.rgb[0] >> 3, corner.rgb[1] >> 3, corner.rgb[2] >> 3}),
                  (std::vector<int>{expected.red >> 3, expected.green >> 3, expected.blue >> 3}))
            << index;
        key(27);
        settle();
    }
}

TEST_F(SlideShow, APageIsReadTopToBottomAndLeftToRightInOneText) {
    ASSERT_NO_FATAL_FAILURE(makeProject({{1, 9, kTimed, 248, 0, 0}}));
    RPageData& data = app->GetCurrentDocument()->GetPage(1)->Data();
    // Added out of order; two share a top, and the slide's own text lies at the top left.
    data.AddObject(kTypeText, 4, testdoc::textBytes("right"), {300, 200, 400, 230});
    data.AddObject(kTypeText, 2, testdoc::textBytes("bottom"), {10, 400, 200, 430});
    data.AddObject(kTypeText, 3, testdoc::textBytes("left"), {10, 200, 100, 230});
    data.SetDirtyState(true);
    app->GetGlobalUserSettings()->textToSpeech = 1;
    play();
    EXPECT_EQ(player()->Canvas()->SpokenText(), "Slide 1 left right bottom ");
    app->GetGlobalUserSettings()->textToSpeech = 0;
    player()->Canvas()->SpeakPageText();
    EXPECT_EQ(player()->Canvas()->SpokenText(), "") << "text to speech is off";
    app->GetGlobalUserSettings()->textToSpeech = 1;
    player()->CurrentPage()->settings.noSound = 1;
    player()->Canvas()->PlayPage();
    EXPECT_EQ(player()->Canvas()->SpokenText(), "") << "a page without sound reads nothing";
}

}  // namespace
