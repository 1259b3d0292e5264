// The program's own clipboard formats live beside the desktop text they were placed with.
#include <gtest/gtest.h>

#include "platform/clipboard/choice/ClipboardChoice.h"
#include "platform/clipboard/formats/ClipboardFormats.h"

namespace {

class ClipboardFormatsTest : public ::testing::Test {
protected:
    void SetUp() override { plat::setClipboardBackend(&desktop); }
    void TearDown() override { plat::setClipboardBackend(nullptr); }
    plat::LocalClipboard desktop;
};

// A desktop that stores text as it pleases, as some do with line ends.
class RewritingClipboard : public plat::LocalClipboard {
public:
    bool setText(const std::string& text) override { return LocalClipboard::setText(text + "\n"); }
};

class RefusingClipboard : public plat::LocalClipboard {
public:
    bool setText(const std::string&) override { return false; }
};

TEST_F(ClipboardFormatsTest, NamesGiveStableDistinctFormats) {
    const plat::ClipboardFormat a = plat::registerClipboardFormat("Format A");
    EXPECT_NE(a, 0u);
    EXPECT_EQ(plat::registerClipboardFormat("Format A"), a);
    EXPECT_NE(plat::registerClipboardFormat("Format B"), a);
}

TEST_F(ClipboardFormatsTest, DataLastsOnlyWhileTheDesktopHoldsItsText) {
    const plat::ClipboardFormat format = plat::registerClipboardFormat("Ours");
    ASSERT_TRUE(plat::placeClipboardText("shown", format, "ours"));
    EXPECT_EQ(desktop.text(), "shown");
    EXPECT_EQ(plat::clipboardFormatData(format), "ours");
    EXPECT_EQ(plat::clipboardFormatData(plat::registerClipboardFormat("Other")), std::nullopt);
    desktop.setText("another program's");
    EXPECT_EQ(plat::clipboardFormatData(format), std::nullopt);
    // Copying the same words again elsewhere does not bring the old data back.
    desktop.setText("shown");
    EXPECT_EQ(plat::clipboardFormatData(format), std::nullopt);
}

TEST_F(ClipboardFormatsTest, DesktopThatRewritesTheTextStillKeepsOurData) {
    RewritingClipboard rewriting;
    plat::setClipboardBackend(&rewriting);
    const plat::ClipboardFormat format = plat::registerClipboardFormat("Ours");
    ASSERT_TRUE(plat::placeClipboardText("a\r\nb", format, "a\rb"));
    EXPECT_EQ(plat::clipboardFormatData(format), "a\rb");
}

TEST_F(ClipboardFormatsTest, RefusedTextLeavesNoFormats) {
    const plat::ClipboardFormat format = plat::registerClipboardFormat("Ours");
    ASSERT_TRUE(plat::placeClipboardText("first", format, "first"));
    RefusingClipboard refusing;
    plat::setClipboardBackend(&refusing);
    EXPECT_FALSE(plat::placeClipboardText("second", format, "second"));
    EXPECT_EQ(plat::clipboardFormatData(format), std::nullopt);
}

}  // namespace
