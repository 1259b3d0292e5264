// A headless run gets the headless voice; a test's own backend stands in for it until
// it is taken back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/speech/choice/SpeechChoice.h"
#include "platform/speech/headless/HeadlessSpeech.h"

namespace plat {
namespace {

TEST(SpeechChoice, HeadlessRunGetsTheHeadlessBackendUntilATestInstallsItsOwn) {
    ASSERT_STREQ(std::getenv("TUMBLO_HEADLESS"), "1");
    auto& chosen = speechBackend();
    EXPECT_NE(dynamic_cast<HeadlessSpeechBackend*>(&chosen), nullptr);
    HeadlessSpeechBackend own;
    setSpeechBackend(&own);
    EXPECT_EQ(&speechBackend(), &own);
    setSpeechBackend(nullptr);
    EXPECT_EQ(&speechBackend(), &chosen);
}

}  // namespace
}  // namespace plat
