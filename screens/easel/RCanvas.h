#pragma once
// The easel's drawing surface: the rectangle of the paint screen in which the current page is
// shown and painted on. Clicks inside it go to the tool manager, which hands each stroke to
// the current tool; the tools paint into the canvas's picture (a 16-bit offscreen port of the
// canvas's size holding the page's background picture), and what they change is copied to
// the screen port and marked for the sprite layer's next update. The canvas keeps the page's
// background picture up to date from that picture before the page is saved, and answers the
// page-level commands (CanvasMessages.h). One per easel. User-interface thread only.
#include <memory>
#include <string>
#include <vector>

#include "app/menus/RMenuOwner.h"
#include "engine/base/MemoryHandles.h"
#include "document/clipboard/CCPObj.h"
#include "document/pages/RPage.h"
#include "engine/gfx/GfxColor.h"
#include "engine/gfx/GfxPort.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "panels/frames/FrameHost.h"
#include "screens/easel/PageMedia.h"
#include "screens/easel/PageRescue.h"
#include "screens/easel/PageSounds.h"
#include "tools/base/PixelView.h"
#include "tools/base/ToolHost.h"

class RGraphicClip;
class RToolMgr;

namespace Ostrel {

class RCanvasOwner;
class RDlgBase;
class RFlattenDlg;
class RFrameMaker;
class RABCTextDlg;
class RPickBgColorDlg;
class RPickBgSndDlg;
class RHotSpotItem;
class RHotSpotList;
class RTextPageObject;
class UndoManager;

// The private clipboard format the canvas's copies go under.
constexpr const char* kCanvasClipFormat = "Tumblo Internal Format";
constexpr FourCC kCanvasClipKind = fourCC("CNVS");

// A menu owner: the dialogs it opens (the ABC words, flattening) hand the menu bar back when
// they close.
// The canvas makes the frame maker through which the child chooses, moves and resizes the
// page's objects (FrameHost is what the frames ask of it).
class RCanvas : public RInputObject,
                public CListener,
                public CCPObj,
                public RMenuOwner,
                public ToolHost,
                public FrameHost {
public:
    explicit RCanvas(const Rect16& canvasRect);
    ~RCanvas() override;

    // Registers for input, makes the canvas's picture and the tool manager, and the click
    // item and hot spot on the screen's hot-spot list (either may be null in a canvas without
    // a screen), makes the program's OpenGL renderer when there is none and binds it to the
    // picture. `screenPort` is where the page shows: the sprite layer's background port, or
    // the work port of a screen without sprites. 0, or 1 when the picture cannot be made or no
    // GL context can be made for it (the tools then paint in software).
    u16 Init(RCanvasOwner* owner, RHotSpotList* screenHotSpots, GfxPort* screenPort, UndoManager* undo);
    // Binds the program's renderer to the picture, its view the picture's pixels, with smooth
    // shading; false without a renderer or a GL context.
    bool BindRenderer() const;

    const Rect16& CanvasRect() const override { return rect_; }
    const Rect16& LocalRect() const { return local_; }
    RToolMgr* ToolManager() const { return toolMgr_.get(); }
    RFrameMaker* FrameMaker() const { return frames_.get(); }
    // The frame maker lets go of the page's objects: the page is about to be replaced.
    void ReleaseObjects();
    // The shown page's objects back on the screen after a save or a print let go of them:
    // its animations and movies show and play again, its edit frames come back.
    void RestoreObjects();
    // A picture or a movie brought in is framed and chosen for placing: the canvas is busy and
    // its clicks out of service until the object is put down (CommitPlacedObject).
    void SelectNewObject(RPageObject* object);
    // While busy: whether a press at the point misses the placed object's frame, its handles
    // and its buttons.
    bool ClickMissesEditFrame(Point16 point) const;
    // The object being placed is put down: a picture goes into the painting (one undo step), a
    // movie stays on the page without its frame; `discard` takes it off the page instead. The
    // canvas is no longer busy and takes clicks again.
    void CommitPlacedObject(bool discard);
    // The page's pixels as the tools see them.
    const PixelView& Picture() const { return picture_; }
    GfxPort* PicturePort() const { return picturePort_; }

    void RedrawPage(RPage* page, u16 flag);
    void ShowPage(RPage* page);
    // Puts the painting into the page's background picture; done before every save.
    EngineErr StorePicture(RPage* page);
    // The same between changes only: false, the page untouched, while a stroke, a wipe or a
    // piece being moved is under way.
    bool StoreFinishedPicture(RPage* page);
    // The canvas as the child sees it, without the chosen object's edit frame: a JPEG stream.
    std::vector<u8> Snapshot();

    // The picture changed in `local` (picture coordinates) outside the tools, as the Start Over
    // effect does: the screen shows it and the page is unsaved.
    void PictureChanged(const Rect16& local);
    RFlattenDlg* FlattenDialog() const { return flatten_.get(); }
    RABCTextDlg* AbcTextDialog() const { return abcText_.get(); }

    void SuspendClicks();
    void ResumeClicks();
    bool ClicksSuspended() const;
    void SetBusy(u16 busy);
    bool IsBusy() const { return busy_ != 0; }
    const GfxColor& CurrentColor() const { return color_; }
    // What the tools ask: the owner's paint colour (black without an owner), and the user's
    // tool-sounds switch (on while nobody is logged in).
    GfxColor PaintColor() const override;
    bool ToolSoundsOn() const override;
    GLBitmapRenderer* PictureRenderer() const override;

    // The page's sound objects: with the user's attached sounds on, each plays again from
    // its start; stopping stops those that play.
    void PlaySounds();
    void StopSounds();
    const PageSounds& Sounds() const { return pageSounds_; }
    // The page's animations and movies on the screen; null before Init.
    const PageMedia* Media() const { return media_.get(); }

    // Speech of the page.
    void StopSpeaking();
    void ReadTextsAloud();
    void SpeakText(const std::string& text);
    bool IsSpeaking() const { return speaking_ != 0; }
    // The text objects in reading order: left to right, then top to bottom.
    static void OrderForReading(std::vector<RTextPageObject*>& texts);
    static std::string JoinForReading(const std::vector<RTextPageObject*>& texts);

    // --- RInputObject: Backspace and Delete take the picture or movie placed last off the
    // page, or drop the one being placed.
    u32 HandleKey(u32 key) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    void HandleTick(u32 now) override;

    // --- CListener: the page commands, and the tool manager's 'grfx'
    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    // --- FrameHost
    RPageData* ShownPage() const override;
    UndoManager* Undo() const override { return undo_; }
    void ObjectsChanged() override;
    void KeepPainting() override;
    void PictureMerged() override;
    bool TakesNoInput() const override;
    bool IsPlacing() const override { return busy_ != 0; }
    bool CutMovePanelCurrent() const override;
    void TellPageFull() override;
    u16 FlashObjectLimit() const override;

    // --- CCPObj: page objects are pasted on the page; a picture (the program's own cut piece,
    // or another program's picture cut to the canvas's size) floats centred on the canvas,
    // whatever the panel, until a press elsewhere puts it down.
    bool Copy() override;
    bool Paste() override;
    bool Cut() override;
    bool CanPaste() override;
    // The pasted picture floating over the canvas; null when none.
    RGraphicClip* FloatingClip() const { return clip_.get(); }

private:
    void MakeHotSpots(RHotSpotList* list);
    void PlaceObject(RPageObject* object, u32 data);
    // An object that plays or moves is framed and chosen, the canvas staying free.
    void FrameNewObject(RPageObject* object, bool placing = false);
    // Off the page as one undo step, its frame first.
    void DeleteObject(RPage& page, RPageObject* object);
    void NewPage(uintptr_t id);
    bool PageRefuses(const RPageData& page, FourCC type) const;
    static bool PageHolds(const RPageData& page, FourCC type);
    void ImportFile(uintptr_t kind);
    // Asks for the kind's file and brings it in; false when the import ends before it (nothing
    // chosen, a movie not to be replaced).
    bool ImportChosenFile(RPage* page, uintptr_t kind);
    EngineErr ImportBackground(RPage* page, const std::string& path);
    // What the child imported from `file`, also put into the child's own library of `type`
    // under the file's name without its ending; an alert when it cannot be.
    void AddToOwnLibrary(FourCC type, const std::vector<u8>& media, const std::vector<u8>& thumbnail,
                         const std::string& file);
    void AddToOwnLibrary(const RPageObject& object, const std::string& file);
    // The new background as the page got it.
    void AddBackgroundToOwnLibrary(const std::string& file);
    // The page as the canvas shows it, as a JPEG picture block (0 when none can be made).
    memHandle PagePictureBlock() const;

    // The picture covers the whole canvas, in place of what was painted: a change of the
    // painting, whose undo brings the painting back.
    void ReplaceBackground(RPage* page, const PictureRecord& picture);
    PageRect CanvasArea() const { return {0, 0, local_.right, local_.bottom}; }
    // The page commands that play the page, speak and stop (`page` the current page, if any).
    u32 HandleMediaMessage(RMessage* message, RPage* page);
    // The page commands that open the canvas's dialogs, and their replies.
    u32 HandleDialogMessage(RMessage* message);
    // The canvas hot spot in service, its list in front; or out of service, its list behind.
    void SetHotSpotInService(bool inService);
    void SpeakLastPlacedText(RPage& page);
    void OpenBackgroundColorDialog();
    void OpenBackgroundSoundDialog();
    void OpenAbcTextDialog();
    void AbcTextAnswered(RDlgBase* dialog);
    void OpenFlattenDialog(u16 command);
    void FlattenAnswered(RDlgBase* dialog);
    void SetClickCursor(u16 cursor, bool enable);
    // The painting copied to the screen, with the texts of `page` (none when null) over it:
    // the screen never shows the bare painting where a text stands.
    void ShowOnScreen(const Rect16& screenRect, const RPageData* page);
    // The page's texts that reach into the area (screen coordinates), drawn there.
    void PaintTextsOnScreen(const RPageData& page, const Rect16& area);
    const PageClip* ObjectClip() const;
    // The object placed last: the page's last object other than its background and note.
    static RPageObject* LastPlaced(RPageData& page);
    enum class PastedPicture : u8 { None, OwnPiece, OtherProgram };
    PastedPicture PictureToPaste() const;
    bool FloatPicture(PastedPicture source);
    // The floating picture goes down into the painting, as one undo step.
    void EndFloatingClip();
    // The floating picture's messages and the undo of it; 0 for any other message.
    u32 HandleClipMessage(RMessage* message);
    // An undo or redo changed the shown page's objects.
    void PageStepped(FourCC code);
    // Draws the shown page again after a change of its objects, the painting kept.
    void RedrawShownPage(RPage* page);
    u16 PageBackgroundPixel() const;

    Rect16 rect_;
    Rect16 local_;
    RCanvasOwner* owner_ = nullptr;
    std::unique_ptr<RToolMgr> toolMgr_;
    GfxPort* picturePort_ = nullptr;
    GfxPort* screenPort_ = nullptr;
    PixelView picture_;
    RHotSpotList* hotSpots_ = nullptr;
    RHotSpotItem* clickItem_ = nullptr;
    RHotSpotItem* canvasHotSpot_ = nullptr;
    u16 clickCursor_ = 0;
    GfxColor color_{};
    std::vector<FourCC> acceptedKinds_;
    u16 speaking_ = 0;
    u16 busy_ = 0;
    // Compared only, never followed: the edited object is the one being placed while it is this.
    const RPageObject* placing_ = nullptr;
    std::vector<RTextPageObject*> speakList_;
    PageSounds pageSounds_;
    std::string spokenText_;
    UndoManager* undo_ = nullptr;
    std::unique_ptr<RABCTextDlg> abcText_;
    std::unique_ptr<RPickBgColorDlg> backgroundColor_;
    std::unique_ptr<RPickBgSndDlg> backgroundSound_;
    std::unique_ptr<RFlattenDlg> flatten_;
    std::unique_ptr<RFrameMaker> frames_;
    std::unique_ptr<PageMedia> media_;
    std::unique_ptr<RGraphicClip> clip_;
    PageRescue rescue_;
    // What the pages' step listeners hold: gone with the canvas, they are no longer called.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace Ostrel
