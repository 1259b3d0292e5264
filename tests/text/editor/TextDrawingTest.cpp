// Both editors draw their lines, selection and caret into the current port with real fonts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../TextPortTest.h"
#include "../TextTestSupport.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "framework/undo/UndoManager.h"
#include "text/editor/RTEditor.h"
#include "text/field/Editor.h"
#include "text/measure/StyleFonts.h"

namespace {

using text_test::RecordingTextHost;

class TextDrawingTest : public TextPortTest {
protected:
    std::vector<u8> Pixels() {
        GfxDibBitmap& store = static_cast<GfxOffscreenPort*>(port)->Store();
        std::vector<u8> all;
        for (i32 y = 0; y < store.bounds.bottom; ++y) all.insert(all.end(), store.RowAt(y), store.RowAt(y) + store.bounds.right * 2);
        return all;
    }
    RecordingTextHost host;
    Ostrel::UndoManager undo{1, [](const char*) { return std::string(); }};
};

TEST_F(TextDrawingTest, PageEditorDrawsTextSelectionAndCaret) {
    StyleFonts fonts;
    RTEditor editor(host, fonts, undo);
    const Rect16 area{0, 0, kTextPortWidth, kTextPortHeight};
    editor.Init(area);
    editor.SetText(std::make_unique<StyledText>());
    editor.Draw(true, true);
    const std::vector<u8> blank = Pixels();
    editor.SetText(std::make_unique<StyledText>("Hello\rthere", 11));
    editor.Draw(true, true);
    const std::vector<u8> text = Pixels();
    EXPECT_NE(text, blank);
    editor.Activate();
    editor.SetSelection(0, 5);
    editor.Draw(true, true);
    EXPECT_NE(Pixels(), text);
    editor.SetSelection(2, 2);
    editor.Draw(true, true);
    EXPECT_EQ(Pixels(), text);
    editor.BlinkCaret(kEditorBlinkMs + 1);
    EXPECT_NE(Pixels(), text);
    editor.BlinkCaret(2 * kEditorBlinkMs + 2);
    EXPECT_EQ(Pixels(), text);
    editor.DrawAt(Rect16{10, 10, kTextPortWidth, kTextPortHeight});
    EXPECT_NE(Pixels(), text);
}

TEST_F(TextDrawingTest, DialogFieldDrawsTextAndSelection) {
    StyleFonts fonts;
    Editor field(host, fonts, undo);
    TextStyle font;
    font.Set("default", 14, 0, GfxColor::rgb(0, 0, 0));
    ASSERT_TRUE(field.Begin(Rect16{0, 0, kTextPortWidth, kTextPortHeight}, font, 3, 63, false));
    field.Draw(true);
    const std::vector<u8> blank = Pixels();
    field.SetText("Name", 4, false, false);
    field.Draw(true);
    const std::vector<u8> text = Pixels();
    EXPECT_NE(text, blank);
    field.SetFocus();
    field.SelectAll();
    field.Draw(true);
    EXPECT_NE(Pixels(), text);
}

}  // namespace
