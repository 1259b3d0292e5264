#pragma once
// The frame maker keeps one record (RObjectFrame) per page object that the current tool panel
// lets the child choose, in page order, and at most one current edit frame. The panels that
// edit objects (libraries, text, cut and move) build the records and show their outlines;
// under the painting panels it holds only an object being placed, and a press elsewhere paints. It takes the mouse and the keys before the
// canvas: a press on the current frame's handle resizes it, a press inside it moves it, a
// press on another object's hot spot chooses that object through the hot spot's command (and
// starts moving it), and a press on the bare
// canvas lets the object go and reaches the painting tool. Tab chooses the next object,
// Delete and Backspace delete the chosen one; its commands (FrameCommands.h) add, remove,
// delete, copy, paste and flatten objects. The canvas keeps it for the panel of the moment.
// User-interface thread only.
#include <memory>
#include <vector>

#include "document/clipboard/ClipList.h"
#include "framework/input/RInputObject.h"
#include "framework/messaging/CListener.h"
#include "panels/frames/FrameHost.h"
#include "panels/frames/RObjectFrame.h"

namespace Ostrel {

class REditFrame;
class RHotSpotList;
class RPageData;

// Pastes step down and to the right by this much each.
constexpr i16 kPasteStep = 10;
// A first paste nearer than this to the copied object steps away from it.
constexpr i16 kPasteNear = 11;
// Played when an object is merged into the picture.
constexpr u16 kFlattenSound = 31502;
// During a resize the pointer may come this near the canvas's edge.
constexpr i16 kFrameMargin = 5;
// The system clipboard's sign that the program's own clip list holds what was copied.
constexpr const char* kObjectClipFormat = "Tumblo Internal Format";

class RFrameMaker : public CListener, public RInputObject {
public:
    // The records' hot spots are made in `hotSpots` (the screen's list); none when null.
    explicit RFrameMaker(FrameHost& host, RHotSpotList* hotSpots = nullptr);
    ~RFrameMaker() override;

    // --- RInputObject
    u32 HandleKey(u32 key) override;
    u32 HandleInput(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseUp(u32 button, Point16 point, u32 buttons) override;
    u32 HandleMouseMove(Point16 point, u32 buttons) override;
    u32 MouseDown(Point16 point);
    u32 MouseUp(Point16 point);
    u32 MouseStillDown(Point16 point);

    // --- the records
    void SelectFrame(i16 index);
    void AddObjectFrame(RPageObject* object, u16 select);
    void RemoveObjectFrame(RPageObject* object);
    void ClearObjectFrames();
    void DeleteEditFrame();
    // Records for the page's objects (of the kind; 0 all); the edited object, or the first,
    // becomes current. The number of records.
    u16 BuildObjectFrames(FourCC filter);
    void ReleaseSelectedItem();
    // Every record but the current one shows its outline, also those made again later.
    void ShowOtherItems();
    // Whether a panel built the records of the page's objects (BuildObjectFrames); otherwise
    // the records are only of objects handed over to be placed.
    bool Built() const { return built_; }
    // For a look at the page as it is: the outlines draw nothing and the edit frame goes (the
    // caller chooses the object again).
    void SetOutlinesHidden(bool hidden);
    // Makes the records again, of the kind built last, when the page's objects are no longer
    // those recorded (another page, an undo), keeping the current object when it is still there.
    void SyncWithPage();

    u32 HandleMessage(RMessage* message, uintptr_t data) override;

    // The edited object goes into the page's picture, as one undo step, without a sound.
    void MergeEdited();
    // The system clipboard says the program's clip list holds the copy: another program's copy
    // takes that away again.
    static void ClaimSystemClipboard();
    // Whether the page shows as many Flash objects as `limit` allows (0: no limit).
    static bool FlashLimitReached(const RPageData& page, u16 limit);

    i16 CurrentIndex() const { return current_; }
    REditFrame* EditFrame() const { return edit_.get(); }
    RPageObject* EditedObject() const;
    size_t FrameCount() const { return frames_.size(); }
    const RObjectFrame& Frame(size_t index) const { return *frames_[index]; }
    u16 PasteCount() const { return pasteCount_; }

private:
    std::unique_ptr<RObjectFrame> MakeRecord(RPageObject* object, bool hidden);
    std::vector<RPageObject*> FramedObjectsOfPage(FourCC filter) const;
    Rect16 ContentRect(const RPageObject& object) const;
    i16 IndexOf(const RPageObject* object) const;
    i16 FrameAt(Point16 point) const;
    void DeleteSelected();
    void Copy();
    void Paste(const Clip* clip);
    void FlattenOne(FourCC kind);
    void FlattenAll(FourCC kind);
    void ResetMargin();

    FrameHost& host_;
    RHotSpotList* hotSpots_;
    i16 current_ = -1;
    std::unique_ptr<REditFrame> edit_;
    Rect16 margin_{0, 0, 0, 0};
    u16 pasteCount_ = 0;
    std::vector<std::unique_ptr<RObjectFrame>> frames_;
    // The page the records are of, and the kind they are of (0 every kind).
    const RPageData* page_ = nullptr;
    FourCC filter_ = 0;
    // The object edited when the records last went; compared only, never followed.
    const RPageObject* remembered_ = nullptr;
    bool built_ = false;
    bool shown_ = false;
};

}  // namespace Ostrel
