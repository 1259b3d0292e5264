// A headless run gets the virtual microphone; a test's own backend stands in for it until
// it is taken back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/audio/capture/choice/CaptureChoice.h"
#include "platform/audio/capture/virtual/VirtualMicrophone.h"

namespace plat {
namespace {

TEST(CaptureChoice, HeadlessRunGetsTheHeadlessBackendUntilATestInstallsItsOwn) {
    ASSERT_STREQ(std::getenv("TUMBLO_HEADLESS"), "1");
    auto& chosen = captureBackend();
    EXPECT_NE(dynamic_cast<VirtualMicrophone*>(&chosen), nullptr);
    VirtualMicrophone own;
    setCaptureBackend(&own);
    EXPECT_EQ(&captureBackend(), &own);
    setCaptureBackend(nullptr);
    EXPECT_EQ(&captureBackend(), &chosen);
}

}  // namespace
}  // namespace plat
