// Every question and warning of the warnings dialog shows its whole text inside its box, in
// both languages: nothing is cut at either end.
#include "app/dialogs/RDlgWarnings.h"
#include "app/menus/MenuCommands.h"
#include "framework/language/LanguageTexts.h"
#include "tests/app/harness/ScreenHarness.h"

namespace {

using namespace Ostrel;

// The texts' colour in the content set's warnings.
constexpr u32 kTextColour = 0x3B2A5C;
// The box every message is drawn in (the content set's warnings layout), and the columns at
// each of its ends that a whole text leaves free: a text cut by the box reaches its edge.
constexpr Rect16 kMessageBox{210, 240, 584, 300};
constexpr i16 kEndMargin = 2;

class WarningTexts : public testapp::ScreenHarness {
protected:
    // Pixels of the text's colour (as the 16-bit screen keeps it) in the rectangle.
    int textPixels(const Rect16& r) const {
        int count = 0;
        for (i16 y = r.top; y < r.bottom; ++y)
            for (i16 x = r.left; x < r.right; ++x) {
                const u32 p = shownPixel({x, y});
                const int channels[3][2] = {{int((p >> 16) & 0xFF), int((kTextColour >> 16) & 0xFF)},
                                            {int((p >> 8) & 0xFF), int((kTextColour >> 8) & 0xFF)},
                                            {int(p & 0xFF), int(kTextColour & 0xFF)}};
                bool near = true;
                for (const auto& c : channels) near = near && std::abs(c[0] - c[1]) <= 24;
                count += near;
            }
        return count;
    }
    testapp::RecordingOwner owner;
};

TEST_F(WarningTexts, EveryMessageLiesWithinItsBoxInBothLanguages) {
    startLoggedIn();
    for (const bool spanish : {false, true}) {
        if (spanish) mainWindow->OnCommand(kCmdSwitchLanguage);
        settle();
        ASSERT_EQ(CurrentLanguage(), spanish ? kLanguageSpanish : kLanguageEnglish);
        for (u16 id = kWarningFirstMessage; id <= kWarningLastMessage; ++id) {
            SCOPED_TRACE(testing::Message() << (spanish ? "Spanish " : "English ") << id);
            RDlgWarnings dialog(&owner, 4242);
            ASSERT_EQ(dialog.Open(id), 0);
            settle();
            const Rect16 box = kMessageBox;
            EXPECT_GT(textPixels(box), 50) << "the text shows";
            EXPECT_EQ(textPixels({box.left, box.top, i16(box.left + kEndMargin), box.bottom}), 0) << "its start is whole";
            EXPECT_EQ(textPixels({i16(box.right - kEndMargin), box.top, box.right, box.bottom}), 0) << "its end is whole";
        }
    }
}

}  // namespace
