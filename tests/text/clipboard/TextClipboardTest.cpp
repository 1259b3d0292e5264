// Text between the editors and the clipboard: line ends, control characters, and when the
// program's own copy is taken instead of the desktop's text.
#include <gtest/gtest.h>

#include <string>

#include "platform/clipboard/choice/ClipboardChoice.h"
#include "text/clipboard/TextClipboard.h"
#include "text/paste/PasteFilters.h"

namespace {

class TextClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { plat::setClipboardBackend(&desktop); }
    void TearDown() override { plat::setClipboardBackend(nullptr); }
    plat::LocalClipboard desktop;
};

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
