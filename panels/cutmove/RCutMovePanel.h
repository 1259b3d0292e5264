#pragma once
// The panel of the easel's Grab button, in two modes. Cut mode: a strip of four cut shapes
// (free hand, polygon, circle, square) and the stencils after them; the marching-ants tool
// hands each stroke to the chosen shape, whose finished region becomes a floating clip
// (RGraphicClip) that the child lifts, drags and drops, copies (Ctrl at the first press),
// cuts, copies and pastes with the edit buttons or Ctrl+X / Ctrl+C / Ctrl+V; a stencil's clip
// follows the mouse from the moment it is chosen. Move mode: the page's objects (texts,
// stickers, animations, movies) are framed and moved by the frame maker (FrameMakerLink.h).
// A page without such objects opens in cut mode. A lifted clip is always put down into the
// picture when the cut ends (a mode or shape change, a paste, the panel going), and the lift,
// the moves and the put-down are one undo step; an undo while a clip floats puts it down
// first and takes the whole move back. Each user's mode and shape are kept in [CutPanel].
// User-interface thread only.
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "document/clipboard/CCPObj.h"
#include "panels/base/PanelSaveData.h"
#include "panels/base/RScrollToolPanel.h"
#include "panels/cutmove/CutMoveCommands.h"
#include "panels/cutmove/FrameMakerLink.h"
#include "sound/RSound.h"
#include "tools/base/RDragTool.h"
#include "tools/cut/RGraphicClip.h"

class RMarchingAnts;
class RToolMgr;

namespace Ostrel {

constexpr const char* kCutPanelItem = "CutPanel";
constexpr u16 kCutPanelButtonSet = 926;
constexpr u16 kCutPanelStripLayout = 18020;
constexpr u16 kCutPanelMascotShape = 18050;
// Move mode's frame: its label and how a thing on the page is moved, where cut mode's strip stands.
constexpr u16 kMovePanelShape = 18353;
// The strip's pictures: the four cut shapes, then the stencils, whose outlines are the
// 'MRGN' regions of the same ids.
constexpr u16 kCutPanelFirstPicture = 13000;
constexpr i16 kCutShapeCount = 4;
constexpr FourCC kStencilRegionType = fourCC("MRGN");
// The hot-spot group of the frames' items, in service while move mode shows frames.
constexpr u16 kObjectFrameGroup = 152;
// The cursors of the canvas: plain, and over a cut being made.
constexpr u16 kCutCursorPlain = 13;
constexpr u16 kCutCursorActive = 27;
// The program's private clipboard format: a 4-byte value 1 beside what its clip list holds.
constexpr const char* kPrivateClipFormat = "Tumblo Internal Format";

// Words of tCutMoveSaveData.
constexpr size_t kCutWordMode = 0;
constexpr size_t kCutWordShape = 1;

class RCutMovePanel : public RScrollToolPanel, public CCPObj {
public:
    // `picture`: the canvas's tool manager, whose picture the clips cut from.
    RCutMovePanel(CListener* owner, const Paths* userPaths, RToolMgr* picture);
    ~RCutMovePanel() override;

    u16 Init() override;
    u32 HandleMessage(RMessage* message, uintptr_t data) override;
    u16 RestorePrefs() override;
    u16 SavePrefs() override;
    u16 RemoveFrameMaker() override;
    // The canvas back after a save or a new page: move mode frames the page's objects again.
    void CreateFrameMaker() override;
    // Presses reach a floating clip first (it registers after the panel); a press on the
    // canvas it did not take is the panel's all the same.
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;

    bool Copy() override;
    bool Paste() override;
    bool Cut() override;
    bool CanPaste() override;

    u32 Mode() const { return mode_; }
    i16 CutShape() const { return cutShape_; }
    RGraphicClip* FloatingClip() const { return clip_.get(); }
    RDragTool* ShapeTool() const { return shapeTool_.get(); }
    // Move mode's frame sprite; 0 in cut mode.
    u16 MoveFrameSprite() const { return moveSprite_; }
    FrameMakerLink* FrameMaker() const { return frameMaker_.get(); }
    // How move mode reaches the page's frame maker (FrameMakerLink.h).
    void SetFrameMakerMaker(FrameMakerMaker maker) { makeFrameMaker_ = std::move(maker); }
    bool EditButtonsEnabled() const { return editEnabled_; }
    bool PasteEnabled() const { return pasteEnabled_; }
    const std::vector<FourCC>& PageObjectKinds() const { return kinds_; }

private:
    std::unique_ptr<FrameMakerLink> MakeFrameMaker();
    void SwitchMode(u32 mode);
    void ShowFrames();
    void ShowMoveFrame(bool shown);
    void ChooseShape(i16 item);
    void BuildShapeTool(i16 item);
    void SelectShapeAgain();
    void StartCut(memHandle region);
    void CutStencil(i16 stencil);
    // Stops the cut feedback and ends the floating clip, its pixels put down.
    void EndCut();
    void DeleteFloatingClip();
    void NewClip(bool floating);
    // While a clip's change of the picture is open, undo reaches the panel first.
    void TakeUndo();
    void UndoWhileFloating();
    void PlayCutStage(i16 stage);
    void StopCutSounds();
    void LoadCutSounds();
    void FillStrip(bool shapes);
    void SetEditButtons(bool enabled);
    void SetPasteButton(bool enabled);
    void EnableButton(u32 command, bool enabled);
    void SelectModeButton(u32 mode);
    bool PageHasMovableObjects() const;
    bool SoundsOn() const;
    RMarchingAnts* Ants() const;
    void Cursor(u16 cursor);

    RToolMgr* picture_;
    std::vector<FourCC> kinds_;
    std::unique_ptr<RDragTool> shapeTool_;
    std::unique_ptr<RGraphicClip> clip_;
    std::unique_ptr<FrameMakerLink> frameMaker_;
    FrameMakerMaker makeFrameMaker_;
    std::array<std::unique_ptr<RSound>, 4> sounds_;
    u32 mode_ = 0;
    i16 cutShape_ = -1;
    u16 mascotSprite_ = 0;
    u16 moveSprite_ = 0;
    bool initialising_ = false;
    bool itemOpen_ = false;
    bool framesShown_ = false;
    bool editEnabled_ = false;
    bool pasteEnabled_ = false;
};

}  // namespace Ostrel
