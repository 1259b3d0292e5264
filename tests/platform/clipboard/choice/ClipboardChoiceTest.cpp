// A headless run gets the clipboard kept in the process; a test's own backend stands in for it until
// it is taken back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/clipboard/choice/ClipboardChoice.h"

namespace plat {
namespace {

TEST(ClipboardChoice, HeadlessRunGetsTheHeadlessBackendUntilATestInstallsItsOwn) {
    ASSERT_STREQ(std::getenv("TUMBLO_HEADLESS"), "1");
    auto& chosen = clipboard();
    EXPECT_NE(dynamic_cast<LocalClipboard*>(&chosen), nullptr);
    LocalClipboard own;
    setClipboardBackend(&own);
    EXPECT_EQ(&clipboard(), &own);
    setClipboardBackend(nullptr);
    EXPECT_EQ(&clipboard(), &chosen);
}

}  // namespace
}  // namespace plat
