#include <memory>
#include <string>

#include "app/application/RApplication.h"
#include "app/dialogs/RDlgTiming.h"
#include "app/dialogs/RDlgToggle.h"
#include "document/project/RDocument.h"
#include "document/project/RPortfolio.h"
#include "tests/app/harness/ScreenHarness.h"
#include "tests/framework/input/TestKeys.h"

namespace {

using namespace Ostrel;

constexpr u32 kKind = 3131;

class SlideDialogs : public testapp::ScreenHarness {
protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        startLoggedIn();
        auto document = std::make_unique<RDocument>(nullptr);
        ASSERT_EQ(document->AppendPage(std::make_unique<RPage>(PageSettings{}, "slide.tbx", 0)), kErrNone);
        app->GetPortfolio()->SetDocument(std::move(document));
        page = app->GetCurrentDocument()->GetPage(1);
        ASSERT_NE(page, nullptr);
        ASSERT_EQ(page->Number(), 1);
    }
    void command(RDlgBase& dialog, u32 code) {
        RMessage message(code, 0, 0);
        dialog.HandleMessage(&message, 0);
    }
    void typeKeys(RDlgBase& dialog, const std::string& text) {
        for (char c : text) dialog.HandleKey(testkeys::typedKey(u8(c)));
    }
    // The settings the project's page list holds for page 1 (the defaults when it lists none).
    PageSettings projectSettings() {
        PageSettings found;
        found.timingSeconds = 0;
        app->GetCurrentDocument()->Config().ForEachPage([&](const std::string&, const PageSettings& s, u16 number) {
            if (number == 1) found = s;
        });
        return found;
    }
    Point16 buttonCentre(RDlgBase& dialog, u16 id) {
        RButton* button = dialog.ButtonSet().Find(id);
        return button ? centreOf(button->GetSprite()) : Point16{-1, -1};
    }
    u16 buttonState(RDlgBase& dialog, u16 id) {
        RButton* button = dialog.ButtonSet().Find(id);
        return button ? button->GetState() : u16(0xFFFF);
    }
    void expectAnswer(const RDlgBase& dialog, u16 result) {
        ASSERT_EQ(owner.heard.size(), 1u);
        EXPECT_EQ(owner.heard[0].code, kKind);
        EXPECT_EQ(owner.heard[0].param1, reinterpret_cast<uintptr_t>(&dialog));
        EXPECT_EQ(owner.heard[0].param2, result);
    }

    testapp::RecordingOwner owner;
    RPage* page = nullptr;
};

TEST_F(SlideDialogs, TimingOpensOnThePagesSecondsAndModeAndAnUnknownModeCountsAsTimed) {
    struct Case {
        u8 seconds;
        u8 mode;
        u16 selected;  // the radio button shown selected
        u8 shownMode;
    };
    const Case cases[] = {{7, 0, kTimingSecondsButton, 0},
                          {12, 1, kTimingCmdModeClick, 1},
                          {3, 4, kTimingCmdModeAfterRead, 4},
                          {9, 5, kTimingSecondsButton, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        page->settings.timingSeconds = c.seconds;
        page->settings.timingMode = c.mode;
        RDlgTiming dialog(&owner, kKind);
        ASSERT_EQ(dialog.Open(page), 0);
        ASSERT_NE(dialog.Field(), nullptr);
        EXPECT_EQ(dialog.Field()->Text(), std::to_string(c.seconds));
        DialogNameField& seconds = dialog.Field()->Field();  // its number in the middle of its box, not at its top
        const Rect16 box = seconds.Rect(), words = seconds.Field().TextRect();
        EXPECT_NEAR(words.top - box.top, box.bottom - words.top - seconds.Field().Layout().LineHeight(), 1);
        EXPECT_EQ(dialog.Mode(), c.shownMode);
        for (u16 id : {kTimingSecondsButton, kTimingCmdModeClick, kTimingCmdModeKey, kTimingCmdModeRead,
                       kTimingCmdModeAfterRead})
            EXPECT_EQ(buttonState(dialog, id), id == c.selected ? kButtonSelected : kButtonUp) << id;
    }
    RDlgTiming withoutPage(&owner, kKind);
    EXPECT_EQ(withoutPage.Open(nullptr), 1);
}

TEST_F(SlideDialogs, TheArrowsWrapBetweenZeroAndNinetyNineAndChooseTheSeconds) {
    struct Case {
        u8 seconds;
        u16 arrow;
        u16 after;
    };
    const Case cases[] = {{99, kTimingCmdMore, 0}, {98, kTimingCmdMore, 99}, {0, kTimingCmdLess, 99},
                          {1, kTimingCmdLess, 0},  {5, kTimingCmdMore, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.seconds));
        page->settings.timingSeconds = c.seconds;
        page->settings.timingMode = 3;
        RDlgTiming dialog(&owner, kKind);
        ASSERT_EQ(dialog.Open(page), 0);
        command(dialog, c.arrow);
        EXPECT_EQ(dialog.Seconds(), c.after);
        EXPECT_EQ(dialog.Field()->Text(), std::to_string(c.after));
        EXPECT_EQ(dialog.Mode(), 0);
        EXPECT_EQ(buttonState(dialog, kTimingSecondsButton), kButtonSelected);
        EXPECT_EQ(buttonState(dialog, kTimingCmdModeRead), kButtonUp);
    }
}

TEST_F(SlideDialogs, SecondsAreTypedOnlyWhileTheTimedChoiceIsSelectedAndStayUnderAHundred) {
    page->settings.timingSeconds = 7;
    page->settings.timingMode = 1;
    RDlgTiming dialog(&owner, kKind);
    ASSERT_EQ(dialog.Open(page), 0);
    settle();
    typeKeys(dialog, "4");
    EXPECT_EQ(dialog.Field()->Text(), "7");
    // Choosing the seconds by its button lets the keys through.
    click(buttonCentre(dialog, kTimingSecondsButton));
    EXPECT_EQ(dialog.Mode(), 0);
    EXPECT_EQ(buttonState(dialog, kTimingCmdModeClick), kButtonUp);
    advance(600);
    EXPECT_TRUE(dialog.Field()->IsActive());
    dialog.Field()->Field().SelectAll();
    struct Case {
        const char* keys;
        const char* shown;
        u16 seconds;
    };
    // Letters are no digits; a third digit would pass 99.
    const Case cases[] = {{"4", "4", 4}, {"2", "42", 42}, {"x", "42", 42}, {"9", "99", 99}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        typeKeys(dialog, c.keys);
        EXPECT_EQ(dialog.Field()->Text(), c.shown);
        EXPECT_EQ(dialog.Seconds(), c.seconds);
    }
    // Another choice takes the field's focus away.
    click(buttonCentre(dialog, kTimingCmdModeKey));
    advance(600);
    EXPECT_EQ(dialog.Mode(), 2);
    EXPECT_FALSE(dialog.Field()->IsActive());
}

TEST_F(SlideDialogs, TimingOkKeepsAtLeastOneSecondInThePageAndItsProjectAndCancelChangesNothing) {
    struct Case {
        const char* typed;
        u8 stored;
    };
    // An emptied field reads as five seconds, as the layout says.
    const Case cases[] = {{"0", 1}, {"1", 1}, {"", kTimingSecondsWithoutText}, {"x", 1}, {"99", 99}, {"150", 99}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        owner.heard.clear();
        page->settings.timingSeconds = 7;
        page->settings.timingMode = 0;
        RDlgTiming dialog(&owner, kKind);
        ASSERT_EQ(dialog.Open(page), 0);
        command(dialog, kTimingCmdModeKey);
        dialog.Field()->Field().SetText(c.typed);
        command(dialog, kDlgResultConfirm);
        settle();
        expectAnswer(dialog, kDlgResultConfirm);
        EXPECT_EQ(dialog.Field()->Text(), std::to_string(c.stored));
        EXPECT_EQ(page->settings.timingSeconds, c.stored);
        EXPECT_EQ(page->settings.timingMode, 2);
        EXPECT_EQ(projectSettings().timingSeconds, c.stored);
        EXPECT_EQ(projectSettings().timingMode, 2);
    }
    owner.heard.clear();
    const PageSettings before = page->settings;
    RDlgTiming dialog(&owner, kKind);
    ASSERT_EQ(dialog.Open(page), 0);
    command(dialog, kTimingCmdMore);
    command(dialog, kTimingCmdModeRead);
    click(buttonCentre(dialog, kDlgResultLeave));
    expectAnswer(dialog, kDlgResultLeave);
    EXPECT_EQ(page->settings, before);
}

TEST_F(SlideDialogs, APageOfNoOpenProjectIsSetButNoProjectEntryIsWritten) {
    RPage loose(PageSettings{}, "loose.tbx", 1);
    RDlgTiming dialog(&owner, kKind);
    ASSERT_EQ(dialog.Open(&loose), 0);
    command(dialog, kTimingCmdLess);
    command(dialog, kDlgResultConfirm);
    settle();
    expectAnswer(dialog, kDlgResultConfirm);
    EXPECT_EQ(loose.settings.timingSeconds, 6);
    // Page 1 of the project keeps what it had.
    EXPECT_EQ(projectSettings().timingSeconds, 0);
}

TEST_F(SlideDialogs, TheSwitchesShowThePagesFlagsAndOkWritesWhatTheClicksTurned) {
    struct Case {
        u16 sounds, reading;
    };
    const Case cases[] = {{1, 0}, {0, 1}, {1, 1}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sounds * 10 + c.reading);
        owner.heard.clear();
        page->settings.playSounds = c.sounds;
        page->settings.readAloud = c.reading;
        RDlgToggle dialog(&owner, kKind);
        ASSERT_EQ(dialog.Open(page), 0);
        settle();
        EXPECT_EQ(buttonState(dialog, kToggleFirstButton), c.sounds ? kButtonDown : kButtonUp);
        EXPECT_EQ(buttonState(dialog, kToggleSecondButton), c.reading ? kButtonDown : kButtonUp);
        // The child turns the first switch over.
        click(buttonCentre(dialog, kToggleFirstButton));
        EXPECT_EQ(dialog.IsOn(0), c.sounds == 0);
        EXPECT_EQ(buttonState(dialog, kToggleFirstButton) != kButtonUp, c.sounds == 0);
        // Still under the pointer, its check box shows the switch as it now is.
        EXPECT_EQ(dialog.ButtonSet().Find(kToggleFirstButton)->GetRecord().shapes[kButtonHighlighted],
                  kToggleFirstButton + (c.sounds ? kToggleOffLit : kToggleOnLit));
        EXPECT_EQ(page->settings.playSounds, c.sounds);
        click(buttonCentre(dialog, kDlgResultConfirm));
        expectAnswer(dialog, kDlgResultConfirm);
        EXPECT_EQ(page->settings.playSounds, c.sounds ? 0 : 1);
        EXPECT_EQ(page->settings.readAloud, c.reading);
        EXPECT_EQ(projectSettings().playSounds, c.sounds ? 0 : 1);
        EXPECT_EQ(projectSettings().readAloud, c.reading);
    }
}

TEST_F(SlideDialogs, LeavingTheSwitchesChangesNothing) {
    page->settings.playSounds = 1;
    page->settings.readAloud = 1;
    RDlgToggle dialog(&owner, kKind);
    ASSERT_EQ(dialog.Open(page), 0);
    command(dialog, kToggleCmdFirst);
    command(dialog, kToggleCmdSecond);
    command(dialog, kDlgResultLeave);
    settle();
    expectAnswer(dialog, kDlgResultLeave);
    EXPECT_EQ(page->settings.playSounds, 1);
    EXPECT_EQ(page->settings.readAloud, 1);
    RDlgToggle withoutPage(&owner, kKind);
    EXPECT_EQ(withoutPage.Open(nullptr), 1);
}

}  // namespace
