// The scroll arrows of every panel's strip on the running easel: each stands inside
// the panel clear of the strip's cells and the panel's buttons, and looks pressed while a
// child holds it down, as a button does, and up again once let go.
#include <gtest/gtest.h>

#include "panels/base/RScrollToolPanel.h"
#include "panels/brush/RRealMediaToolPanel.h"
#include "panels/fill/RFillPanel.h"
#include "screens/easel/EaselCommands.h"
#include "tests/screens/easel/EaselHarness.h"

namespace {

using namespace Ostrel;

// The panel tray of the screen's plan, and the width of its frame.
constexpr Rect16 kPanelTray{104, 468, 696, 592};
constexpr i16 kTrayFrame = 6;

struct StripCase {
    u32 toolbar;
    int page;     // the panel's page (family, mode) button; -1: the page it opens on
    int subMode;  // the brush panel's sub-mode button; -1: none
};

class StripArrows : public testscreens::EaselHarness {
protected:
    // The strip the panel shows after the child pressed its page and sub-mode buttons.
    RScrollToolPanel* showStrip(const StripCase& c) {
        RMessage toolbar(c.toolbar, 0, 0);
        easel->HandleMessage(&toolbar, 0);
        settle();
        auto* panel = dynamic_cast<RToolPanel*>(easel->CurrentPanel());
        if (panel == nullptr || (c.page >= 0 && size_t(c.page) >= panel->Buttons().size())) return nullptr;
        if (c.page >= 0) click(centreOf(panel->Buttons()[size_t(c.page)]->GetSprite()));
        auto* brushes = dynamic_cast<RRealMediaToolPanel*>(panel);
        if (brushes && c.subMode >= 0) click(centreOf(brushes->SubModeButtons()[size_t(c.subMode)]->GetSprite()));
        return brushes ? brushes->GetSubPanel() : dynamic_cast<RScrollToolPanel*>(panel);
    }
    // Every shown button of the panel: its pages, and the brush panel's sub-modes and sizes.
    std::vector<Rect16> buttonsShown() const {
        std::vector<const RButtonSet*> sets;
        auto* panel = dynamic_cast<RToolPanel*>(easel->CurrentPanel());
        if (panel) sets.push_back(&panel->Buttons());
        if (auto* brushes = dynamic_cast<RRealMediaToolPanel*>(panel)) {
            sets.push_back(&brushes->SubModeButtons());
            sets.push_back(&brushes->SizeButtons());
        }
        std::vector<Rect16> shown;
        for (const RButtonSet* set : sets)
            for (const auto& button : *set)
                if (const SprSprite* sprite = sprFind(button->GetSprite()); sprite && button->IsShown() && !sprite->hidden)
                    shown.push_back(sprite->bounds);
        return shown;
    }
    static std::pair<Rect16, Rect16> arrowsOf(RScrollToolPanel& strip, std::vector<Rect16>* cells) {
        std::pair<Rect16, Rect16> arrows{};
        RHotSpotList& spots = strip.GetScroller()->HotSpots();
        for (int i = 0; i < spots.Count(); ++i) {
            const RHotSpotItem* spot = spots.GetHotSpot(i);
            if (spot->GetMessage() == kMsgScrollBack)
                arrows.first = spot->GetRect();
            else if (spot->GetMessage() == kMsgScrollForward)
                arrows.second = spot->GetRect();
            else
                cells->push_back(spot->GetRect());
        }
        return arrows;
    }
    void pointer(plat::InputEvent::Kind kind, Point16 at) {
        plat::InputEvent event;
        event.kind = kind;
        event.position = {at.h, i16(at.v + mainWindow->ContentTop())};
        display_.script(mainWindow->GetHandle(), event);
        settle();
    }
    static Point16 centre(const Rect16& r) { return {i16((r.left + r.right) / 2), i16((r.top + r.bottom) / 2)}; }
};

std::string text(const Rect16& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

bool overlap(const Rect16& a, const Rect16& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST_F(StripArrows, StandInsideThePanelClearOfCellsAndButtons) {
    enterEasel();
    for (const StripCase& c : {StripCase{kEaselToolbarPaint, 0, 0}, StripCase{kEaselToolbarPaint, 0, 1},
                               StripCase{kEaselToolbarPaint, 1, 0}, StripCase{kEaselToolbarPaint, 1, 1},
                               StripCase{kEaselToolbarPaint, 2, 0}, StripCase{kEaselToolbarPaint, 2, 1},
                               StripCase{kEaselToolbarFill, 0, -1}, StripCase{kEaselToolbarFill, 1, -1},
                               StripCase{kEaselToolbarFill, 2, -1}, StripCase{kEaselToolbarMixer, 0, -1},
                               StripCase{kEaselToolbarMixer, 1, -1}, StripCase{kEaselToolbarEraser, 0, -1},
                               StripCase{kEaselToolbarStamps, -1, -1}, StripCase{kEaselToolbarGrab, -1, -1},
                               StripCase{kEaselToolbarStickers, -1, -1}, StripCase{kEaselToolbarAnimations, -1, -1},
                               StripCase{kEaselToolbarBackgrounds, -1, -1}, StripCase{kEaselToolbarSounds, -1, -1}}) {
        SCOPED_TRACE(std::to_string(c.toolbar) + " page " + std::to_string(c.page) + " sub-mode " + std::to_string(c.subMode));
        RScrollToolPanel* strip = showStrip(c);
        ASSERT_NE(strip, nullptr);
        ASSERT_NE(strip->GetScroller(), nullptr);
        std::vector<Rect16> cells;
        const auto [back, forward] = arrowsOf(*strip, &cells);
        ASSERT_FALSE(cells.empty());
        const std::vector<Rect16> buttons = buttonsShown();
        for (const Rect16& arrow : {back, forward}) {
            ASSERT_FALSE(rectIsEmpty(arrow));
            EXPECT_GE(arrow.left, kPanelTray.left + kTrayFrame);
            EXPECT_LE(arrow.right, kPanelTray.right - kTrayFrame);
            EXPECT_GE(arrow.top, kPanelTray.top + kTrayFrame);
            EXPECT_LE(arrow.bottom, kPanelTray.bottom - kTrayFrame);
            for (const Rect16& cell : cells) EXPECT_FALSE(overlap(arrow, cell)) << text(arrow) << " cell " << text(cell);
        }
        // The back arrow stands in the narrow gap before the strip, where its shadow meets the
        // buttons' beside it; the forward one has room of its own.
        for (const Rect16& button : buttons) EXPECT_FALSE(overlap(forward, button)) << text(forward) << " button " << text(button);
        // Back before the strip, forward after it.
        for (const Rect16& cell : cells) {
            EXPECT_LE(back.right, cell.left);
            EXPECT_GE(forward.left, cell.right);
        }
    }
}

TEST_F(StripArrows, LookPressedOnlyWhileHeldDown) {
    enterEasel();
    for (const StripCase& c : {StripCase{kEaselToolbarPaint, 0, 0}, StripCase{kEaselToolbarFill, 2, -1},
                               StripCase{kEaselToolbarStickers, 0, -1}}) {
        SCOPED_TRACE(c.toolbar);
        RScrollToolPanel* strip = nullptr;
        if (c.toolbar == kEaselToolbarStickers) {
            RMessage toolbar(c.toolbar, 0, 0);
            easel->HandleMessage(&toolbar, 0);
            settle();
            strip = dynamic_cast<RScrollToolPanel*>(easel->CurrentPanel());
        } else {
            strip = showStrip(c);
        }
        ASSERT_NE(strip, nullptr);
        std::vector<Rect16> cells;
        const auto [back, forward] = arrowsOf(*strip, &cells);
        for (const bool forwards : {true, false}) {
            SCOPED_TRACE(forwards ? "forward" : "back");
            const Rect16 arrow = forwards ? forward : back;
            const StripArrowLook& look = forwards ? strip->ForwardArrow() : strip->BackArrow();
            const StripArrowLook& other = forwards ? strip->BackArrow() : strip->ForwardArrow();
            const u64 up = PictureHash(arrow);
            Rect16 row = cells.front();
            for (const Rect16& cell : cells) rectUnion(&row, cell);
            const u64 cellsShown = PictureHash(row);
            const int first = strip->GetScroller()->GetFirstVisible();
            pointer(plat::InputEvent::Kind::MouseDown, centre(arrow));
            EXPECT_TRUE(look.IsDown());
            EXPECT_FALSE(other.IsDown());
            const u64 down = PictureHash(arrow);
            EXPECT_NE(down, up) << "the arrow looks pressed";
            if (c.toolbar == kEaselToolbarPaint && forwards) {
                ExpectPicture("brush_strip_arrow_down", arrow);
                pointer(plat::InputEvent::Kind::MouseMove, {i16(arrow.left - 40), i16(arrow.top - 40)});
                ExpectPicture("brush_strip_arrow_up", arrow);
                pointer(plat::InputEvent::Kind::MouseMove, centre(arrow));
            }
            EXPECT_EQ(PictureHash(row), cellsShown) << "the cells stay as they were";
            // Slid off the arrow it comes up, and back on it goes down again.
            pointer(plat::InputEvent::Kind::MouseMove, {i16(arrow.left - 40), i16(arrow.top - 40)});
            EXPECT_FALSE(look.IsDown());
            EXPECT_EQ(PictureHash(arrow), up);
            pointer(plat::InputEvent::Kind::MouseMove, centre(arrow));
            EXPECT_TRUE(look.IsDown());
            EXPECT_EQ(PictureHash(arrow), down);
            pointer(plat::InputEvent::Kind::MouseUp, centre(arrow));
            EXPECT_FALSE(look.IsDown());
            EXPECT_EQ(PictureHash(arrow), up);
            // The click still pages the strip (back from the page the forward click showed).
            if (strip->GetScroller()->GetCount() > strip->GetScroller()->GetVisibleCount()) {
                EXPECT_NE(strip->GetScroller()->GetFirstVisible(), first);
            }
            // A child who slides off and lets go elsewhere changes their mind: the arrow is up
            // and the strip stays.
            const int shown = strip->GetScroller()->GetFirstVisible();
            pointer(plat::InputEvent::Kind::MouseDown, centre(arrow));
            pointer(plat::InputEvent::Kind::MouseMove, {i16(arrow.left - 40), i16(arrow.top - 40)});
            pointer(plat::InputEvent::Kind::MouseUp, {i16(arrow.left - 40), i16(arrow.top - 40)});
            EXPECT_FALSE(look.IsDown());
            EXPECT_EQ(PictureHash(arrow), up);
            EXPECT_EQ(strip->GetScroller()->GetFirstVisible(), shown);
        }
    }
}

}  // namespace
