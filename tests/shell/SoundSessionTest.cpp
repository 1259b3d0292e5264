// What a child hears in the whole program, taken from the headless audio device: the splash's
// tune played by the General MIDI synthesizer, the login's typing sound, and the pencil's
// start, stroke and end sounds, which the Tool Sounds switch of the Controls menu turns off.
#include "platform/midi/choice/MidiChoice.h"
#include "platform/midi/fluidsynth/FluidSynthMidi.h"
#include "tests/app/harness/ProgramEar.h"
#include "tests/shell/SessionFixture.h"

namespace {

using namespace Ostrel;
using namespace testshell;

// Longer than the pencil's end sound, shorter than its stroke sound.
constexpr u32 kEndSoundMs = 200;
// How far the mixer's device plays behind the program.
constexpr u32 kMixerLagMs = 200;

class SoundSession : public SessionFixture {
protected:
    // The splash, a key and the login.
    void openLogin() {
        start();
        frames(2);
        press(kVkSpace);
        frames(5);
        ASSERT_TRUE(application_->IsLoginOpen());
    }
    bool heardSince(size_t from, u32 ms = 2000) { return ear.HeardSince(clock_.clock(), from, ms, loop); }
    void untilQuiet() { ear.UntilQuiet(clock_.clock(), loop); }

    // Built before the program starts and gone after it ended (the fixture's tear-down).
    testapp::ProgramEar ear;
    // The framework's loop task: the idle step and the windows' ticks.
    std::function<void()> loop = [] { osmDispatchTasks(plat::clockMillis(), 1); };
};

// The splash's hop is a MIDI tune: with the soundfont the synthesizer's sound reaches the
// device while the star hops and is gone once a key ends the splash; without one nothing is
// heard, and the hop, which waits for its tune, still ends by itself and brings the login.
TEST_F(SoundSession, TheSplashTuneIsPlayedByTheSynthesizerUntilTheSplashEnds) {
    const std::string soundFont = plat::findSoundFont();
    if (soundFont.empty()) GTEST_FAIL() << "no General MIDI soundfont installed (fluid-soundfont-gm, scripts/install-deps)";
    struct Case {
        std::string soundFont;
        bool heard;
    };
    // Quiet first: what the device plays is then the synthesizer's alone.
    for (const Case& c : {Case{"", false}, Case{soundFont, true}}) {
        SCOPED_TRACE(c.heard ? "with the soundfont" : "without a soundfont");
        plat::FluidSynthMidiBackend synthesizer(c.soundFont, &ear.Device());
        plat::setMidiBackend(&synthesizer);
        start();
        // The splash's screen updates start its tune: the program's whole loop runs meanwhile.
        const std::function<void()> splashLoop = [this] {
            frame(0);
            osmDispatchTasks(plat::clockMillis(), 1);
        };
        frames(10);
        EXPECT_EQ(ear.HeardSince(clock_.clock(), 0, 1000, splashLoop), c.heard);
        if (c.heard) {
            press(kVkSpace);
            frames(5);
            EXPECT_TRUE(application_->IsLoginOpen());
            ear.Pass(clock_.clock(), 1500, splashLoop);
            EXPECT_FALSE(ear.HeardSince(clock_.clock(), ear.Played(), 500, splashLoop)) << "the tune goes with the splash";
        } else {
            frames(250);
            EXPECT_TRUE(application_->IsLoginOpen()) << "the hop ends without its tune";
        }
        application_->ExitInstance();
        application_.reset();
        plat::setMidiBackend(nullptr);
    }
}

TEST_F(SoundSession, TypingANameInTheLoginIsHeard) {
    ASSERT_NO_FATAL_FAILURE(openLogin());
    untilQuiet();
    ASSERT_FALSE(heardSince(ear.Played(), 300)) << "the login is not quiet before a key";
    const size_t before = ear.Played();
    type("M");
    EXPECT_TRUE(heardSince(before)) << "the typed letter made no sound";
}

TEST_F(SoundSession, ThePencilIsHeardUntilToolSoundsAreTurnedOff) {
    ASSERT_NO_FATAL_FAILURE(openLogin());
    type("Maya");
    press(kVkReturn);
    frames(5);
    ASSERT_NE(easel(), nullptr);
    const Point16 middle = centre(easel()->Canvas()->CanvasRect());
    struct Case {
        bool switchOff;
        bool heard;
    };
    for (const Case& c : {Case{false, true}, Case{true, false}}) {
        if (c.switchOff) post(plat::kMsgCommand, kCmdToolSounds);
        frames(2);
        untilQuiet();
        const size_t before = ear.Played();
        drag(Point16{i16(middle.h - 100), middle.v}, Point16{i16(middle.h + 100), middle.v}, 10);
        EXPECT_EQ(heardSince(before, kEndSoundMs), c.heard) << (c.switchOff ? "switched off" : "switched on");
        // The stroke's sound ends with the stroke: once the end sound is over (the mixer plays
        // some 200 ms behind), all is quiet, where a stroke sound going on would still be heard.
        ear.Pass(clock_.clock(), kEndSoundMs + kMixerLagMs, loop);
        EXPECT_FALSE(heardSince(ear.Played(), kEndSoundMs)) << (c.switchOff ? "switched off" : "switched on");
    }
    EXPECT_EQ(application_->GetGlobalUserSettings()->toolSounds, 0);
}

}  // namespace
