// A headless run gets the virtual backend; a test's own backend stands in for it until
// it is taken back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"

namespace plat {
namespace {

TEST(AudioChoice, HeadlessRunGetsTheHeadlessBackendUntilATestInstallsItsOwn) {
    ASSERT_STREQ(std::getenv("TUMBLO_HEADLESS"), "1");
    auto& chosen = audioBackend();
    EXPECT_NE(dynamic_cast<VirtualAudioBackend*>(&chosen), nullptr);
    VirtualAudioBackend own;
    setAudioBackend(&own);
    EXPECT_EQ(&audioBackend(), &own);
    setAudioBackend(nullptr);
    EXPECT_EQ(&audioBackend(), &chosen);
}

}  // namespace
}  // namespace plat
