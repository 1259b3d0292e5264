// The eraser panel's two pages and what each takes.
#include "panels/eraser/REraserPanel.h"

#include <gtest/gtest.h>

#include "panels/eraser/EraserPanelCommands.h"
#include "tests/panels/PaintPanelFixture.h"
#include "tools/erasers/PageEraseFactory.h"
#include "tools/erasers/RPageEraseTool.h"

namespace {

using namespace Ostrel;
using testpanels::Kind;

class EraserPanel : public testpanels::PaintPanelFixture {};

// The plain page takes tips and sizes and no effect; the effects page offers every effect the
// factory builds, takes any of them, and leaves the tips and sizes out of service while it
// shows, whatever tip is chosen meanwhile.
TEST_F(EraserPanel, EachEraserPageTakesOnlyItsOwnChoices) {
    int effects = 0;
    for (i16 index = kToolIdFirstPageErase; index <= kToolIdLastPageErase; ++index) effects += createPageErase(nullptr, index) != nullptr;
    ASSERT_GT(effects, 1);
    auto panel = Open(Kind::Eraser);
    auto& eraser = static_cast<REraserPanel&>(*panel);
    struct Step {
        u32 message;
        u16 item;  // a strip choice after the message
        bool effect;  // an effect is the tool afterwards
        bool options;  // the tips and sizes take clicks
        size_t tip;  // the tip button selected
    };
    const Step steps[] = {
        {kMsgEraserPlainPage, 0, false, true, 0},
        {kMsgEraserEffectsPage, u16(effects - 1), true, false, 0},
        {kMsgEraserSquare, u16(effects), true, false, 1},
        {kMsgEraserPlainPage, 1, false, true, 1},
        {kMsgEraserRound, 0, false, true, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        RMessage message(step.message, 0, 0);
        panel->HandleMessage(&message, 0);
        RMessage hit(kMsgScrollerHit, 0, step.item);
        panel->HandleMessage(&hit, 0);
        Deliver();
        EXPECT_EQ(eraser.ItemCount(), step.effect ? effects : 0);
        EXPECT_EQ(dynamic_cast<RPageEraseTool*>(mgr.GetCurrentTool()) != nullptr, step.effect);
        EXPECT_EQ(mgr.GetCurrentTool(), panel->GetCurrentTool());
        if (step.effect) {
            EXPECT_EQ(eraser.SavedChoices()[kEraserWordEffect], effects - 1);
        }
        for (const RButtonSet* set : {&eraser.ShapeButtons(), &eraser.SizeButtons()})
            for (const auto& button : *set) EXPECT_EQ(button->GetHotSpot()->IsActive(), step.options) << button->GetCommand();
        ASSERT_EQ(eraser.ShapeButtons().size(), 2u);
        for (size_t tip = 0; tip < 2; ++tip) EXPECT_EQ(eraser.ShapeButtons()[tip]->GetState() == kButtonSelected, tip == step.tip) << tip;
        for (size_t size = 0; size < 4; ++size) EXPECT_EQ(eraser.SizeButtons()[size]->GetState() == kButtonSelected, size == 2) << size;
    }
}

}  // namespace

namespace {

// A size button's click carries its own command: each tip's buttons give their sizes 1 to 4,
// and a command that names none of the tip's buttons keeps the size.
TEST_F(EraserPanel, EachTipsSizeButtonsGiveTheirOwnSizes) {
    auto panel = Open(Kind::Eraser);
    for (const auto& [tip, first] : {std::pair{kMsgEraserSquare, 18221}, {kMsgEraserRound, 18261}}) {
        RMessage choice(tip, 0, 0);
        panel->HandleMessage(&choice, 0);
        for (const auto& [command, size] : {std::pair{first + 1, 2.0f}, {first + 4, 2.0f}, {first, 1.0f}, {first + 3, 4.0f},
                                           {first - 1, 4.0f}, {first == 18221 ? 18261 : 18221, 4.0f}}) {
            RMessage click(kMsgEraserSize, uintptr_t(command), 0);
            panel->HandleMessage(&click, 0);
            EXPECT_EQ(mgr.Settings().sizeFactor, size) << tip << " " << command;
        }
    }
}

}  // namespace
