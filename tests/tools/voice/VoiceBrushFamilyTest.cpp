// The voice brushes, 45-54: with a scripted voice that swells from silence to a shout and
// falls silent again along the stroke, each brush's dabs grow and shrink with it (the sheet
// tests/tools/golden/voice.png); undo takes each stroke back byte for byte; the level comes
// from the microphone's spectrum, and without a microphone the brushes paint at full size.
#include <gtest/gtest.h>

#include "engine/os/OsManager.h"
#include "engine/os/OsThreads.h"
#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"
#include "platform/clock/Clock.h"
#include "tests/tools/BrushFamilyTestSupport.h"
#include "tools/voice/MicrophoneLevel.h"
#include "tools/voice/RCustomVoiceBrush1.h"
#include "tools/voice/RCustomVoiceBrush10.h"
#include "tools/voice/RCustomVoiceBrush2.h"
#include "tools/voice/RCustomVoiceBrush3.h"
#include "tools/voice/RCustomVoiceBrush4.h"
#include "tools/voice/RCustomVoiceBrush5.h"
#include "tools/voice/RCustomVoiceBrush6.h"
#include "tools/voice/RCustomVoiceBrush7.h"
#include "tools/voice/RCustomVoiceBrush8.h"
#include "tools/voice/RCustomVoiceBrush9.h"

namespace {

using namespace tooltest;

const GfxColor kRed = GfxColor::rgb(210, 30, 40);
const GfxColor kBlue = GfxColor::rgb(40, 80, 220);
const GfxColor kGreen = GfxColor::rgb(30, 150, 60);

const std::vector<FamilyTool> kVoice = {
    {"VoiceBrush1", 45, makeTool<RCustomVoiceBrush1>(), 24, kBlue},  {"VoiceBrush2", 46, makeTool<RCustomVoiceBrush2>(), 24, kRed},
    {"VoiceBrush3", 47, makeTool<RCustomVoiceBrush3>(), 24, kRed},   {"VoiceBrush4", 48, makeTool<RCustomVoiceBrush4>(), 24, kGreen},
    {"VoiceBrush5", 49, makeTool<RCustomVoiceBrush5>(), 24, kBlue},  {"VoiceBrush6", 50, makeTool<RCustomVoiceBrush6>(), 24, kGreen},
    {"VoiceBrush7", 51, makeTool<RCustomVoiceBrush7>(), 24, kRed},   {"VoiceBrush8", 52, makeTool<RCustomVoiceBrush8>(), 24, kBlue},
    {"VoiceBrush9", 53, makeTool<RCustomVoiceBrush9>(), 24, kRed},   {"VoiceBrush10", 54, makeTool<RCustomVoiceBrush10>(), 24, kRed},
};

// A voice that rises from silence to a shout over twelve dabs and falls back over twelve.
struct ScriptedVoice : VoiceLevel {
    float Level() override {
        const i32 at = calls++ % 24;
        return float(at < 12 ? at : 24 - at) / 12.0f;
    }
    i32 calls = 0;
};

std::vector<Point16> wave(const FamilyTool&) { return waveStroke(); }

// Every brush of a run hears its own scripted voice from the start.
struct Voices {
    std::function<void(RTool&)> Prepare() {
        return [this](RTool& tool) {
            voices.push_back(std::make_unique<ScriptedVoice>());
            static_cast<RCustomVoiceBrush&>(tool).SetLevelSource(voices.back().get());
        };
    }
    std::vector<std::unique_ptr<ScriptedVoice>> voices;
};

TEST(VoiceBrushFamily, EveryVoiceBrushFollowsTheScriptedVoiceOnTheSheet) {
    Voices voices;
    expectFamilySheet("voice", kVoice, wave, pressAndDrag, voices.Prepare());
}

TEST(VoiceBrushFamily, UndoTakesEveryVoiceStrokeBackByteForByte) {
    Voices voices;
    expectUndoRestores(kVoice, wave, pressAndDrag, voices.Prepare());
}

TEST(VoiceBrushFamily, TheDabGrowsFromAFifthOfTheSizeToTheSizeAndNoVoiceMeansFullSize) {
    RCustomVoiceBrush1 brush;
    sizeTool(brush, 40);
    const struct {
        float level;
        float diameter;
    } rows[] = {{0, 40 * kQuietDabShare}, {0.5f, 40 * (kQuietDabShare + (1 - kQuietDabShare) / 2)}, {1, 40}, {3, 40}, {-1, 40}};
    for (const auto& row : rows) EXPECT_FLOAT_EQ(brush.DabDiameter(row.level), row.diameter) << row.level;
}

TEST(VoiceBrushFamily, ASpectrumPeakCountsAgainstAShout) {
    const struct {
        u16 peak;
        float level;
    } rows[] = {{0, 0}, {kShoutPeak / 2, 0.5f}, {kShoutPeak - 1, float(kShoutPeak - 1) / kShoutPeak}, {kShoutPeak, 1}, {kShoutPeak + 1, 1}, {0xFFFF, 1}};
    for (const auto& row : rows) EXPECT_FLOAT_EQ(levelFromPeak(row.peak), row.level) << row.peak;
}

// The voice brush's own microphone, on the virtual microphone and the fake clock.
class VoiceFromMicrophone : public ::testing::Test {
protected:
    void SetUp() override {
        plat::setCaptureBackend(&microphone);
        ASSERT_EQ(osmInit(nullptr), kErrNone);
    }
    void TearDown() override {
        osmShutdown();
        plat::setCaptureBackend(nullptr);
    }
    void run(u32 ms) {
        for (u32 t = 0; t < ms; t += 10) {
            clock.advance(10);
            for (int i = 0; i < 40; ++i) osmSleep(0);
        }
    }
    // The diameter of the dab a click of a size-40 voice brush paints.
    i32 clickedDabWidth() {
        Picture picture(kCellW, kCellH);
        Easel easel(picture, GfxColor::rgb(0, 0, 0));
        RCustomVoiceBrush1 brush;
        sizeTool(brush, 40);
        easel.Use(brush);
        run(400);
        easel.Click(Point16{60, 40});
        i32 width = 0;
        for (i32 x = 0; x < kCellW; ++x) width += picture.view.At(x, 40) != kRgb555White;
        return width;
    }

    plat::ScopedFakeClock clock{100};
    plat::VirtualMicrophone microphone;
};

TEST_F(VoiceFromMicrophone, ALoudToneGivesABigDabAndSilenceASmallOne) {
    microphone.setSignal(plat::sineSignal(440, 0.9));
    const i32 loud = clickedDabWidth();
    microphone.setSignal(plat::sineSignal(440, 0.0));
    const i32 quiet = clickedDabWidth();
    EXPECT_GE(loud, 38);
    EXPECT_LE(quiet, 8);
    EXPECT_GT(quiet, 0);
}

TEST_F(VoiceFromMicrophone, WithoutAMicrophoneTheBrushPaintsAtFullSize) {
    microphone.acceptOnly({plat::makePcmFormat(8000, 2, 8)});
    EXPECT_GE(clickedDabWidth(), 38);
}

}  // namespace
