#include "platform/widgets/DialogBox.h"

#include <gtest/gtest.h>

#include "platform/gdi/Shapes.h"
#include "platform/keyboard/VirtualKeys.h"
#include "platform/widgets/WidgetPaint.h"
#include "tests/platform/gdi/GdiTestSupport.h"

namespace plat::widgets {
namespace {

DialogItem edit(uint16_t limit, const std::string& text, size_t from, size_t to) {
    DialogItem item;
    item.id = 1;
    item.kind = DialogItemKind::Edit;
    item.rect = {0, 0, 100, 20};
    item.limit = limit;
    item.text = text;
    item.selectionStart = from;
    item.selectionEnd = to;
    return item;
}

DialogItem list(int entries, int rows) {
    DialogItem item;
    item.id = 2;
    item.kind = DialogItemKind::List;
    item.rect = {0, 0, 100, rows * DialogBox::kListRowHeight};
    for (int i = 0; i < entries; ++i) item.entries.push_back("entry " + std::to_string(i));
    return item;
}

TEST(DialogBoxEdit, TypingStopsAtTheLimitButMayReplaceASelection) {
    struct Case {
        const char* name;
        DialogItem field;
        std::string after;
    };
    const Case cases[] = {
        {"one below the limit", edit(5, "abcd", 4, 4), "abcdx"},
        {"at the limit", edit(5, "abcde", 5, 5), "abcde"},
        {"at the limit over a selection", edit(5, "abcde", 1, 3), "axde"},
        {"selection given backwards", edit(5, "abcde", 3, 1), "axde"},
        {"selection past the text", edit(9, "abc", 7, 8), "abcx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogBox box("", 100, 20, {c.field});
        box.character('x');
        EXPECT_EQ(box.find(1)->text, c.after);
    }
}

TEST(DialogBoxEdit, KeysStopAtTheEnds) {
    struct Case {
        const char* name;
        DialogItem field;
        uint8_t key;
        std::string after;
        size_t caret;
    };
    const Case cases[] = {
        {"backspace at the start", edit(9, "ab", 0, 0), kVkBack, "ab", 0},
        {"backspace after the first", edit(9, "ab", 1, 1), kVkBack, "b", 0},
        {"delete at the end", edit(9, "ab", 2, 2), kVkDelete, "ab", 2},
        {"delete a selection", edit(9, "abcd", 1, 3), kVkDelete, "ad", 1},
        {"left at the start", edit(9, "ab", 0, 0), kVkLeft, "ab", 0},
        {"right at the end", edit(9, "ab", 2, 2), kVkRight, "ab", 2},
        {"right collapses a selection to its end", edit(9, "abcd", 1, 3), kVkRight, "abcd", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogBox box("", 100, 20, {c.field});
        box.keyDown(c.key, false);
        EXPECT_EQ(box.find(1)->text, c.after);
        EXPECT_EQ(box.find(1)->selectionStart, c.caret);
        EXPECT_EQ(box.find(1)->selectionEnd, c.caret);
    }
}

// A name longer than its field shows only what fits, around the caret: nothing is drawn
// beside the field, wherever the caret stands, and some of the name shows inside.
TEST(DialogBoxEdit, ALongNameStaysInsideItsField) {
    for (size_t caret : {size_t(0), size_t(30), size_t(60)}) {
        SCOPED_TRACE(caret);
        DialogBox box("", 300, 20, {edit(255, std::string(60, 'W'), caret, caret)});
        box.placeIn({0, 0, 320, 60});
        gdi_test::Canvas canvas = gdi_test::makeCanvas(320, 60, 32);
        box.draw(*canvas.dc);
        const gdi::Point origin = box.clientOrigin();
        int inked = 0;
        for (int32_t y = origin.y; y < origin.y + 20; ++y) {
            for (int32_t x = origin.x + 100; x < origin.x + 295; ++x)
                ASSERT_EQ(gdi::getPixel(*canvas.dc, {x, y}), kFaceColor) << x << "," << y;
            for (int32_t x = origin.x + 4; x < origin.x + 96; ++x) inked += gdi::getPixel(*canvas.dc, {x, y}) == kTextColor;
        }
        EXPECT_GT(inked, 50);
    }
}

// Selected letters are drawn light on the highlight, which only the focused field shows: a
// field without the focus keeps its letters dark on white, its selection unmarked.
TEST(DialogBoxEdit, OnlyTheFocusedFieldShowsItsSelectionLightOnTheHighlight) {
    struct Case {
        const char* name;
        size_t from, to;
        uint16_t focus;
        bool dark, highlight;
    };
    const Case cases[] = {{"focused, all selected", 0, 4, 1, false, true},
                          {"focused, half selected", 0, 2, 1, true, true},
                          {"unfocused, all selected", 0, 4, 3, true, false}};
    DialogItem button;
    button.id = 3;
    button.kind = DialogItemKind::Button;
    button.rect = {0, 30, 40, 50};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogBox box("", 100, 60, {edit(9, "WWWW", c.from, c.to), button});
        box.setFocus(c.focus);
        const int32_t width = 100 + 2 * DialogBox::kBorder, height = 60 + 2 * DialogBox::kBorder + DialogBox::kTitleHeight;
        box.placeIn({0, 0, width, height});
        gdi_test::Canvas canvas = gdi_test::makeCanvas(width, height, 32);
        box.draw(*canvas.dc);
        const gdi::Point origin = box.clientOrigin();
        int dark = 0, highlight = 0;
        for (int32_t y = origin.y + 2; y < origin.y + 18; ++y)
            for (int32_t x = origin.x + 2; x < origin.x + 98; ++x) {
                const gdi::ColorRef pixel = gdi::getPixel(*canvas.dc, {x, y});
                dark += pixel == kTextColor;
                highlight += pixel == kHighlightColor;
            }
        EXPECT_EQ(dark > 0, c.dark) << dark;
        EXPECT_EQ(highlight > 0, c.highlight) << highlight;
    }
}

TEST(DialogBoxList, ArrowsKeepTheSelectionInViewAndStopAtTheEnds) {
    DialogBox box("", 100, 100, {list(5, 3)});
    std::vector<DialogEvent> events;
    box.setEventSink([&](const DialogEvent& e) { events.push_back(e); });
    struct Step {
        uint8_t key;
        int selected;
        int top;
    };
    const Step steps[] = {{kVkDown, 0, 0}, {kVkDown, 1, 0}, {kVkDown, 2, 0}, {kVkDown, 3, 1},
                          {kVkDown, 4, 2}, {kVkDown, 4, 2}, {kVkUp, 3, 2},   {kVkUp, 2, 2},
                          {kVkUp, 1, 1},   {kVkUp, 0, 0},   {kVkUp, 0, 0}};
    for (const Step& s : steps) {
        box.keyDown(s.key, false);
        EXPECT_EQ(box.find(2)->selected, s.selected);
        EXPECT_EQ(box.find(2)->top, s.top);
    }
    EXPECT_EQ(events.size(), 9u) << "only real changes are reported";
}

TEST(DialogBoxList, AClickBelowTheLastEntrySelectsNothing) {
    DialogBox box("", 100, 100, {list(2, 4)});
    box.placeIn({0, 0, 100 + 2 * DialogBox::kBorder, 100 + 2 * DialogBox::kBorder + DialogBox::kTitleHeight});
    const gdi::Point origin = box.clientOrigin();
    box.mouseDown({origin.x + 5, origin.y + 2 * DialogBox::kListRowHeight + 2}, false);
    EXPECT_EQ(box.find(2)->selected, -1);
    box.mouseDown({origin.x + 5, origin.y + DialogBox::kListRowHeight + 2}, false);
    EXPECT_EQ(box.find(2)->selected, 1);
}

// A button used with Space that hands the focus to a field (as the spelling check does) leaves
// the field without the space its key also sends; the next space typed is typed.
TEST(DialogBoxFocus, TheSpaceThatUsedAButtonIsNotTypedIntoTheFieldFocusedNext) {
    DialogItem button;
    button.id = 3;
    button.kind = DialogItemKind::Button;
    button.rect = {0, 30, 40, 50};
    DialogBox box("", 100, 60, {edit(20, "word", 0, 4), button});
    box.setEventSink([&](const DialogEvent& e) {
        if (e.item == 3) box.setFocus(1);
    });
    box.setFocus(3);
    box.keyDown(kVkSpace, false);
    box.character(' ');
    EXPECT_EQ(box.find(1)->text, "word");
    box.character(' ');
    box.keyDown(kVkEnd, false);
    box.character('s');
    EXPECT_EQ(box.find(1)->text, " s");
}

TEST(DialogBoxFocus, ADialogWithNothingToFocusTakesKeysQuietly) {
    DialogItem label;
    label.kind = DialogItemKind::Label;
    label.rect = {0, 0, 10, 10};
    DialogBox box("", 20, 20, {label});
    std::vector<DialogEvent> events;
    box.setEventSink([&](const DialogEvent& e) { events.push_back(e); });
    for (uint8_t key : {kVkTab, kVkReturn, kVkSpace, kVkDown}) box.keyDown(key, false);
    box.character('a');
    EXPECT_EQ(box.focus(), 0);
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(box.closeRequested());
}

}  // namespace
}  // namespace plat::widgets
