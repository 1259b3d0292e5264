// Text between the editors and the clipboard: line ends, control characters, and when the
// program's own copy is taken instead of the desktop's text.
#include <gtest/gtest.h>

#include <string>

#include "platform/clipboard/Clipboard.h"
#include "text/clipboard/TextClipboard.h"

namespace {

class TextClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { plat::setClipboardBackend(&desktop); }
    void TearDown() override { plat::setClipboardBackend(nullptr); }
    plat::LocalClipboard desktop;
};

TEST(TextClipboardFilter, PageEditorPasteNormalisesLineEndsAndDropsControls) {
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"a\r\nb", "a\rb"},        // CR LF from the program's own copy
        {"a\nb\n", "a\rb\r"},      // bare LF from another program
        {"a\rb", "ab"},            // a CR on its own
        {"a\tb\x01" "c", "abc"},   // tabs and other controls
        {"\xE9\xF1\x80", "\xE9\xF1\x80"},
        {"\r\n\r\n", "\r\r"},
    };
    for (const Case& c : cases) EXPECT_EQ(filterPageEditorPaste(c.in), c.out) << c.in;
}

TEST(TextClipboardFilter, DialogFieldPasteKeepsLineBreaksUnlessOneLine) {
    struct Case {
        std::string in;
        bool oneLine;
        std::string out;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", false, "a\rb\rc\rd"},
        {"a\tb\x7F" "c", false, "abc"},
        {"first\r\nsecond", true, "first"},
        {"\nsecond", true, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(filterDialogFieldPaste(c.in, c.oneLine), c.out) << c.in;
}

TEST_F(TextClipboardTest, PageEditorCopiesLineBreaksAsCrLfAndPastesThemBackAsCr) {
    copyClipText(TextClipKind::PageEditor, "one\rtwo");
    EXPECT_EQ(desktop.text(), "one\r\ntwo");
    EXPECT_EQ(filterPageEditorPaste(clipTextToPaste(TextClipKind::PageEditor)), "one\rtwo");
}

TEST_F(TextClipboardTest, OwnCopyServesOnlyWhileTheDesktopHoldsWhatWePlaced) {
    copyClipText(TextClipKind::DialogField, "ours");
    EXPECT_EQ(clipTextToPaste(TextClipKind::DialogField), "ours");
    desktop.setText("theirs");
    EXPECT_EQ(clipTextToPaste(TextClipKind::DialogField), "theirs");
}

TEST_F(TextClipboardTest, EachKindTakesOnlyItsOwnMark) {
    // A page editor's copy is plain desktop text to a dialog field, CR LF and all.
    copyClipText(TextClipKind::PageEditor, "a\rb");
    EXPECT_EQ(clipTextToPaste(TextClipKind::DialogField), "a\r\nb");
    copyClipText(TextClipKind::DialogField, "");
    EXPECT_EQ(desktop.text(), "a\r\nb");
}

}  // namespace
