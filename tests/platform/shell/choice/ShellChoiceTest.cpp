// A headless run gets the headless shell; a test's own backend stands in for it until
// it is taken back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/shell/choice/ShellChoice.h"
#include "platform/shell/headless/HeadlessShell.h"

namespace plat {
namespace {

TEST(ShellChoice, HeadlessRunGetsTheHeadlessBackendUntilATestInstallsItsOwn) {
    ASSERT_STREQ(std::getenv("TUMBLO_HEADLESS"), "1");
    auto& chosen = desktopShell();
    EXPECT_NE(dynamic_cast<HeadlessShell*>(&chosen), nullptr);
    HeadlessShell own;
    setDesktopShell(&own);
    EXPECT_EQ(&desktopShell(), &own);
    setDesktopShell(nullptr);
    EXPECT_EQ(&desktopShell(), &chosen);
}

}  // namespace
}  // namespace plat
