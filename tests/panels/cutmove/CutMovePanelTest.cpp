// The cut and move panel over a small picture: the remembered mode and shape, a cut made with
// the chosen shape cut out, pasted back and put down, and what move mode hands the frame maker.
#include "panels/cutmove/RCutMovePanel.h"

#include <gtest/gtest.h>

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RTextPageObject.h"
#include "document/storage/ObjectTypes.h"
#include "panels/base/RPanelPrefsTmpl.h"
#include "platform/clipboard/formats/ClipboardFormats.h"
#include "tests/framework/messaging/MessagingFixtures.h"
#include "tests/panels/PanelFixture.h"
#include "panels/base/ToolPanelMessages.h"
#include "tools/base/ToolNames.h"
#include "tools/cut/CutRegion.h"
#include "tools/cut/RCutFree.h"
#include "tools/cut/RCutSquare.h"
#include "tools/cut/ROCircleCut.h"

namespace {

using namespace Ostrel;

constexpr i16 kModeRow = 10;

// A frame maker that writes down what it was told; it finds `objects` objects.
class FakeFrameMaker : public FrameMakerLink {
public:
    u16 BuildObjectFrames(FourCC kind) override {
        kinds.push_back(kind);
        return objects;
    }
    void ClearObjectFrames() override { ++cleared; }
    void ShowOtherItems() override { ++shown; }
    bool HasCurrentFrame() const override { return current; }
    u32 HandleMessage(RMessage* message, uintptr_t) override {
        told.push_back(message->code);
        return 0;
    }
    static inline u16 objects = 0;
    static inline bool current = false;
    static inline int cleared = 0;
    static inline int shown = 0;
    static inline std::vector<u32> told;
    static inline std::vector<FourCC> kinds;
};

class CutMovePanel : public testpanels::PanelFixture {
protected:
    void TearDown() override {
        CCPObj::Clips().DeleteAll();
        PanelFixture::TearDown();
    }
    // The mode buttons, then copy, paste and cut; the strip's five pictures (shapes and a stencil).
    std::vector<testres::ResContent> contents() const override {
        std::vector<testres::ResContent> all = {
            {fourCC("MBTN"), kCutPanelButtonSet, testpanels::buttonSet({{22300, 2, 0, 1, kModeRow}, {22350, 3, 0, 0, 50}})}};
        for (u16 id = 13000; id <= 13004; ++id) all.push_back({fourCC("tBMP"), id, "picture"});
        // The stencil's outline: a stored region, big-endian, of the rectangle (0, 0)-(10, 8).
        const std::string square("\x20\x4E\x47\x52\0\0\0\0\0\x0A\0\x08\0\x01\0\x01\0\0\0\0\0\x0A\0\x08", 24);
        all.push_back({kStencilRegionType, 13004, square});
        return all;
    }
    std::unique_ptr<RCutMovePanel> Open() {
        auto panel = std::make_unique<RCutMovePanel>(&owner, paths.get(), &mgr);
        Attach(*panel);
        EXPECT_EQ(panel->Init(), 0);
        Deliver();
        return panel;
    }
    void Send(RPanel& panel, u32 code, uintptr_t param1 = 0, u16 param2 = 0) {
        RMessage message(code, param1, param2);
        panel.HandleMessage(&message, 0);
        Deliver();
    }
    void Paint() {
        for (i32 y = 0; y < kSide; ++y)
            for (i32 x = 0; x < kSide; ++x) picture[size_t(y) * kSide + size_t(x)] = u16(x * 300 + y);
        original = picture;
    }
    u16 At(i32 x, i32 y) const { return picture[size_t(y) * kSide + size_t(x)]; }
    u16 Was(i32 x, i32 y) const { return original[size_t(y) * kSide + size_t(x)]; }

    std::vector<u16> original;
    fwtest::Log log;
    fwtest::Recorder owner{log, "owner"};
};

// What was remembered, then what the panel opens with: a page without objects always opens
// in cut mode; a shape that is not there falls back on the first.
struct Remembered {
    tCutMoveSaveData stored;
    i16 shape;
    bool circle;
};

class CutMoveRemembered : public CutMovePanel, public ::testing::WithParamInterface<Remembered> {};

TEST_P(CutMoveRemembered, OpensInCutModeWithTheShape) {
    ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
    if (GetParam().stored[0] != kPrefsNotStored) {
        RPanelPrefsTmpl<tCutMoveSaveData> prefs(*paths, kCutPanelSection);
        prefs.GetData() = GetParam().stored;
        prefs.Save();
    }
    auto panel = Open();
    EXPECT_EQ(panel->Mode(), kMsgCutMode);
    EXPECT_EQ(panel->CutShape(), GetParam().shape);
    EXPECT_EQ(dynamic_cast<ROCircleCut*>(panel->ShapeTool()) != nullptr, GetParam().circle);
    EXPECT_EQ(panel->Buttons()[0]->GetState(), kButtonSelected);
    ASSERT_NE(mgr.GetCurrentTool(), nullptr);
    EXPECT_EQ(mgr.CurrentToolIndex(), kToolIdMarchingAnts);
    panel.reset();
    RPanelPrefsTmpl<tCutMoveSaveData> saved(*paths, kCutPanelSection);
    EXPECT_EQ(saved.GetData(), (tCutMoveSaveData{i16(kMsgCutMode), GetParam().shape}));
}

INSTANTIATE_TEST_SUITE_P(Table, CutMoveRemembered,
                         ::testing::Values(Remembered{{kPrefsNotStored, kPrefsNotStored}, 0, false},
                                           Remembered{{i16(kMsgMoveMode), 2}, 2, true},
                                           Remembered{{i16(kMsgCutMode), 3}, 3, false},
                                           Remembered{{999, 9}, 0, false}));

TEST_F(CutMovePanel, CutLeavesAHoleAndPasteFloatsThePieceBackCentred) {
    Paint();
    auto panel = Open();
    Send(*panel, kMsgSelectCutShape, 0, 3);
    ASSERT_NE(dynamic_cast<RCutSquare*>(panel->ShapeTool()), nullptr);
    Stroke({4, 4}, {20, 12});
    ASSERT_NE(panel->FloatingClip(), nullptr);
    const Rect16 cut = panel->FloatingClip()->GetBounds();
    EXPECT_TRUE(panel->EditButtonsEnabled());
    EXPECT_FALSE(panel->PasteEnabled());
    ASSERT_TRUE(panel->Cut());
    EXPECT_EQ(panel->FloatingClip(), nullptr);
    EXPECT_FALSE(panel->EditButtonsEnabled());
    EXPECT_TRUE(panel->PasteEnabled());
    EXPECT_EQ(At(5, 5), kRgb555White);
    EXPECT_EQ(At(30, 30), Was(30, 30));
    ASSERT_TRUE(panel->CanPaste());
    ASSERT_TRUE(panel->Paste());
    ASSERT_NE(panel->FloatingClip(), nullptr);
    const Rect16 pasted = panel->FloatingClip()->GetBounds();
    EXPECT_EQ((pasted.left + pasted.right) / 2, kSide / 2);
    EXPECT_EQ((pasted.top + pasted.bottom) / 2, kSide / 2);
    Send(*panel, kMsgMoveMode);
    EXPECT_EQ(panel->FloatingClip(), nullptr);
    EXPECT_EQ(At(pasted.left + 1, pasted.top + 1), Was(5, 5)) << "put down where it was pasted";
    EXPECT_EQ(At(pasted.left, pasted.top), Was(cut.left, cut.top)) << "every corner of the piece";
    EXPECT_EQ(At(pasted.right - 1, pasted.bottom - 1), Was(cut.right - 1, cut.bottom - 1));
    EXPECT_EQ(At(5, 5), kRgb555White);
}

// A piece lifted and moved, then cut: its old place keeps its hole, and the picture under
// its new place stays as it was.
TEST_F(CutMovePanel, CuttingAMovedPieceLeavesThePictureUnderIt) {
    Paint();
    auto panel = Open();
    Send(*panel, kMsgSelectCutShape, 0, 3);
    Stroke({4, 4}, {20, 12});
    RGraphicClip* clip = panel->FloatingClip();
    ASSERT_NE(clip, nullptr);
    ASSERT_EQ(clip->HandleInput(0, {8, 8}, 0), 1u);
    clip->HandleMouseMove({38, 38}, 0);
    clip->HandleMouseUp(0, {38, 38}, 0);
    ASSERT_TRUE(panel->Cut());
    EXPECT_EQ(At(5, 5), kRgb555White);
    EXPECT_EQ(At(36, 36), Was(36, 36));
}

// A pasted piece floats: picking it up erases nothing under it, and it takes the mouse.
TEST_F(CutMovePanel, PastedPieceFloatsOverThePicture) {
    Paint();
    auto panel = Open();
    Send(*panel, kMsgSelectCutShape, 0, 3);
    Stroke({4, 4}, {20, 12});
    ASSERT_TRUE(panel->Copy());
    ASSERT_TRUE(panel->Paste());
    RGraphicClip* pasted = panel->FloatingClip();
    ASSERT_NE(pasted, nullptr);
    EXPECT_TRUE(pasted->IsRegistered());
    const Rect16 at = pasted->GetBounds();
    ASSERT_EQ(pasted->HandleInput(0, {i16(at.left + 2), i16(at.top + 2)}, 0), 1u);
    pasted->HandleMouseMove({i16(at.left + 22), i16(at.top + 22)}, 0);
    pasted->HandleMouseUp(0, {i16(at.left + 22), i16(at.top + 22)}, 0);
    EXPECT_EQ(At(at.left + 1, at.top + 1), Was(at.left + 1, at.top + 1));
}

// Choosing a stencil makes its piece at once, held and following the mouse; choosing a shape
// again after move mode builds its tool again.
TEST_F(CutMovePanel, StencilFloatsAtOnceAndShapesComeBackAfterMoveMode) {
    auto panel = Open();
    Send(*panel, kMsgSelectCutShape, 0, 4);
    ASSERT_NE(panel->FloatingClip(), nullptr);
    EXPECT_TRUE(panel->FloatingClip()->IsDragged());
    EXPECT_EQ(panel->FloatingClip()->Width(), 10);
    EXPECT_EQ(panel->ShapeTool(), nullptr);
    Send(*panel, kMsgSelectCutShape, 0, 0);
    EXPECT_EQ(panel->FloatingClip(), nullptr);
    Send(*panel, kMsgMoveMode);
    EXPECT_EQ(panel->ShapeTool(), nullptr);
    EXPECT_EQ(panel->GetScroller()->GetCount(), 0) << "move mode has no strip";
    Send(*panel, kMsgCutMode);
    EXPECT_EQ(panel->GetScroller()->GetCount(), 5);
    EXPECT_NE(dynamic_cast<RCutFree*>(panel->ShapeTool()), nullptr);
}

TEST_F(CutMovePanel, WithoutAUserItOpensAndClosesWithoutSaving) {
    auto panel = std::make_unique<RCutMovePanel>(&owner, nullptr, &mgr);
    Attach(*panel);
    EXPECT_EQ(panel->Init(), 0);
    Deliver();
    EXPECT_EQ(panel->Mode(), kMsgCutMode);
    EXPECT_EQ(panel->SavePrefs(), 0);
}

TEST_F(CutMovePanel, TheClipsReportsReachTheButtonsAndOnlyItsOwnPutDownEndsIt) {
    auto panel = Open();
    Send(*panel, kMsgSelectCutShape, 0, 3);
    Stroke({4, 4}, {20, 12});
    ASSERT_NE(panel->FloatingClip(), nullptr);
    Send(*panel, kClipState, 0, 0);
    EXPECT_FALSE(panel->EditButtonsEnabled());
    Send(*panel, kClipState, 0, 1);
    EXPECT_TRUE(panel->EditButtonsEnabled());
    Send(*panel, kClipPutDown, 1);
    EXPECT_NE(panel->FloatingClip(), nullptr) << "another clip's put-down";
    Send(*panel, kClipPutDown, reinterpret_cast<uintptr_t>(panel->FloatingClip()));
    EXPECT_EQ(panel->FloatingClip(), nullptr);
    EXPECT_FALSE(panel->Copy()) << "nothing to copy without a clip";
}

TEST_F(CutMovePanel, MoveModeHandsThePageObjectsToTheFrameMaker) {
    FakeFrameMaker::objects = 2;
    FakeFrameMaker::current = true;
    FakeFrameMaker::told.clear();
    FakeFrameMaker::kinds.clear();
    FakeFrameMaker::shown = 0;
    auto panel = Open();
    panel->SetFrameMakerMaker([](CListener*, RHotSpotList*, const std::vector<FourCC>& kinds) -> std::unique_ptr<FrameMakerLink> {
        EXPECT_EQ(kinds.size(), 6u);
        return std::make_unique<FakeFrameMaker>();
    });
    Click(*panel, 1, kModeRow);
    Deliver();
    ASSERT_EQ(panel->Mode(), kMsgMoveMode);
    ASSERT_NE(panel->FrameMaker(), nullptr);
    EXPECT_EQ(FakeFrameMaker::shown, 1);
    EXPECT_EQ(FakeFrameMaker::kinds, std::vector<FourCC>{0}) << "frames for every kind";
    EXPECT_EQ(mgr.GetCurrentTool(), nullptr) << "no painting tool in move mode";
    Send(*panel, kFrameMakerAdd);
    EXPECT_TRUE(panel->EditButtonsEnabled());
    EXPECT_TRUE(panel->Copy());
    EXPECT_TRUE(panel->PasteEnabled());
    FakeFrameMaker::current = false;
    panel->Cut();
    EXPECT_FALSE(panel->EditButtonsEnabled());
    RTextPageObject text(1);
    CCPObj::Clips().Add(std::make_unique<PageClip>(text));
    plat::placeClipboardText(std::string(), plat::registerClipboardFormat(kPrivateClipFormat), "x");
    EXPECT_TRUE(panel->Paste());
    EXPECT_EQ(FakeFrameMaker::told, (std::vector<u32>{kFrameMakerAdd, kFrameMakerCopy, kFrameMakerCopy, kFrameMakerDelete,
                                                      kFrameMakerPaste}));
    EXPECT_EQ(panel->RemoveFrameMaker(), 1);
    EXPECT_EQ(panel->RemoveFrameMaker(), 0);
    // Movable bitmaps are not pasted; in cut mode a text goes to a frame maker only when
    // there is one.
    for (FourCC kind : panel->PageObjectKinds()) {
        RBitmapPageObject kept(kind, 2);
        CCPObj::Clips().DeleteAll();
        CCPObj::Clips().Add(std::make_unique<PageClip>(kept));
        EXPECT_TRUE(panel->CanPaste()) << "one of the kinds the panel moves";
        if (kind == kTypeMovableBitmap || kind == kTypeMovie) {
            EXPECT_FALSE(panel->Paste()) << "but not pasted";
        }
    }
    panel->RemoveFrameMaker();
    EXPECT_EQ(panel->FrameMaker(), nullptr);
    RBitmapPageObject flash(kTypeFlash, 3);
    CCPObj::Clips().Add(std::make_unique<PageClip>(flash));
    EXPECT_TRUE(panel->Paste());
    ASSERT_NE(panel->FrameMaker(), nullptr);
    EXPECT_EQ(FakeFrameMaker::told.back(), kFrameMakerPaste);
    panel->RemoveFrameMaker();
    CCPObj::Clips().Add(std::make_unique<PageClip>(text));
    Send(*panel, kMsgCutMode);
    EXPECT_FALSE(panel->Paste());
    EXPECT_EQ(panel->FrameMaker(), nullptr);
}

TEST_F(CutMovePanel, MoveModeWithoutObjectsOrFrameMakerShowsNoFrames) {
    FakeFrameMaker::shown = 0;
    auto panel = Open();
    Send(*panel, kMsgMoveMode);
    EXPECT_EQ(panel->FrameMaker(), nullptr);
    EXPECT_TRUE(panel->Copy()) << "move mode offers paste all the same";
    EXPECT_TRUE(panel->PasteEnabled());
    panel->SetFrameMakerMaker([](CListener*, RHotSpotList*, const std::vector<FourCC>&) -> std::unique_ptr<FrameMakerLink> {
        return std::make_unique<FakeFrameMaker>();
    });
    FakeFrameMaker::objects = 0;
    Send(*panel, kMsgCutMode);
    Send(*panel, kMsgMoveMode);
    EXPECT_EQ(FakeFrameMaker::shown, 0);
    FakeFrameMaker::objects = 1;
    Send(*panel, kMsgCutMode);
    Send(*panel, kMsgMoveMode);
    EXPECT_EQ(FakeFrameMaker::shown, 1) << "one object is framed";
}


// Each stage of a cut shows its cursor over the canvas: the busy one while a piece is cut or
// dragged, the plain one once it is let go or when a stroke cut nothing.
TEST_F(CutMovePanel, EachCutStageShowsItsCursor) {
    auto panel = Open();
    std::vector<u16> cursors;
    owner.onMessage = [&](const RMessage& m) {
        if (m.code == kMsgPanelEnableCanvas) cursors.push_back(m.param2);
    };
    const std::pair<u32, u16> stages[] = {{kClipDragEnded, kCutCursorActive}, {kClipDragBegan, kCutCursorActive},
                                          {kClipPressedOff, kCutCursorPlain}};
    for (auto [stage, cursor] : stages) {
        cursors.clear();
        Send(*panel, kClipMoved, 0, u16(stage));
        EXPECT_EQ(cursors, std::vector<u16>{cursor}) << stage;
    }
    cursors.clear();
    Send(*panel, kCutRegionReady, 0);
    EXPECT_EQ(cursors, std::vector<u16>{kCutCursorPlain}) << "a stroke that cut nothing";
    EXPECT_EQ(panel->FloatingClip(), nullptr);
    owner.onMessage = nullptr;
}

// Closed before its mode message came, the panel leaves what the user had remembered.
TEST_F(CutMovePanel, ClosedBeforeItsModeCameItRemembersNothing) {
    ASSERT_EQ(paths->SelectUserFolder("Ann"), kErrNone);
    auto panel = std::make_unique<RCutMovePanel>(&owner, paths.get(), &mgr);
    Attach(*panel);
    ASSERT_EQ(panel->Init(), 0);
    ASSERT_EQ(panel->Mode(), 0u);
    panel.reset();
    Deliver();
    EXPECT_EQ(RPanelPrefsTmpl<tCutMoveSaveData>(*paths, kCutPanelSection).GetData()[kCutWordMode], kPrefsNotStored);
}

}  // namespace
