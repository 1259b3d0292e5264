// Each choice of the fill panel looks like what it pours: the average colour of its strip
// icon, as the window shows it, is the average colour it pours over a plain page.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

#include "framework/undo/UndoManager.h"
#include "panels/fill/RFillPanel.h"
#include "screens/easel/RCanvas.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

constexpr u16 kFillButton = 1018;
// Levels of 255 an icon's average may stray from its pour's: scaling the icon into its cell
// and the 16-bit colours move it by a few; a byte-swapped or other colour by far more.
constexpr int kTolerance = 20;

class FillIcons : public testscreens::EaselHarness {
protected:
    std::array<int, 3> average(const Rect16& r) const {
        const golden::RgbPicture p = Shown(r);
        std::array<long, 3> sum{};
        for (size_t i = 0; i + 2 < p.rgb.size(); i += 3)
            for (size_t c = 0; c < 3; ++c) sum[c] += p.rgb[i + c];
        const long n = long(p.rgb.size() / 3);
        return {int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)};
    }
    static Point16 middle(const Rect16& r) { return {i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)}; }
};

TEST_F(FillIcons, EachIconAveragesTheColourItPours) {
    enterEasel();
    click(centreOf(easel->Buttons()[size_t(easel->FindButtonById(kFillButton))]->GetSprite()));
    auto* fills = dynamic_cast<RFillPanel*>(easel->CurrentPanel());
    ASSERT_NE(fills, nullptr);
    const Rect16 page = easel->Canvas()->CanvasRect();
    for (size_t mode = 0; mode < kFillModeCount; ++mode) {
        click(centreOf(fills->Buttons()[mode]->GetSprite()));
        ASSERT_EQ(fills->GetMode(), i16(mode));
        for (int item = 0; item < fills->ItemCount(); ++item) {
            const Rect16 cell = fills->GetScroller()->GetCellRect(item);
            if (cell.left >= cell.right) break;  // past the strip's first page
            // Inside the frame that marks the chosen cell.
            const std::array<int, 3> icon = average({i16(cell.left + 2), i16(cell.top + 2), i16(cell.right - 2), i16(cell.bottom - 2)});
            click(middle(cell));
            click(middle(page));
            const std::array<int, 3> poured = average(page);
            for (size_t c = 0; c < 3; ++c)
                EXPECT_LE(std::abs(icon[c] - poured[c]), kTolerance) << "mode " << mode << " item " << item << " channel " << c;
            app->GetUndoManager()->Undo();
            settle();
        }
    }
}

}  // namespace
