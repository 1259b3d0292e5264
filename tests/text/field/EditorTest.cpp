// Dialog fields: typing within limits, refusals and their sound, undo of typing, the mouse,
// and cut, copy and paste.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "../TextTestSupport.h"
#include "framework/undo/UndoManager.h"
#include "platform/clipboard/choice/ClipboardChoice.h"
#include "text/field/Editor.h"
#include "text/host/TextKeys.h"

namespace {

using namespace text_test;

constexpr u32 kUndoItem = 1;
// Room for three lines: the last line's baseline plus twice the descent stays inside.
constexpr Rect16 kThreeLines{0, 0, 64, i16(3 * kLineHeight + 2 * kDescent + 1)};
constexpr Rect16 kTall{0, 0, 64, 2000};

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { plat::setClipboardBackend(&desktop); }
    void TearDown() override { plat::setClipboardBackend(nullptr); }

    Editor& Field(const Rect16& frame, u16 maxLines, u16 maxLength) {
        field.Begin(frame, TextStyle{}, maxLines, maxLength, false);
        field.SetFocus();
        return field;
    }
    // True when no key was refused.
    bool Type(const std::string& text) {
        const size_t before = Refusals();
        for (char c : text) field.HandleKey(c == '\r' ? keyWord(kKeyReturn, '\r') : keyWord(0, u8(c)));
        return Refusals() == before;
    }
    size_t Refusals() const { return std::count(host.sounds.begin(), host.sounds.end(), kTextRefusalSound); }
    void Deliver(Editor& to, FourCC code) {
        Ostrel::RMessage message(code, 0, 0);
        to.HandleMessage(&message, 0);
    }

    plat::LocalClipboard desktop;
    RecordingTextHost host;
    FixedMeasurer measurer;
    Ostrel::UndoManager undo{kUndoItem, [](const char*) { return std::string(); }};
    Editor field{host, measurer, undo};
};

TEST_F(EditorTest, MaximumLengthRefusesOnePastItWithTheSound) {
    struct Case {
        u16 maxLength;
        u16 typed;
        u16 kept;
    };
    for (Case c : {Case{63, 63, 63}, Case{63, 64, 63}}) {
        Editor other(host, measurer, undo);
        other.Begin(kTall, TextStyle{}, 0, c.maxLength, false);
        other.SetFocus();
        host.sounds.clear();
        for (u16 i = 0; i < c.typed; ++i) other.HandleKey(keyWord(0, 'a'));
        EXPECT_EQ(other.Length(), c.kept) << c.typed;
        EXPECT_EQ(Refusals(), size_t(c.typed - c.kept)) << c.typed;
    }
}

TEST_F(EditorTest, TypingOverASelectionAtTheLimitIsAccepted) {
    Field(kTall, 0, 63);
    const std::string full(63, 'a');
    field.SetText(full.data(), 63, false, false);
    field.SetSelection(10, 12);
    EXPECT_TRUE(Type("b"));
    EXPECT_EQ(field.Length(), 62);
    EXPECT_EQ(Refusals(), 0u);
}

TEST_F(EditorTest, LengthsAreClampedToTheBuffer) {
    struct Case {
        size_t given;
        u16 kept;
        bool typingAccepted;
    };
    // The frame holds every length here, so only the buffer refuses.
    const Case cases[] = {
        {kFieldMaxLength - 1, kFieldMaxLength - 1, true},
        {kFieldMaxLength, kFieldMaxLength, false},
        {kFieldMaxLength + 5, kFieldMaxLength, false},
    };
    for (const Case& c : cases) {
        Editor other(host, measurer, undo);
        other.Begin(Rect16{0, 0, 30000, 30000}, TextStyle{}, 0, 40000, false);
        other.SetFocus();
        const std::string given(c.given, 'x');
        other.SetText(given.data(), u16(given.size()), false, false);
        EXPECT_EQ(other.Length(), c.kept) << c.given;
        host.sounds.clear();
        other.HandleKey(keyWord(0, 'y'));
        EXPECT_EQ(other.Length(), c.typingAccepted ? c.kept + 1 : c.kept) << c.given;
        EXPECT_EQ(Refusals(), c.typingAccepted ? 0u : 1u) << c.given;
    }
}

TEST_F(EditorTest, MaximumLineCountIsEnforced) {
    struct Case {
        u16 maxLines;
        const char* typed;
        u16 kept;
    };
    const Case cases[] = {
        {1, "ab\r", 2},           // Return in a one-line field
        {3, "a\rb\rc", 5},        // exactly three lines
        {3, "a\rb\rc\r", 5},      // a fourth line
        {2, "abcdefghijk", 11},   // a wrapped line counts as a line
        {1, "abcdefghijk", 10},
    };
    for (const Case& c : cases) {
        Editor other(host, measurer, undo);
        other.Begin(kTall, TextStyle{}, c.maxLines, 0, false);
        other.SetFocus();
        for (const char* p = c.typed; *p; ++p)
            other.HandleKey(*p == '\r' ? keyWord(kKeyReturn, '\r') : keyWord(0, u8(*p)));
        EXPECT_EQ(other.Length(), c.kept) << c.typed;
    }
}

TEST_F(EditorTest, DeletionThatWouldTakeMoreLinesIsRefused) {
    struct Case {
        const char* what;
        u16 caret;
        const char* kept;
        size_t refusals;
    };
    // Ten characters to a line, two lines at most: "ab cdef " and "ghijklm". Without the
    // second blank "cdefghijklm" no longer fits after "ab ", goes down whole and breaks there,
    // needing a third line.
    const Case cases[] = {
        {"a letter", 2, "a cdef ghijklm", 0},
        {"the blank between the words", 8, "ab cdef ghijklm", 1},
    };
    for (const Case& c : cases) {
        Editor other(host, measurer, undo);
        other.Begin(kTall, TextStyle{}, 2, 0, false);
        other.SetFocus();
        other.SetText("ab cdef ghijklm", 15, false, false);
        ASSERT_EQ(other.Layout().LineCount(), 2);
        other.SetSelection(c.caret, c.caret);
        host.sounds.clear();
        other.HandleKey(keyWord(kKeyBackspace, 0));
        EXPECT_EQ(other.Text(), c.kept) << c.what;
        EXPECT_EQ(Refusals(), c.refusals) << c.what;
        EXPECT_EQ(other.Layout().LineCount(), 2) << c.what;
    }
    // A cut or a clear deletes too.
    Field(kTall, 2, 0);
    field.SetText("ab cdef ghijklm", 15, false, false);
    field.SetSelection(7, 8);
    host.sounds.clear();
    EXPECT_FALSE(field.Cut());
    field.Clear();
    EXPECT_EQ(field.Text(), "ab cdef ghijklm");
    EXPECT_EQ(field.SelectionStart(), 7);
    EXPECT_EQ(field.SelectionEnd(), 8);
    EXPECT_EQ(Refusals(), 2u);
}

TEST_F(EditorTest, CharacterStartingALineBelowTheFrameIsRefused) {
    Field(kThreeLines, 10, 0);
    EXPECT_TRUE(Type("a\rb\rc"));
    EXPECT_FALSE(Type("\r"));
    EXPECT_EQ(field.Text(), "a\rb\rc");
    EXPECT_EQ(Refusals(), 1u);
}

TEST_F(EditorTest, RefusedCharacterRestoresTheSelectionItReplaced) {
    Field(kThreeLines, 10, 0);
    ASSERT_TRUE(Type("a\rb\rcd"));
    field.SetSelection(5, 6);
    EXPECT_FALSE(Type("\r"));
    EXPECT_EQ(field.Text(), "a\rb\rcd");
    EXPECT_EQ(field.SelectionStart(), 5);
    EXPECT_EQ(field.SelectionEnd(), 6);
}

TEST_F(EditorTest, PrintableMeansPrintableInCp1252) {
    Field(kTall, 0, 0);
    for (u8 c : {u8(0xE1), u8(0xF1), u8(0xBF), u8(0xA1), u8('~')}) EXPECT_TRUE(field.HandleKey(keyWord(0, c))) << int(c);
    EXPECT_EQ(field.Text(), "\xE1\xF1\xBF\xA1~");
    for (u8 c : {u8(0x81), u8(0x7F), u8(0x09)}) field.HandleKey(keyWord(0, c));
    EXPECT_EQ(field.Length(), 5);
}

TEST_F(EditorTest, UndoTakesBackAllTypingAndRedoReturnsIt) {
    Field(kTall, 0, 0);
    ASSERT_TRUE(Type("abc"));
    field.HandleKey(keyWord(kKeyLeft, 0));
    ASSERT_TRUE(Type("d"));  // an arrow key does not end the typing step
    EXPECT_EQ(field.Text(), "abdc");
    EXPECT_TRUE(field.Modified());
    EXPECT_EQ(undo.GetCurrentCode(), fourCC("txTy"));
    Deliver(field, fourCC("txTy"));
    EXPECT_EQ(field.Text(), "");
    EXPECT_FALSE(field.Modified());
    Deliver(field, fourCC("txTy"));
    EXPECT_EQ(field.Text(), "abdc");
    EXPECT_TRUE(field.Modified());
    // After a restore the next key begins a step of its own.
    ASSERT_TRUE(Type("e"));
    Deliver(field, fourCC("txTy"));
    EXPECT_EQ(field.Text(), "abdc");
}

TEST_F(EditorTest, TypingInAnotherFieldBeginsItsOwnStep) {
    Field(kTall, 0, 0);
    Editor other(host, measurer, undo);
    other.Begin(kTall, TextStyle{}, 0, 0, false);
    other.SetFocus();
    ASSERT_TRUE(Type("ab"));
    other.HandleKey(keyWord(0, 'z'));
    Deliver(other, fourCC("txTy"));
    EXPECT_EQ(other.Text(), "");
    EXPECT_EQ(field.Text(), "ab");
}

TEST_F(EditorTest, ArrowsHomeAndEndMoveTheCaretByLines) {
    Field(kTall, 0, 0);
    field.SetText("abc\rdefgh", 9, false, false);
    struct Step {
        u8 key;
        u16 caret;
    };
    const Step steps[] = {
        {kKeyHome, 4}, {kKeyLeft, 3}, {kKeyHome, 0}, {kKeyRight, 1}, {kKeyDown, 5},
        {kKeyEnd, 9},  {kKeyUp, 3},   {kKeyUp, 3},   {kKeyEnd, 3},  {kKeyRight, 4},
    };
    for (const Step& s : steps) {
        field.HandleKey(keyWord(s.key, 0));
        EXPECT_EQ(field.SelectionStart(), s.caret) << int(s.key);
        EXPECT_EQ(field.SelectionEnd(), s.caret) << int(s.key);
    }
    // A range collapses to its start with Left and Up, to its end with Right and Down, and to
    // the start of its first line or the end of its last with Home and End; its highlight goes.
    for (const Step& s : {Step{kKeyLeft, 1}, Step{kKeyUp, 1}, Step{kKeyRight, 6}, Step{kKeyDown, 6},
                          Step{kKeyHome, 0}, Step{kKeyEnd, 9}}) {
        field.SetSelection(1, 6);
        const int stale = host.staleMarks;
        field.HandleKey(keyWord(s.key, 0));
        EXPECT_EQ(field.SelectionStart(), s.caret) << int(s.key);
        EXPECT_EQ(field.SelectionEnd(), s.caret) << int(s.key);
        EXPECT_GT(host.staleMarks, stale) << int(s.key);
    }
}

TEST_F(EditorTest, DoubleClickSelectsTheWordAndItsBlank) {
    Field(kTall, 0, 0);
    field.SetText("ab cd", 5, false, false);
    field.OnDoubleClick(Point16{i16(2 + kCharWidth + 1), 5});
    EXPECT_EQ(field.SelectionStart(), 0);
    EXPECT_EQ(field.SelectionEnd(), 3);
}

TEST_F(EditorTest, DragSelectsFromTheAnchor) {
    Field(kTall, 0, 0);
    field.SetText("abcdef", 6, false, false);
    field.OnMouseDown(Point16{i16(2 + 4 * kCharWidth), 5}, false);
    field.OnMouseDrag(Point16{i16(2 + kCharWidth), 5});
    field.OnMouseUp();
    EXPECT_EQ(field.SelectionStart(), 1);
    EXPECT_EQ(field.SelectionEnd(), 4);
    // A shift-click on the other side of the press swings the selection round it.
    field.OnMouseDown(Point16{i16(2 + 6 * kCharWidth), 5}, true);
    EXPECT_EQ(field.SelectionStart(), 4);
    EXPECT_EQ(field.SelectionEnd(), 6);
}

TEST_F(EditorTest, UndoDuringADragKeepsTheSelectionInsideTheText) {
    Field(kTall, 0, 0);
    field.SetText("ab", 2, false, false);
    ASSERT_TRUE(Type("cdef"));
    field.OnMouseDown(Point16{50, 5}, false);  // the press starts at the end, 6
    Deliver(field, fourCC("txTy"));            // Undo takes the text back to "ab"
    field.OnMouseDrag(Point16{2, 5});
    field.OnMouseUp();
    EXPECT_EQ(field.SelectionStart(), 0);
    EXPECT_EQ(field.SelectionEnd(), 2);
    field.HandleKey(keyWord(kKeyRight, 0));
    EXPECT_TRUE(Type("x"));
    EXPECT_EQ(field.Text(), "abx");
}

TEST_F(EditorTest, PasteOverTheLimitIsRefusedWithItsSound) {
    struct Case {
        const char* pasted;
        bool accepted;
    };
    for (Case c : {Case{"1234", true}, Case{"12345", false}}) {
        Editor other(host, measurer, undo);
        other.Begin(kTall, TextStyle{}, 0, 10, false);
        other.SetFocus();
        other.SetText("abcdefgh", 8, false, false);
        other.SetSelection(2, 4);
        desktop.setText(c.pasted);
        host.sounds.clear();
        EXPECT_EQ(other.Paste(), c.accepted) << c.pasted;
        EXPECT_EQ(Refusals(), c.accepted ? 0u : 1u) << c.pasted;
        EXPECT_EQ(other.Length(), c.accepted ? 10 : 8) << c.pasted;
        EXPECT_EQ(other.SelectionStart(), c.accepted ? 6 : 2) << c.pasted;
        EXPECT_EQ(other.SelectionEnd(), c.accepted ? 6 : 4) << c.pasted;
    }
}

TEST_F(EditorTest, PasteRefusedForTheFrameRestoresItsSelection) {
    Field(kThreeLines, 10, 0);
    field.SetText("abc", 3, false, false);
    field.SetSelection(1, 2);
    desktop.setText("x\ry\rz\rw");
    EXPECT_FALSE(field.Paste());
    EXPECT_EQ(field.Text(), "abc");
    EXPECT_EQ(field.SelectionStart(), 1);
    EXPECT_EQ(field.SelectionEnd(), 2);
    EXPECT_EQ(Refusals(), 1u);
}

TEST_F(EditorTest, PastedControlBytesAreDroppedAndOneLineStopsAtTheBreak) {
    struct Case {
        u16 maxLines;
        const char* pasted;
        const char* kept;
    };
    const Case cases[] = {
        {1, "ab\tc\r\nde", "abc"},
        {1, "x\ny", "x"},
        {3, "ab\tc\r\nx\ny", "abc\rx\ry"},
    };
    for (const Case& c : cases) {
        Editor other(host, measurer, undo);
        other.Begin(kTall, TextStyle{}, c.maxLines, 0, false);
        other.SetFocus();
        desktop.setText(c.pasted);
        EXPECT_TRUE(other.Paste()) << c.pasted;
        EXPECT_EQ(other.Text(), c.kept) << c.pasted;
    }
}

TEST_F(EditorTest, CopyInOneFieldPastesItsOwnTextInAnother) {
    Field(kTall, 0, 0);
    field.SetText("one two", 7, false, false);
    field.SetSelection(0, 3);
    ASSERT_TRUE(field.Copy());
    Editor other(host, measurer, undo);
    other.Begin(kTall, TextStyle{}, 0, 0, false);
    ASSERT_TRUE(other.Paste());
    EXPECT_EQ(other.Text(), "one");
    Deliver(other, fourCC("tPst"));
    EXPECT_EQ(other.Text(), "");
}

TEST_F(EditorTest, CutIsUndone) {
    Field(kTall, 0, 0);
    field.SetText("one two", 7, false, false);
    field.SetSelection(3, 7);
    ASSERT_TRUE(field.Cut());
    EXPECT_EQ(field.Text(), "one");
    EXPECT_EQ(desktop.text(), " two");
    Deliver(field, fourCC("tCut"));
    EXPECT_EQ(field.Text(), "one two");
}

TEST_F(EditorTest, LargerFontThatNoLongerFitsIsRefused) {
    Field(kThreeLines, 10, 0);
    field.SetText("a\rb", 3, false, false);
    TextStyle large;
    large.size = 24;
    EXPECT_FALSE(field.SetFont(large, false, true));
    EXPECT_EQ(field.Font().size, 0);
    EXPECT_FALSE(field.Modified());  // a refused font changes nothing
    EXPECT_EQ(Refusals(), 1u);
    TextStyle small;
    small.size = 12;
    EXPECT_TRUE(field.SetFont(small, false, true));
    Deliver(field, fourCC("tStl"));
    EXPECT_EQ(field.Font().size, 0);
}

TEST(EditorTrim, BlanksAreTrimmedUnlessNothingElseIsLeft) {
    struct Case {
        std::string in;
        bool result;
        std::string out;
    };
    const Case cases[] = {{"  ab c ", true, "ab c"}, {"abc", true, "abc"}, {"   ", false, "   "}, {"", false, ""}};
    for (const Case& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(TrimBlanks(text), c.result) << c.in;
        EXPECT_EQ(text, c.out) << c.in;
    }
}

}  // namespace
