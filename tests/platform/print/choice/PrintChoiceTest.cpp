// A headless run gets the headless printer; a test's own backend stands in for it until
// it is taken back.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/print/choice/PrintChoice.h"
#include "platform/print/headless/HeadlessPrint.h"

namespace plat::print {
namespace {

TEST(PrintChoice, HeadlessRunGetsTheHeadlessBackendUntilATestInstallsItsOwn) {
    ASSERT_STREQ(std::getenv("TUMBLO_HEADLESS"), "1");
    auto& chosen = printBackend();
    EXPECT_NE(dynamic_cast<HeadlessPrintBackend*>(&chosen), nullptr);
    HeadlessPrintBackend own;
    setPrintBackend(&own);
    EXPECT_EQ(&printBackend(), &own);
    setPrintBackend(nullptr);
    EXPECT_EQ(&printBackend(), &chosen);
}

}  // namespace
}  // namespace plat::print
