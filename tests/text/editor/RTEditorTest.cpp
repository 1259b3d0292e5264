// The page text editor: typing and its undo step, the limits and their refusal sound, growth
// of the bounds, styles chosen at the caret, and the clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../TextTestSupport.h"
#include "framework/undo/UndoManager.h"
#include "platform/clipboard/choice/ClipboardChoice.h"
#include "text/editor/RTEditor.h"
#include "text/host/TextKeys.h"

namespace {

using namespace text_test;

constexpr u32 kUndoItem = 1;
constexpr Rect16 kOneLine{0, 0, 64, kLineHeight};

class RTEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::setClipboardBackend(&desktop);
        editor.Init(kOneLine);
        editor.SetBounds(Rect16{0, 0, 64, 3 * kLineHeight});
        editor.SetText(std::make_unique<StyledText>());
        editor.Activate();
    }
    void TearDown() override { plat::setClipboardBackend(nullptr); }

    void Type(const std::string& text) {
        for (char c : text) editor.HandleKey(c == '\r' ? keyWord(kKeyReturn, '\r') : keyWord(0, u8(c)));
    }
    void Key(u8 virtualKey) { editor.HandleKey(keyWord(virtualKey, 0)); }
    void Deliver(FourCC code) {
        Ostrel::RMessage message(code, 0, 0);
        editor.HandleMessage(&message, 0);
    }
    size_t Refusals() const { return std::count(host.sounds.begin(), host.sounds.end(), kTextRefusalSound); }
    const std::string& Text() const { return editor.Text()->Text(); }

    plat::LocalClipboard desktop;
    RecordingTextHost host;
    FixedMeasurer measurer;
    Ostrel::UndoManager undo{kUndoItem, [](const char*) { return std::string(); }};
    RTEditor editor{host, measurer, undo};
};

TEST_F(RTEditorTest, TypingIsOneStepThatUndoAndRedoExchange) {
    Type("abc");
    EXPECT_EQ(editor.UndoKind(), fourCC("txTy"));
    Key(kKeyLeft);
    Type("d");  // the arrow key does not end the step
    EXPECT_EQ(Text(), "abdc");
    editor.SetModified(false);
    Deliver(fourCC("txTy"));
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(editor.UndoKind(), fourCC("tRdo"));
    Deliver(fourCC("txTy"));
    EXPECT_EQ(Text(), "abdc");
}

// Whatever changes the text or its highlighted range has the page drawn again.
TEST_F(RTEditorTest, EditsAndCollapsedRangesMarkThePageForDrawing) {
    struct Case {
        u16 start, end;
        u32 key;
    };
    const Case cases[] = {{3, 3, keyWord(0, 'x')},          {3, 3, keyWord(kKeyReturn, '\r')},
                          {3, 3, keyWord(kKeyBackspace, 0)}, {0, 0, keyWord(kKeyDelete, 0)},
                          {0, 2, keyWord(kKeyLeft, 0)},      {0, 2, keyWord(kKeyRight, 0)}};
    for (const Case& c : cases) {
        editor.SetText(std::make_unique<StyledText>("abc", 3));
        editor.SetSelection(c.start, c.end);
        const int before = host.staleMarks;
        EXPECT_TRUE(editor.HandleKey(c.key));
        EXPECT_GT(host.staleMarks, before) << c.start << "-" << c.end << " key " << c.key;
    }
}

TEST_F(RTEditorTest, DeletingASelectionBeginsANewStep) {
    Type("abcd");
    editor.SetSelection(1, 3);
    Key(kKeyDelete);
    EXPECT_EQ(Text(), "ad");
    Deliver(fourCC("txTy"));
    EXPECT_EQ(Text(), "abcd");  // the deletion alone is taken back
    // After a restore, typing begins a step of its own.
    editor.SetSelection(4, 4);
    Type("e");
    Deliver(fourCC("txTy"));
    EXPECT_EQ(Text(), "abcd");
}

TEST_F(RTEditorTest, BoundsGrowDownToTheLimitAndTheLinePastItIsRefused) {
    Type("a\r");
    EXPECT_TRUE(editor.Grew());
    Type("b");
    EXPECT_FALSE(editor.Grew());
    EXPECT_EQ(editor.Bounds().bottom, 2 * kLineHeight);
    Type("\rc");
    EXPECT_EQ(editor.Bounds().bottom, 3 * kLineHeight);
    EXPECT_EQ(Refusals(), 0u);
    Type("\r");
    EXPECT_EQ(Text(), "a\rb\rc");
    EXPECT_EQ(editor.Bounds().bottom, 3 * kLineHeight);
    EXPECT_EQ(Refusals(), 1u);
}

TEST_F(RTEditorTest, PasteOneCharacterPastTheLengthLimitIsRefusedWithItsSoundAndSaid) {
    struct Case {
        size_t pasted;
        bool accepted;
    };
    for (Case c : {Case{1, true}, Case{2, false}}) {
        editor.SetBounds(Rect16{0, 0, 30000, 30000});
        ASSERT_TRUE(editor.SetRect(Rect16{0, 0, 30000, 30000}, false));
        const std::string start(kStyledTextMaxLength - 1, 'x');
        editor.SetText(std::make_unique<StyledText>(start.data(), u16(start.size())));
        editor.SetSelection(0, 0);
        desktop.setText(std::string(c.pasted, 'y'));
        host.sounds.clear();
        EXPECT_TRUE(editor.Paste());
        EXPECT_EQ(Text().size(), c.accepted ? kStyledTextMaxLength : start.size()) << c.pasted;
        EXPECT_EQ(Refusals(), c.accepted ? 0u : 1u) << c.pasted;
        EXPECT_EQ(host.toldTooLong, c.accepted ? 0 : 1) << "the child is told why";
        host.toldTooLong = 0;
    }
}

TEST_F(RTEditorTest, TextThatNoLongerFitsStillTakesDeletions) {
    // Four lines where the limit holds three, as a text made elsewhere may come.
    editor.SetText(std::make_unique<StyledText>("a\rb\rc\rd", 7));
    editor.SetSelection(7, 7);
    Type("e");
    EXPECT_EQ(Text(), "a\rb\rc\rd");
    EXPECT_EQ(Refusals(), 1u);
    Key(kKeyBackspace);
    EXPECT_EQ(Text(), "a\rb\rc\r");
    Key(kKeyBackspace);
    EXPECT_EQ(Text(), "a\rb\rc");
    EXPECT_EQ(Refusals(), 1u);
    Type("d");  // fits again
    EXPECT_EQ(Text(), "a\rb\rcd");
}

TEST_F(RTEditorTest, TextTallerThanCoordinatesReachIsRefused) {
    // 128 lines of 300 units stand far below any limit, though their bottom does not fit a
    // 16-bit coordinate.
    auto tall = std::make_unique<StyledText>();
    tall->Runs().defaultStyle.size = 300;
    editor.SetText(std::move(tall));
    const Rect16 before = editor.Bounds();
    desktop.setText(std::string(kLayoutMaxLines - 1, '\n'));
    EXPECT_TRUE(editor.Paste());
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Refusals(), 1u);
    EXPECT_EQ(editor.Bounds().bottom, before.bottom);
}

TEST_F(RTEditorTest, TextTakenAwayTakesItsLayoutAndInputWithIt) {
    Type("ab");
    editor.SetText(nullptr);
    EXPECT_EQ(editor.Layout(), nullptr);
    EXPECT_FALSE(editor.HandleKey(keyWord(0, 'c')));
    EXPECT_FALSE(editor.Paste());
    editor.SetText(std::make_unique<StyledText>("xy", 2));
    ASSERT_NE(editor.Layout(), nullptr);
    EXPECT_EQ(&editor.Layout()->Text(), editor.Text());
}

TEST_F(RTEditorTest, PrintableMeansPrintableInCp1252) {
    for (u8 c : {u8(0xE1), u8(0xF1), u8(0xBF), u8(0xA1)}) EXPECT_TRUE(editor.HandleKey(keyWord(0, c))) << int(c);
    EXPECT_EQ(Text(), "\xE1\xF1\xBF\xA1");
    EXPECT_FALSE(editor.HandleKey(keyWord(0, 0x81)));
    EXPECT_FALSE(editor.HandleKey(keyWord(0x70, 0)));
}

TEST_F(RTEditorTest, StyleChosenAtTheCaretShowsOnTheNextCharacterAndIsForgottenWhenTheCaretMoves) {
    Type("ab");
    TextStyle bold;
    bold.bold = kStyleOn;
    EXPECT_TRUE(editor.ApplyStyle(bold, false, true));
    EXPECT_EQ(editor.UndoKind(), fourCC("txTy"));  // no step for a caret style
    EXPECT_EQ(editor.GetCurrentStyle().bold, kStyleOn);
    Key(kKeyLeft);
    Key(kKeyRight);
    EXPECT_NE(editor.GetCurrentStyle().bold, kStyleOn);
    Type("c");
    EXPECT_NE(editor.Text()->Runs().StyleAt(2).bold, kStyleOn);
    EXPECT_TRUE(editor.ApplyStyle(bold, false, true));
    Type("d");
    EXPECT_EQ(editor.Text()->Runs().StyleAt(3).bold, kStyleOn);
}

TEST_F(RTEditorTest, StyleOfASelectionIsAStepOfItsOwn) {
    Type("abc");
    editor.SetSelection(0, 2);
    TextStyle big;
    big.size = 18;
    EXPECT_TRUE(editor.ApplyStyle(big, false, true));
    EXPECT_EQ(editor.UndoKind(), fourCC("tStl"));
    Deliver(fourCC("tStl"));
    EXPECT_EQ(editor.Text()->Runs().StyleAt(0).size, 0);
}

TEST_F(RTEditorTest, CopiedLinesCrossAsCrLfAndComeBackAsCr) {
    editor.SetBounds(Rect16{0, 0, 64, 10 * kLineHeight});
    Type("one\rtwo");
    editor.SetSelection(0, 7);
    editor.CopyToClipboard();
    EXPECT_EQ(desktop.text(), "one\r\ntwo");
    editor.SetSelection(7, 7);
    Type("\r");
    EXPECT_TRUE(editor.Paste());
    EXPECT_EQ(Text(), "one\rtwo\rone\rtwo");
    desktop.setText("x\ty\nz\r");
    EXPECT_TRUE(editor.Paste());
    EXPECT_EQ(Text(), "one\rtwo\rone\rtwoxy\rz");
}

TEST_F(RTEditorTest, CutIsUndone) {
    Type("abc");
    editor.SetSelection(0, 2);
    editor.Cut();
    EXPECT_EQ(Text(), "c");
    EXPECT_EQ(desktop.text(), "ab");
    EXPECT_EQ(editor.UndoKind(), fourCC("tCut"));
    Deliver(fourCC("tCut"));
    EXPECT_EQ(Text(), "abc");
}

TEST_F(RTEditorTest, ClickPastALineEndingInCrStaysOnThatLine) {
    editor.SetBounds(Rect16{0, 0, 64, 10 * kLineHeight});
    Type("ab\rcd");
    editor.OnMouseDown(Point16{50, 5}, false);
    editor.OnMouseUp();
    EXPECT_EQ(editor.Text()->SelectionStart(), 2);
    EXPECT_EQ(editor.CaretRect().top, kLeading);
    editor.OnMouseDown(Point16{3, 5}, false);
    editor.OnMouseDrag(Point16{50, 20});
    EXPECT_EQ(editor.Text()->SelectionStart(), 0);
    EXPECT_EQ(editor.Text()->SelectionEnd(), 5);
}

// "abc" CR "def": lines start at 0 and 4. A range collapses to the side the key points to;
// Up and Down move only a caret.
TEST_F(RTEditorTest, ArrowsAndHomeEndMoveTheCaretOrCollapseTheRange) {
    editor.SetBounds(Rect16{0, 0, 64, 10 * kLineHeight});
    Type("abc\rdef");
    struct Case {
        u16 start, end;
        u8 key;
        u16 toStart, toEnd;
    };
    const Case cases[] = {
        {1, 5, kKeyLeft, 1, 1}, {1, 5, kKeyRight, 5, 5}, {1, 5, kKeyHome, 0, 0}, {1, 5, kKeyEnd, 7, 7},
        {1, 5, kKeyUp, 1, 5},   {1, 5, kKeyDown, 1, 5},
        {2, 2, kKeyLeft, 1, 1}, {2, 2, kKeyRight, 3, 3}, {2, 2, kKeyHome, 0, 0}, {2, 2, kKeyEnd, 3, 3},
        {2, 2, kKeyDown, 6, 6}, {6, 6, kKeyUp, 2, 2},    {5, 5, kKeyHome, 4, 4}, {0, 0, kKeyLeft, 0, 0},
        {7, 7, kKeyRight, 7, 7},
    };
    for (const Case& c : cases) {
        editor.SetSelection(c.start, c.end);
        Key(c.key);
        EXPECT_EQ(editor.Text()->SelectionStart(), c.toStart) << c.start << "-" << c.end << " key " << int(c.key);
        EXPECT_EQ(editor.Text()->SelectionEnd(), c.toEnd) << c.start << "-" << c.end << " key " << int(c.key);
    }
}

TEST_F(RTEditorTest, UpAndDownLeaveALineWhoseCharactersDifferInSize) {
    editor.SetBounds(Rect16{0, 0, 64, 10 * kLineHeight});
    Type("ab\rcd");
    TextStyle big;
    big.size = 24;
    editor.SetSelection(1, 2);
    ASSERT_TRUE(editor.ApplyStyle(big, false, false));
    // The caret after the small 'a' is shorter than its line, which the large 'b' makes high.
    editor.SetSelection(1, 1);
    Key(kKeyDown);
    EXPECT_EQ(editor.Text()->SelectionStart(), 4);
    Key(kKeyUp);
    EXPECT_EQ(editor.Text()->SelectionStart(), 1);
}

}  // namespace
