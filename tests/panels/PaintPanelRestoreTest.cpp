// The brush, fill, eraser and mixer panels come back from whatever their "user.ini" record
// holds: a record never stored gives the first use, a valid one the child's choices, words out
// of range (or random) their defaults, each time with the tool built ('born'), the size sent
// ('chng') and the canvas opened with the family's cursor (6616). A tool whose factory row is
// still empty is not announced, and the panel goes on without it. Closing the panel saves what
// it shows, so opening it again shows the same.
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "app/help/HelpContext.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "panels/base/ToolFactory.h"
#include "panels/base/ToolPanelMessages.h"
#include "panels/brush/BrushChoices.h"
#include "panels/brush/BrushPanelCommands.h"
#include "panels/brush/RRealMediaToolPanel.h"
#include "panels/brushsub/PatternStrip.h"
#include "panels/brushsub/RBrushSubPanel.h"
#include "panels/brushsub/RRollerSubPanel.h"
#include "panels/brushsub/RSpraySubPanel.h"
#include "panels/brushsub/RVoiceSubPanel.h"
#include "panels/wacky/RWackyToolPanel.h"
#include "panels/eraser/EraserPanelCommands.h"
#include "panels/eraser/REraserPanel.h"
#include "panels/fill/FillPanelCommands.h"
#include "panels/fill/RFillPanel.h"
#include "panels/mixer/MixerPanelCommands.h"
#include "panels/mixer/RMixerPanel.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PaintPanelFixture.h"
#include "tools/base/ToolNames.h"

namespace {

using namespace Ostrel;
using testpanels::Kind;
using testpanels::nthTool;

struct Row {
    const char* name;
    Kind kind;
    std::vector<i16> words;  // empty: nothing stored
    i16 born;                // the manager's tool id afterwards; -1 none
    float size;              // the manager's size factor afterwards
    u16 cursor;
    u16 help;
    u16 pattern = 0;  // the fill's pattern id
};

std::vector<Row> rows() {
    return {
        {"brush first use", Kind::Brush, {}, nthTool(0, 20, 0), 2.0f, 15, 838},
        {"brush spray", Kind::Brush, {2, 3, 18003, 18006, 18008, 0, 0, 0, 0, 0, 1}, kToolIdSprayGun, 4.0f, 17, 840},
        {"brush roller", Kind::Brush, {2, 0, 18003, 18006, 18007, 0, 0, 0, 0, 1, 0}, kToolIdCyclic, 1.0f, 17, 840},
        {"brush hands-free 4", Kind::Brush, {1, 2, 18003, 18005, 18007, 0, 0, 0, 4, 0, 0}, nthTool(55, 65, 4), 3.0f, 21, 839},
        {"brush voice", Kind::Brush, {1, 0, 18004, 18006, 18007, 0, 0, 2, 0, 0, 0}, nthTool(45, 55, 2), 1.0f, 21, 839},
        {"brush wacky 3", Kind::Brush, {0, 1, 18004, 18006, 18007, 0, 3, 0, 0, 0, 0}, nthTool(20, 45, 3), 2.0f, 15, 838},
        {"brush words out of range", Kind::Brush, {7, 99, 5, -3, 12345, -9, 400, 400, 400, 400, 400}, nthTool(0, 20, 0), 2.0f, 15, 838},
        {"brush wacky item past the strip", Kind::Brush, {0, 0, 18004, 18006, 18007, 0, 300, 0, 0, 0, 0}, nthTool(20, 45, 0), 1.0f, 15, 838},
        {"brush size -1 alone", Kind::Brush, {0, -1, 18003, 18006, 18007, 0, 0, 0, 0, 0, 0}, nthTool(0, 20, 0), 2.0f, 15, 838},
        {"brush family unset", Kind::Brush, {-1, 3, 18004, 18005, 18008, 1, 1, 1, 1, 1, 1}, nthTool(0, 20, 0), 2.0f, 15, 838},
        {"fill first use", Kind::Fill, {}, kToolIdSolidFill, 1.0f, 7, 848, 20500},
        {"fill gradient 2", Kind::Fill, {1, 0, 2, 0}, kToolIdGradientFill, 1.0f, 7, 849, 21302},
        {"fill pattern 1", Kind::Fill, {2, 0, 0, 1}, kToolIdPatternFill, 1.0f, 7, 850, 20401},
        {"fill words out of range", Kind::Fill, {5, -4, 99, 3}, kToolIdSolidFill, 1.0f, 7, 848, 20500},
        {"fill item past the strip", Kind::Fill, {1, 0, 50, 0}, kToolIdGradientFill, 1.0f, 7, 849, 21300},
        {"fill item just past the strip", Kind::Fill, {1, 0, 3, 0}, kToolIdGradientFill, 1.0f, 7, 849, 21300},
        {"fill last item", Kind::Fill, {1, 0, 2, 0}, kToolIdGradientFill, 1.0f, 7, 849, 21302},
        {"fill mode unset", Kind::Fill, {-1, 2, 2, 1}, kToolIdSolidFill, 1.0f, 7, 848, 20500},
        {"eraser first use", Kind::Eraser, {}, kToolIdCircle, 3.0f, 5, 898},
        {"eraser square size 1", Kind::Eraser, {18501, 1, 18202, 0}, kToolIdCircle, 1.0f, 5, 898},
        {"eraser effects", Kind::Eraser, {18500, 2, 18202, 0}, kToolIdFirecracker, 2.0f, 4, 899},
        {"eraser words out of range", Kind::Eraser, {-7, 9, 77, -1}, kToolIdCircle, 3.0f, 5, 898},
        {"eraser size 0", Kind::Eraser, {18501, 0, 18201, 0}, kToolIdCircle, 3.0f, 5, 898},
        {"eraser effect past the strip", Kind::Eraser, {18500, 4, 18201, 90}, kToolIdFirecracker, 4.0f, 4, 899},
        {"eraser size unset", Kind::Eraser, {18500, -1, 18202, 1}, kToolIdCircle, 3.0f, 5, 898},
        {"mixer first use", Kind::Mixer, {}, nthTool(65, 87, 0), 3.0f, 10, 858},
        {"mixer effect brushes 5", Kind::Mixer, {1, 0, 0, 5}, nthTool(87, 99, 5), 1.0f, 11, 859},
        {"mixer size 4", Kind::Mixer, {0, 3, 1, 0}, nthTool(65, 87, 1), 4.0f, 10, 858},
        {"mixer words out of range", Kind::Mixer, {3, 40, -2, -2}, nthTool(65, 87, 0), 3.0f, 10, 858},
        {"mixer size unset", Kind::Mixer, {1, -1, 1, 1}, nthTool(65, 87, 0), 3.0f, 10, 858},
        {"mixer item past the strip", Kind::Mixer, {1, 0, 0, 50}, nthTool(87, 99, 0), 1.0f, 11, 859},
    };
}

class PaintPanelRestore : public testpanels::PaintPanelFixture {};

TEST_F(PaintPanelRestore, EachRecordGivesItsToolSizeAndCursorAndComesBackAsShown) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        Store(row.kind, row.words);
        cursor = 0xFFFF;
        std::vector<i16> shown;
        {
            auto panel = Open(row.kind);
            EXPECT_EQ(mgr.CurrentToolIndex(), row.born);
            // The panel's own tool is current (the roller is its sub-panel's).
            RTool* own = panel->GetCurrentTool();
            if (auto* brush = dynamic_cast<RRealMediaToolPanel*>(panel.get()); brush && brush->GetSubPanel())
                if (RTool* sub = brush->GetSubPanel()->GetCurrentTool()) own = sub;
            if (row.born >= 0) {
                EXPECT_EQ(mgr.GetCurrentTool(), own);
            }
            EXPECT_EQ(mgr.Settings().sizeFactor, row.size);
            EXPECT_EQ(cursor, row.cursor);
            EXPECT_EQ(GetHelpContext().currentItem, row.help);
            if (auto* eraser = dynamic_cast<REraserPanel*>(panel.get())) {
                EXPECT_EQ(eraser->StripShown(), row.born >= kToolIdFirecracker) << "only the effects page has a strip";
            }
            if (row.pattern != 0) {
                auto* fill = static_cast<RFillPanel&>(*panel).GetFill();
                ASSERT_NE(fill, nullptr);
                EXPECT_EQ(fill->GetFillPatternId(), row.pattern);
            }
            shown = Shown(row.kind, *panel);
        }
        // Closed and opened again: the same choices.
        auto again = Open(row.kind);
        EXPECT_EQ(Shown(row.kind, *again), shown);
        EXPECT_EQ(mgr.CurrentToolIndex(), row.born);
        again.reset();
        mgr.Init(pixelViewOfBuffer(picture, kSide, kSide), canvas, nullptr);
        ToolSettings reset;
        RMessage chng(kToolMsgChng, reinterpret_cast<uintptr_t>(&reset), 0);
        mgr.HandleMessage(&chng, 0);
    }
}

// Random words, and words at the edges of each field, never take a panel outside its own tools,
// sizes and cursors; each one still paints or leaves the canvas as it was without crashing.
TEST_F(PaintPanelRestore, RandomRecordsStayWithinThePanelsOwnChoices) {
    std::mt19937 random(51);
    std::uniform_int_distribution<int> anyWord(-32768, 32767), nearWord(-3, 18700);
    struct Family {
        Kind kind;
        size_t words;
        std::function<bool(i16)> tool;
        std::vector<u16> cursors;
    };
    const Family families[] = {
        {Kind::Brush, 11, [](i16 id) { return id == -1 || (id >= 0 && id <= 64) || id == kToolIdSprayGun || id == kToolIdCyclic; }, {15, 21, 17}},
        {Kind::Fill, 4, [](i16 id) { return id >= kToolIdSolidFill && id <= kToolIdGradientFill; }, {7}},
        {Kind::Eraser, 4, [](i16 id) { return id == kToolIdCircle || id == kToolIdFirecracker; }, {5, 4}},
        {Kind::Mixer, 4, [](i16 id) { return id == -1 || (id >= 65 && id <= 98); }, {10, 11}},
    };
    for (const Family& family : families)
        for (int round = 0; round < 30; ++round) {
            std::vector<i16> words(family.words);
            for (i16& w : words) w = i16(round % 2 ? anyWord(random) : nearWord(random));
            SCOPED_TRACE(::testing::PrintToString(words));
            Store(family.kind, words);
            cursor = 0xFFFF;
            auto panel = Open(family.kind);
            EXPECT_TRUE(family.tool(mgr.CurrentToolIndex())) << mgr.CurrentToolIndex();
            EXPECT_GE(mgr.Settings().sizeFactor, 1.0f);
            EXPECT_LE(mgr.Settings().sizeFactor, 4.0f);
            EXPECT_NE(std::find(family.cursors.begin(), family.cursors.end(), cursor), family.cursors.end()) << cursor;
            Stroke({10, 10}, {40, 40});
        }
}

}  // namespace

namespace {

// Leaving the sprays for the brushes ends the spray gun before its sub-panel (and the table it
// points into) goes, and the tool manager lets go of it first: a stroke afterwards is safe.
TEST_F(PaintPanelRestore, LeavingTheSpraysEndsTheGunBeforeItsTable) {
    Store(Kind::Brush, {2, 1, 18003, 18006, 18008, 0, 0, 0, 0, 0, 0});
    auto panel = Open(Kind::Brush);
    ASSERT_EQ(mgr.CurrentToolIndex(), kToolIdSprayGun);
    log.clear();
    panel->PostMessageTo(panel.get(), kMsgBrushFamilyBrushes, 0, 0);
    Deliver();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "owner:" + std::to_string(kToolMsgKild));
    EXPECT_NE(mgr.CurrentToolIndex(), kToolIdSprayGun);
    EXPECT_EQ(static_cast<RRealMediaToolPanel&>(*panel).GetFamily(), 0);
    Stroke({5, 5}, {50, 50});
}

// A second press on the fill's current mode keeps its bucket; an eraser choice that comes
// while the panel is out of service is dropped.
TEST_F(PaintPanelRestore, RepeatedModesAndChoicesWhileInactiveChangeNothing) {
    auto fill = Open(Kind::Fill);
    RTool* bucket = mgr.GetCurrentTool();
    ASSERT_NE(bucket, nullptr);
    fill->PostMessageTo(fill.get(), kMsgFillSolid, 0, 0);
    Deliver();
    EXPECT_EQ(mgr.GetCurrentTool(), bucket);
    fill.reset();

    Store(Kind::Eraser, {18500, 2, 18201, 0});
    auto eraser = Open(Kind::Eraser);
    RTool* effect = mgr.GetCurrentTool();
    ASSERT_NE(effect, nullptr);
    RMessage inactive(kMsgPanelSetActive, 0, 0);
    eraser->HandleMessage(&inactive, 0);
    RMessage choice(kMsgScrollerHit, 0, 0);
    eraser->HandleMessage(&choice, 0);
    EXPECT_EQ(mgr.GetCurrentTool(), effect);
    RMessage active(kMsgPanelSetActive, 0, 1);
    eraser->HandleMessage(&active, 0);
    eraser->HandleMessage(&choice, 0);
    EXPECT_NE(mgr.GetCurrentTool(), nullptr);
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdFirecracker);
    // The effect starts at the next press and, a frame a tick, takes the whole picture to
    // white, as one stroke.
    std::fill(picture.begin(), picture.end(), u16(0));
    Stroke({20, 20}, {20, 20});
    EXPECT_TRUE(mgr.IsRunning());
    for (u32 tick = 1; mgr.IsRunning() && tick < 1000; ++tick) mgr.StepTool(tick * 16);
    EXPECT_FALSE(mgr.IsRunning());
    EXPECT_EQ(PaintedPixels(), 0);
}

}  // namespace

namespace {

// The size buttons' numbers 1 to 4 reach the tool manager; a number past them on either side
// (a click message that names no size button of the set) changes nothing.
TEST_F(PaintPanelRestore, SizesOutsideTheButtonsAreIgnored) {
    struct Case {
        Kind kind;
        u32 firstCommand;  // the command of size button 1 (0: the number rides in parameter 2)
    };
    const Case cases[] = {{Kind::Brush, 18201}, {Kind::Mixer, 18201}, {Kind::Eraser, 0}};
    for (const Case& c : cases) {
        auto panel = Open(c.kind);
        for (const auto& [number, expected] : {std::pair{2, 2.0f}, {0, 2.0f}, {1, 1.0f}, {5, 1.0f}, {4, 4.0f}, {-3, 4.0f}}) {
            RMessage size(18200, c.firstCommand != 0 ? uintptr_t(i32(c.firstCommand) + number - 1) : 0,
                          c.firstCommand != 0 ? u16(0) : u16(number));
            panel->HandleMessage(&size, 0);
            EXPECT_EQ(mgr.Settings().sizeFactor, expected) << int(c.kind) << " " << number;
        }
    }
}

// Which tools each strip offers, by mode and page.
TEST_F(PaintPanelRestore, EachStripOffersItsRangeOfTools) {
    struct Case {
        std::function<std::unique_ptr<RScrollToolPanel>()> make;
        i16 first, end;
    };
    const Case cases[] = {
        {[this] { return std::make_unique<RBrushSubPanel>(&owner, kBrushModeReal); }, 0, 20},
        {[this] { return std::make_unique<RBrushSubPanel>(&owner, kBrushModeWacky); }, 20, 45},
        {[this] { return std::make_unique<RVoiceSubPanel>(&owner, kBrushModeVoice); }, 45, 55},
        {[this] { return std::make_unique<RVoiceSubPanel>(&owner, kBrushModeHandsFree); }, 55, 65},
        {[this] { return std::make_unique<RWackyToolPanel>(&owner); }, 20, 45},
    };
    for (const Case& c : cases) {
        auto panel = c.make();
        EXPECT_EQ(panel->FirstToolIndex(), c.first);
        EXPECT_EQ(panel->EndToolIndex(), c.end);
    }
    for (const auto& [words, first, end] : {std::tuple{std::vector<i16>{0, 1, 0, 0}, 65, 87}, {std::vector<i16>{1, 1, 0, 0}, 87, 99}}) {
        Store(Kind::Mixer, words);
        auto mixer = Open(Kind::Mixer);
        EXPECT_EQ(static_cast<RMixerPanel&>(*mixer).FirstToolIndex(), first);
        EXPECT_EQ(static_cast<RMixerPanel&>(*mixer).EndToolIndex(), end);
    }
}

// The brush panel remembers six items, one per sub-mode.
TEST_F(PaintPanelRestore, EachSubModeHasItsOwnRememberedItem) {
    const std::pair<std::vector<i16>, std::array<size_t, 3>> cases[] = {
        {{0, 1, 18003, 18006, 18007}, {0, 2, 4}},
        {{0, 1, 18004, 18005, 18008}, {1, 3, 5}},
    };
    for (const auto& [words, items] : cases) {
        Store(Kind::Brush, words);
        auto panel = Open(Kind::Brush);
        auto& brush = static_cast<RRealMediaToolPanel&>(*panel);
        for (i16 family = 0; family < 3; ++family) EXPECT_EQ(brush.ItemIndex(family), items[size_t(family)]) << family;
        EXPECT_EQ(brush.ItemIndex(3), 0u);
        EXPECT_EQ(brush.ItemIndex(-1), 0u);
    }
}

TEST(PatternStrip, ItemsMapToGroupsWhileTheirIdsFit) {
    for (const auto& [item, group] : {std::pair{0, 24000}, {1, 24100}, {7, 24700}, {415, 65500}, {416, 0}, {-1, 0}})
        EXPECT_EQ(PatternGroupOfItem(item), group) << item;
}

// The roller's and the spray's strips take the items they show and nothing past them; a
// pattern whose group is missing is not handed to the gun, and a roller's own choice makes the
// brush panel build nothing.
TEST_F(PaintPanelRestore, PatternChoicesStayOnTheirStrips) {
    Store(Kind::Brush, {2, 1, 18003, 18006, 18007, 0, 0, 0, 0, 0, 0});
    auto panel = Open(Kind::Brush);
    auto& brush = static_cast<RRealMediaToolPanel&>(*panel);
    auto* roller = dynamic_cast<RRollerSubPanel*>(brush.GetSubPanel());
    ASSERT_NE(roller, nullptr);
    ASSERT_EQ(roller->ItemCount(), 2);
    RTool* rolling = mgr.GetCurrentTool();
    ASSERT_EQ(rolling, roller->GetRoller());
    for (const auto& [item, remembered] : {std::pair{1, 1}, {2, 1}, {-1, 1}, {0, 0}}) {
        RMessage hit(kMsgScrollerHit, 0, u16(item));
        roller->HandleMessage(&hit, 0);
        EXPECT_EQ(brush.Choices()[kBrushWordFirstItem + 4], remembered) << item;
    }
    EXPECT_EQ(roller->GetPatternGroup(), 0) << "the test's archive has no pattern groups";
    RMessage rollerChoice(kMsgScrollerHit, 1, u16(kToolIdSprayGun));
    panel->HandleMessage(&rollerChoice, 0);
    EXPECT_EQ(panel->GetCurrentTool(), nullptr);

    RMessage sprays(kBrushModeSpray, 0, 0);
    panel->HandleMessage(&sprays, 0);
    auto* spray = dynamic_cast<RSpraySubPanel*>(brush.GetSubPanel());
    ASSERT_NE(spray, nullptr);
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdSprayGun);
    RMessage hit(kMsgScrollerHit, 0, 1);
    spray->HandleMessage(&hit, 0);
    EXPECT_EQ(brush.Choices()[kBrushWordFirstItem + 5], 1);
    hit.param2 = 2;
    spray->HandleMessage(&hit, 0);
    EXPECT_EQ(brush.Choices()[kBrushWordFirstItem + 5], 1);
    EXPECT_EQ(spray->GetPatternGroup(), 0);
    auto* gun = dynamic_cast<RSprayGun*>(mgr.GetCurrentTool());
    ASSERT_NE(gun, nullptr);
    EXPECT_EQ(gun->GetPatternGroup(), 0);
}

// A fill choice past the strip keeps the bucket's pattern.
TEST_F(PaintPanelRestore, FillChoicesPastTheStripAreIgnored) {
    auto panel = Open(Kind::Fill);
    auto& fill = static_cast<RFillPanel&>(*panel);
    for (const auto& [item, pattern] : {std::pair{2, 20502}, {3, 20502}, {-1, 20502}, {0, 20500}}) {
        RMessage hit(kMsgScrollerHit, 0, u16(item));
        panel->HandleMessage(&hit, 0);
        ASSERT_NE(fill.GetFill(), nullptr);
        EXPECT_EQ(fill.GetFill()->GetFillPatternId(), pattern) << item;
    }
}

}  // namespace

namespace {

// A choice made on a panel is what the panel shows at its next opening.
TEST_F(PaintPanelRestore, ChoicesMadeComeBackAtTheNextOpening) {
    struct Case {
        const char* what;
        Kind kind;
        u32 code;
        uintptr_t param1;
        u16 param2;
    };
    const Case cases[] = {
        {"brush size 3", Kind::Brush, kMsgBrushSize, 18203, 0},
        {"brush voice family", Kind::Brush, kMsgBrushFamilyVoice, 0, 0},
        {"brush rollers family", Kind::Brush, kMsgBrushFamilyRollers, 0, 0},
        {"fill gradient", Kind::Fill, kMsgFillGradient, 0, 0},
        {"fill gradient item 1", Kind::Fill, kMsgScrollerHit, 0, 1},
        {"fill pattern", Kind::Fill, kMsgFillPattern, 0, 0},
        {"eraser size 1", Kind::Eraser, kMsgEraserSize, 0, 1},
        {"eraser square", Kind::Eraser, kMsgEraserSquare, 0, 0},
        {"eraser effects", Kind::Eraser, kMsgEraserEffectsPage, 0, 0},
        {"mixer size 2", Kind::Mixer, kMsgMixerSize, 18202, 0},
        {"mixer effect item 1", Kind::Mixer, kMsgScrollerHit, 0, 1},
        {"mixer brushes page", Kind::Mixer, kMsgMixerBrushesPage, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<i16> changed;
        {
            auto panel = Open(c.kind);
            const std::vector<i16> before = Shown(c.kind, *panel);
            RMessage message(c.code, c.param1, c.param2);
            panel->HandleMessage(&message, 0);
            Deliver();
            changed = Shown(c.kind, *panel);
            EXPECT_NE(changed, before);
        }
        auto again = Open(c.kind);
        EXPECT_EQ(Shown(c.kind, *again), changed);
        again.reset();
        mgr.Init(pixelViewOfBuffer(picture, kSide, kSide), canvas, nullptr);
    }
}

}  // namespace

namespace {

// The wacky panel opens with its first brush, the brushes' cursor and its own help; a hit past
// its strip's tools keeps the brush the child has.
TEST_F(PaintPanelRestore, AWackyHitPastTheStripKeepsTheBrush) {
    RWackyToolPanel panel(&owner);
    Attach(panel);
    ASSERT_EQ(panel.Init(), 0);
    Deliver();
    EXPECT_EQ(mgr.CurrentToolIndex(), nthTool(20, 45, 0));
    EXPECT_EQ(cursor, 15);
    EXPECT_EQ(GetHelpContext().currentItem, 839);
    struct Case {
        u16 item;
        i16 tool;
    };
    const i16 third = nthTool(20, 45, 3);
    for (const Case& c : {Case{3, third}, Case{u16(panel.ItemCount()), third}, Case{0xFFFF, third}, Case{0, nthTool(20, 45, 0)}}) {
        RMessage hit(kMsgScrollerHit, 0, c.item);
        panel.HandleMessage(&hit, 0);
        Deliver();
        EXPECT_EQ(mgr.CurrentToolIndex(), c.tool) << c.item;
        EXPECT_EQ(mgr.GetCurrentTool(), panel.GetCurrentTool()) << c.item;
    }
}

}  // namespace

namespace {

// Each eraser tip shows the size buttons drawn for it.
TEST_F(PaintPanelRestore, EachEraserTipShowsItsOwnSizeButtons) {
    auto panel = Open(Kind::Eraser);
    auto& eraser = static_cast<REraserPanel&>(*panel);
    for (const auto& [shape, firstSize] : {std::pair{kMsgEraserSquare, 18221}, {kMsgEraserRound, 18261}, {kMsgEraserSquare, 18221}}) {
        RMessage choice(shape, 0, 0);
        panel->HandleMessage(&choice, 0);
        Deliver();
        ASSERT_EQ(eraser.SizeButtons().size(), 4u) << shape;
        EXPECT_EQ(eraser.SizeButtons()[0]->GetRecord().id, firstSize) << shape;
    }
}

}  // namespace

namespace {

// Each stored word is kept only within its range, both ends of which are kept; a record whose
// first word (the size, for the eraser and the mixer) is unset gives every default.
// A stored record, shorter ones padded with zeros, as `check` makes it valid.
template <class Record>
std::vector<i16> validated(Record (*check)(const Record&), const std::vector<i16>& stored) {
    Record record{};
    std::copy_n(stored.begin(), std::min(stored.size(), record.size()), record.begin());
    const Record valid = check(record);
    return {valid.begin(), valid.end()};
}

TEST(PanelChoices, StoredWordsAreKeptOnlyWithinTheirRanges) {
    using Words = std::vector<i16>;
    struct Case {
        const char* panel;
        std::function<Words(const Words&)> check;
        Words stored, expected;
    };
    const auto brush = [](const Words& w) { return validated(ValidBrushChoices, w); };
    const auto eraser = [](const Words& w) { return validated(ValidEraserChoices, w); };
    const auto fill = [](const Words& w) { return validated(ValidFillChoices, w); };
    const auto mixer = [](const Words& w) { return validated(ValidMixerChoices, w); };
    const Case cases[] = {
        {"brush last", brush, {2, 3, 18004, 18005, 18008, 0, 1, 2, 3, 4, 5}, {2, 3, 18004, 18005, 18008, 0, 1, 2, 3, 4, 5}},
        {"brush first", brush, {0, 0, 18003, 18006, 18007, 0, 0, 0, 0, 0, 0}, {0, 0, 18003, 18006, 18007, 0, 0, 0, 0, 0, 0}},
        {"brush past", brush, {3, 4, 18005, 18004, 18006, -1, -5, 7, 0, 0, 9}, {0, 1, 18003, 18006, 18007, 0, 0, 7, 0, 0, 9}},
        {"brush below", brush, {-2, -1, 18002, 18007, 18009, 1, 1, 1, 1, 1, 1}, {0, 1, 18003, 18006, 18007, 1, 1, 1, 1, 1, 1}},
        {"brush unset", brush, {-1, 3, 18004, 18005, 18008, 1, 1, 1, 1, 1, 1}, {0, 1, 18003, 18006, 18007, 0, 0, 0, 0, 0, 0}},
        {"eraser last", eraser, {18500, 4, 18202, 14}, {18500, 4, 18202, 14}},
        {"eraser first", eraser, {18501, 1, 18201, 0}, {18501, 1, 18201, 0}},
        {"eraser past", eraser, {18502, 5, 18203, -1}, {18501, 3, 18201, 0}},
        {"eraser below", eraser, {18499, 0, 18200, 3}, {18501, 3, 18201, 3}},
        {"eraser unset", eraser, {18500, -1, 18202, 2}, {18501, 3, 18201, 0}},
        {"fill last", fill, {2, 4, 5, 6}, {2, 4, 5, 6}},
        {"fill first", fill, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"fill past", fill, {3, -1, 5, -2}, {0, 0, 5, 0}},
        {"fill below", fill, {-2, 1, 1, 1}, {0, 1, 1, 1}},
        {"fill unset", fill, {-1, 1, 1, 1}, {0, 0, 0, 0}},
        {"mixer last", mixer, {1, 3, 4, 5}, {1, 3, 4, 5}},
        {"mixer first", mixer, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"mixer past", mixer, {2, 4, -1, 9}, {0, 2, 0, 9}},
        {"mixer below", mixer, {-2, -2, 1, 1}, {0, 2, 1, 1}},
        {"mixer unset", mixer, {1, -1, 3, 3}, {0, 2, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.check(c.stored), c.expected) << c.panel;
}

}  // namespace

namespace {

// Without a user each panel starts from its first use, paints, and leaves no record behind.
TEST_F(PaintPanelRestore, WithoutAUserEachPanelStartsFromItsDefaultsAndSavesNothing) {
    const std::string record = root_ + "/data/tumblo4/Users/Ann/user.ini";
    std::filesystem::remove(record);
    const std::pair<Kind, i16> cases[] = {{Kind::Brush, nthTool(0, 20, 0)}, {Kind::Fill, kToolIdSolidFill},
                                          {Kind::Eraser, kToolIdCircle}, {Kind::Mixer, nthTool(65, 87, 0)}};
    for (const auto& [kind, tool] : cases) {
        std::unique_ptr<RToolPanel> panel;
        switch (kind) {
            case Kind::Brush: panel = std::make_unique<RRealMediaToolPanel>(&owner, nullptr); break;
            case Kind::Fill: panel = std::make_unique<RFillPanel>(&owner, nullptr); break;
            case Kind::Eraser: panel = std::make_unique<REraserPanel>(&owner, nullptr); break;
            case Kind::Mixer: panel = std::make_unique<RMixerPanel>(&owner, nullptr); break;
        }
        Attach(*panel);
        ASSERT_EQ(panel->Init(), 0);
        Deliver();
        EXPECT_EQ(mgr.CurrentToolIndex(), tool) << int(kind);
        panel.reset();
        EXPECT_FALSE(std::filesystem::exists(record)) << int(kind);
    }
    Open(Kind::Fill).reset();
    EXPECT_TRUE(std::filesystem::exists(record)) << "a user's panel keeps its record there";
}

}  // namespace
