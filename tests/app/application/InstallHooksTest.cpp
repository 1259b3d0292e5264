// A headless start-up puts in place every service the running program depends on: one row per
// install hook, each checked the way the program uses it, so that a service built but left
// uninstalled fails its row.
#include <functional>

#include "engine/gfx/sprites/SprSounds.h"
#include "sound/RSound.h"
#include "sound/RSoundManager.h"
#include "sound/sprites/SprSoundChannels.h"
#include "tests/app/harness/ProgramEar.h"
#include "tests/app/harness/ScreenHarness.h"
#include "tools/base/RTool.h"
#include "tools/base/ToolNames.h"

namespace {

using namespace Ostrel;

// A sound of the program's general content, which is open from the start.
constexpr u16 kProbeSound = 31500;

class InstallHooks : public testapp::ScreenHarness {
protected:
    void TearDown() override {
        sprStopAllSounds();
        ScreenHarness::TearDown();
    }
    // Books the probe sound through the sprite layer's seam, as screens and dialogs do.
    static bool bookProbe() {
        sprScreen()->soundEnabled = 1;
        SprSoundRequest request;
        request.soundId = kProbeSound;
        return sprRequestSound(request);
    }

    testapp::ProgramEar ear;
    // Handed to the sound manager, which keeps a pointer to it until the application's exit.
    RSound fading;
};

struct Hook {
    const char* name;
    std::function<bool()> installed;
};

TEST_F(InstallHooks, EveryServiceTheProgramDependsOnIsInPlaceAfterStartUp) {
    start();
    const Hook hooks[] = {
        {"sprite sound channels", [] { return bookProbe(); }},
        {"sound manager tick",
         [this] {
             RSoundManager* manager = app->GetSoundManager();
             if (!manager) return false;
             fading.SetFade(kSoundFadeIn);
             auto group = std::make_unique<RSoundGroup>();
             group->sounds.push_back(&fading);
             if (manager->AddGroup(std::move(group)) < 0) return false;
             manager->StartFading();
             mainWindow->OnTick(plat::clockMillis());
             return fading.GetFadeLevel() == 1;
         }},
        {"tool profile",
         [this] {
             if (toolProfile() != &app->GetConfigPath()) return false;
             // The program's "TB.cfg" holds the pencils' stroke sounds.
             return readToolParams(toolProfile(), toolName(kToolIdCircle)).strokeSound == 31510;
         }},
    };
    for (const Hook& hook : hooks) EXPECT_TRUE(hook.installed()) << hook.name;
}

// A device another program holds asks Retry or Cancel with the hardware text; Cancel ends the
// program, Retry plays the sound once the device is free.
TEST_F(InstallHooks, ABusyAudioDeviceAsksAndCancelEndsTheProgram) {
    struct Case {
        u32 answer;
        u16 state;
        bool quitting;
    };
    // A program run each: the mixer keeps the device once it opened it. Cancel last, as it ends
    // the run.
    for (const Case& c : {Case{kAlertAnswerRetry, kSprChannelPlaying, false}, Case{kAlertAnswerCancel, kSprChannelFree, true}}) {
        start();
        const std::string busyText = LookupLanguageText("HardwareStrings", "AudioDeviceBusy").c_str();
        ASSERT_FALSE(busyText.empty());
        ear.Device().failNextOpens(1);
        answerAlerts({c.answer});
        ASSERT_TRUE(bookProbe());
        sprServiceSounds();
        const std::vector<mfxAlertRecord> shown = alerts();
        ASSERT_EQ(shown.size(), 1u) << c.answer;
        EXPECT_EQ(shown[0].text, busyText);
        EXPECT_EQ(sprChannelState(sprFindChannel(kProbeSound)), c.state) << c.answer;
        EXPECT_EQ(app->IsQuitting(), c.quitting) << c.answer;
        sprStopAllSounds();
        app->ExitInstance();
        app.reset();
    }
}

}  // namespace
