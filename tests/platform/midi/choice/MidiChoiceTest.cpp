// A headless run gets the recording device; a test's own backend stands in for it until
// it is taken back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/midi/choice/MidiChoice.h"
#include "platform/midi/recording/RecordingMidi.h"

namespace plat {
namespace {

TEST(MidiChoice, HeadlessRunGetsTheHeadlessBackendUntilATestInstallsItsOwn) {
    ASSERT_STREQ(std::getenv("TUMBLO_HEADLESS"), "1");
    auto& chosen = midiBackend();
    EXPECT_NE(dynamic_cast<RecordingMidiBackend*>(&chosen), nullptr);
    RecordingMidiBackend own;
    setMidiBackend(&own);
    EXPECT_EQ(&midiBackend(), &own);
    setMidiBackend(nullptr);
    EXPECT_EQ(&midiBackend(), &chosen);
}

}  // namespace
}  // namespace plat
