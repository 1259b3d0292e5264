// The text panel's remembered choices as [TextPanel] holds them, the lookups that bring them
// back into its lists, and a spelling replacement in the text being edited.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/undo/UndoManager.h"
#include "panels/text/ReplaceCheckedWord.h"
#include "panels/text/TextPanelLists.h"
#include "panels/text/record/TextPanelRecord.h"
#include "tests/text/TextTestSupport.h"
#include "text/editor/RTEditor.h"

namespace {

using namespace Ostrel;

TEST(TextPanelRecord, EveryChoiceComesBackAndTheCarriedWordsStay) {
    const TextPanelChoices cases[] = {
        {2, "DejaVu Sans", 24, 0, {5, -7, 0, 12}},
        {0, std::string(31, 'x'), 7, 1, {-1, -1, -1, -1}},
        {1, "", 72, -1, {0, 0, 0, 0}},
    };
    for (const TextPanelChoices& choices : cases) {
        const tTextPanelSaveData record = writeTextPanelRecord(choices);
        EXPECT_EQ(readTextPanelRecord(record), choices) << choices.font;
    }
    const tTextPanelSaveData record = writeTextPanelRecord(cases[0]);
    EXPECT_EQ(record[kTextWordFont], i16('D' | 'e' << 8)) << "the lower byte first";
    EXPECT_EQ(record[kTextWordSize], 24);
}

TEST(TextPanelRecord, AFileWithoutATerminatorOrWithAStrangeJustificationReadsSafely) {
    tTextPanelSaveData record{};
    for (size_t word = 0; word < 16; ++word) record[kTextWordFont + word] = i16('A' | 'B' << 8);
    record[kTextWordJustify] = 2;
    EXPECT_EQ(readTextPanelRecord(record).font.size(), 31u) << "never past the name's 32 bytes";
    EXPECT_EQ(readTextPanelRecord(record).justification, -1);
    record[kTextWordJustify] = -1;
    record[kTextWordJustify + 1] = -1;
    EXPECT_EQ(readTextPanelRecord(record).justification, -1);
    record[kTextWordJustify] = 1;
    record[kTextWordJustify + 1] = 0;
    EXPECT_EQ(readTextPanelRecord(record).justification, 1);
}

TEST(TextPanelLists, OffersOnlyFamiliesThatWriteWords) {
    const std::vector<std::string> names = installedFontNames();
    const auto offered = [&](const std::string& name) { return std::find(names.begin(), names.end(), name) != names.end(); };
    EXPECT_TRUE(offered("DejaVu Sans"));
    // The emoji family is always installed here; the maths, symbol and dingbat families where
    // the machine has them.
    for (const char* picturesOnly : {"Noto Color Emoji", "DejaVu Math TeX Gyre", "Standard Symbols PS", "D050000L"})
        EXPECT_FALSE(offered(picturesOnly)) << picturesOnly;
}

TEST(TextPanelLists, LookupsStayInsideTheirLists) {
    std::vector<std::string> fonts = {"Zeta", "Arial", "arial", "Beta", "Arial"};
    sortFontNames(&fonts);
    EXPECT_EQ(fonts, (std::vector<std::string>{"Arial", "Beta", "Zeta", "arial"}));
    struct Case {
        std::vector<std::string> list;
        std::string name;
        int place;
    };
    const Case cases[] = {
        {fonts, "ARIAL", 0}, {fonts, "zeta", 2}, {fonts, "Arial Black", 1}, {fonts, "Ari", 1},
        {{"One", "Two"}, "Missing", 1}, {{"Only"}, "Missing", 0}, {{}, "Missing", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(findFont(c.list, c.name), c.place) << c.name;
    EXPECT_EQ(findSize(72), 0);
    EXPECT_EQ(findSize(7), 14);
    EXPECT_EQ(findSize(15), kTextSizeFallback);
    EXPECT_EQ(clampVoice(2, voiceNames(false).size()), 2);
    EXPECT_EQ(clampVoice(2, voiceNames(true).size()), 0) << "Spanish has two voices";
    EXPECT_EQ(clampVoice(-1, 3), 0);
}

// The check reports offsets into the text as it began; each replacement moves the words after it.
TEST(ReplaceCheckedWord, LaterWordsAreFoundAfterEarlierReplacementsChangedTheLength) {
    text_test::RecordingTextHost host;
    text_test::FixedMeasurer measurer;
    UndoManager undo{1, [](const char*) { return std::string(); }};
    RTEditor editor{host, measurer, undo};
    editor.Init(Rect16{0, 0, 400, 200});
    editor.SetText(std::make_unique<StyledText>("teh cat sat on teh mta", 22));
    editor.Activate();
    struct Step {
        u32 offset, length;
        const char* word;
        bool done;
        i32 adjust;
    };
    const Step steps[] = {
        {0, 3, "the", true, 0},
        {4, 3, "kitten", true, 3},
        {15, 3, "the", true, 3},
        {19, 3, "mat", true, 3},
        {40, 3, "far", false, 3},
    };
    i32 adjust = 0;
    bool recorded = false;
    for (const Step& s : steps) {
        EXPECT_EQ(replaceCheckedWord(editor, s.offset, s.length, s.word, &adjust, &recorded), s.done) << s.word;
        EXPECT_EQ(adjust, s.adjust) << s.word;
    }
    EXPECT_EQ(editor.Text()->Text(), "the kitten sat on the mat");
    EXPECT_EQ(editor.UndoKind(), fourCC("txTy")) << "one step for the whole check";
    selectCheckedWord(editor, 19, 3, adjust);
    EXPECT_EQ(editor.Text()->GetSelectedText(), "mat");
}

}  // namespace
