#include "panels/frames/RFrameMaker.h"

#include <algorithm>

#include "document/objects/RTextPageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "framework/input/RHotSpotItem.h"
#include "framework/undo/UndoManager.h"
#include "panels/frames/REditFrame.h"
#include "panels/frames/RTextEditFrame.h"
#include "panels/frames/makeEditFrame.h"
#include "platform/keyboard/VirtualKeys.h"

namespace Ostrel {

namespace {

// Flash stickers and Flash animations are framed together.
bool sameFamily(FourCC type, FourCC filter) {
    const auto flash = [](FourCC t) { return t == kTypeFlash || t == kTypeFlashAnimation; };
    return type == filter || (flash(type) && flash(filter));
}

}  // namespace

RFrameMaker::RFrameMaker(FrameHost& host, RHotSpotList* hotSpots) : host_(host), hotSpots_(hotSpots) {
    ResetMargin();
    Register(kInputMouseButtons | kInputMouseMove | kInputKeys);
}

RFrameMaker::~RFrameMaker() {
    ClearObjectFrames();
    Unregister();
}

void RFrameMaker::ResetMargin() {
    margin_ = host_.CanvasRect();
    rectInset(&margin_, kFrameMargin, kFrameMargin);
}

RPageObject* RFrameMaker::EditedObject() const { return edit_ ? edit_->Object() : nullptr; }

Rect16 RFrameMaker::ContentRect(const RPageObject& object) const {
    const Rect16& canvas = host_.CanvasRect();
    return {i16(object.rect.left + canvas.left), i16(object.rect.top + canvas.top), i16(object.rect.right + canvas.left),
            i16(object.rect.bottom + canvas.top)};
}

std::vector<RPageObject*> RFrameMaker::FramedObjectsOfPage(FourCC filter) const {
    std::vector<RPageObject*> objects;
    const RPageData* page = host_.ShownPage();
    if (!page) return objects;
    u32 iterator = 0;
    RPageObject* object = nullptr;
    while (page->NextObjectSkipFlagged(&iterator, &object, kTypeAnyObject))
        if (hasEditFrame(*object) && (filter == 0 || sameFamily(object->Type(), filter))) objects.push_back(object);
    return objects;
}

i16 RFrameMaker::IndexOf(const RPageObject* object) const {
    for (size_t i = 0; i < frames_.size(); ++i)
        if (frames_[i]->Object() == object) return i16(i);
    return -1;
}

i16 RFrameMaker::FrameAt(Point16 point) const {
    // The object drawn last lies on top. The others are found by their hot spots, the chosen
    // one (its hot spot out of service) by its place.
    for (size_t i = frames_.size(); i-- > 0;) {
        const RHotSpotItem* item = frames_[i]->HotSpot();
        if (i16(i) == current_ ? rectContainsPoint(ContentRect(*frames_[i]->Object()), point)
                               : item && item->IsActive() && item->Contains(point))
            return i16(i);
    }
    return -1;
}

// --- the records

std::unique_ptr<RObjectFrame> RFrameMaker::MakeRecord(RPageObject* object, bool hidden) {
    return std::make_unique<RObjectFrame>(object, ContentRect(*object), host_.CanvasRect(), hidden, hotSpots_, this);
}

void RFrameMaker::ReleaseSelectedItem() {
    if (current_ >= 0 && size_t(current_) < frames_.size()) {
        RObjectFrame& record = *frames_[size_t(current_)];
        // The object may have moved or grown while it was edited.
        if (!record.IsVisible()) record.SetBounds(ContentRect(*record.Object()));
        record.Show();
    }
    edit_.reset();
    current_ = -1;
}

void RFrameMaker::SetOutlinesHidden(bool hidden) {
    if (hidden) edit_.reset();
    for (auto& record : frames_) record->SetSuspended(hidden);
}

void RFrameMaker::ShowOtherItems() {
    shown_ = true;
    for (size_t i = 0; i < frames_.size(); ++i)
        if (i16(i) != current_) frames_[i]->Show();
}

void RFrameMaker::SelectFrame(i16 index) {
    if (index < 0 || size_t(index) >= frames_.size()) return;
    if (edit_ || current_ >= 0) ReleaseSelectedItem();
    RObjectFrame& record = *frames_[size_t(index)];
    if (record.IsVisible()) record.Hide();
    std::unique_ptr<REditFrame> frame = makeEditFrame(*record.Object(), host_);
    // A text is edited in place unless the cut-and-move panel has it: then it only moves.
    const u16 flag = record.Object()->Type() == kTypeText && host_.CutMovePanelCurrent() ? 0 : 1;
    if (!frame || frame->Attach(record.Object(), flag) != 0) {
        record.Show();
        return;
    }
    edit_ = std::move(frame);
    current_ = index;
}

void RFrameMaker::AddObjectFrame(RPageObject* object, u16 select) {
    if (!object || !hasEditFrame(*object)) return;
    SyncWithPage();
    i16 index = IndexOf(object);
    if (index < 0) {
        frames_.push_back(MakeRecord(object, select != 0));
        if (shown_ && !select) frames_.back()->Show();
        index = i16(frames_.size() - 1);
    }
    if (select) SelectFrame(index);
}

void RFrameMaker::RemoveObjectFrame(RPageObject* object) {
    const i16 index = IndexOf(object);
    if (index < 0) return;
    if (EditedObject() == object) {
        edit_.reset();
        current_ = -1;
    }
    frames_.erase(frames_.begin() + index);
    if (edit_) {
        current_ = IndexOf(edit_->Object());
    } else if (!frames_.empty()) {
        SelectFrame(i16(frames_.size() - 1));
    }
}

void RFrameMaker::DeleteEditFrame() {
    if (current_ >= 0 && size_t(current_) < frames_.size()) frames_.erase(frames_.begin() + current_);
    edit_.reset();
    current_ = -1;
}

void RFrameMaker::ClearObjectFrames() {
    if (edit_) remembered_ = edit_->Object();
    edit_.reset();
    frames_.clear();
    current_ = -1;
    built_ = false;
    shown_ = false;
}

u16 RFrameMaker::BuildObjectFrames(FourCC filter) {
    // The object chosen before the records went (a save, another panel) is chosen again.
    const RPageObject* edited = EditedObject() ? EditedObject() : remembered_;
    ClearObjectFrames();
    page_ = host_.ShownPage();
    filter_ = filter;
    built_ = true;
    for (RPageObject* object : FramedObjectsOfPage(filter)) frames_.push_back(MakeRecord(object, false));
    const i16 index = IndexOf(edited);
    if (index >= 0)
        SelectFrame(index);
    else if (!frames_.empty())
        SelectFrame(0);
    return u16(frames_.size());
}

void RFrameMaker::SyncWithPage() {
    if (!built_) {
        // Records only of what was handed over (an object being placed): those that left the
        // page go, unless another page is shown, when all go.
        const std::vector<RPageObject*> onPage = page_ == host_.ShownPage() ? FramedObjectsOfPage(0) : std::vector<RPageObject*>{};
        page_ = host_.ShownPage();
        for (size_t i = frames_.size(); i-- > 0;)
            if (std::find(onPage.begin(), onPage.end(), frames_[i]->Object()) == onPage.end()) {
                if (i16(i) == current_) {
                    edit_.reset();
                    current_ = -1;
                } else if (i16(i) < current_) {
                    --current_;
                }
                frames_.erase(frames_.begin() + ptrdiff_t(i));
            }
        return;
    }
    std::vector<RPageObject*> objects = FramedObjectsOfPage(filter_);
    // An object of another kind handed over to be placed keeps its record while it is edited.
    if (RPageObject* edited = page_ == host_.ShownPage() ? EditedObject() : nullptr;
        edited && std::find(objects.begin(), objects.end(), edited) == objects.end()) {
        const std::vector<RPageObject*> all = FramedObjectsOfPage(0);
        if (std::find(all.begin(), all.end(), edited) != all.end()) objects.push_back(edited);
    }
    bool same = page_ == host_.ShownPage() && objects.size() == frames_.size();
    for (size_t i = 0; same && i < objects.size(); ++i) same = frames_[i]->Object() == objects[i];
    if (same) return;
    // Only addresses are compared: an object the page let go of may be gone.
    RPageObject* const edited = page_ == host_.ShownPage() ? EditedObject() : nullptr;
    const bool shown = shown_;
    ClearObjectFrames();
    built_ = true;
    page_ = host_.ShownPage();
    for (RPageObject* object : objects) frames_.push_back(MakeRecord(object, false));
    if (const i16 index = IndexOf(edited); index >= 0) SelectFrame(index);
    if (shown) ShowOtherItems();
}

// --- the mouse

u32 RFrameMaker::HandleInput(u32 button, Point16 point, u32) {
    return button == kInputLeftButton ? MouseDown(point) : 0;
}

u32 RFrameMaker::HandleMouseUp(u32 button, Point16 point, u32) {
    return button == kInputLeftButton ? MouseUp(point) : 0;
}

u32 RFrameMaker::HandleMouseMove(Point16 point, u32) { return MouseStillDown(point); }

u32 RFrameMaker::MouseDown(Point16 point) {
    if (host_.TakesNoInput()) return 0;
    if (!rectContainsPoint(host_.CanvasRect(), point)) {
        if (edit_) edit_->ClickOff();
        return 0;
    }
    SyncWithPage();
    if (edit_) {
        if (edit_->HitHandle(point)) return edit_->BeginResize(point, kTrackStart);
        if (const u16 content = edit_->ContentClick(point)) return content;
        if (edit_->HitMove(point)) {
            edit_->BeginMove(point);
            margin_ = edit_->CanvasLimit();
            return 1;
        }
    }
    const i16 index = FrameAt(point);
    if (index < 0) {
        // The bare canvas: the object is let go, and the tool has the press.
        if (edit_) {
            edit_->ClickOff();
            ReleaseSelectedItem();
        }
        return 0;
    }
    if (index != current_) {
        // The hot spot's command chooses the object at once, so that the same press moves it.
        const RHotSpotItem& item = *frames_[size_t(index)]->HotSpot();
        RMessage choose(item.GetMessage(), item.GetRecord(), kHsReasonClick);
        HandleMessage(&choose, 0);
    }
    if (edit_ && edit_->HitMove(point)) {
        edit_->BeginMove(point);
        margin_ = edit_->CanvasLimit();
    }
    return 1;
}

u32 RFrameMaker::MouseUp(Point16 point) {
    if (!edit_) return 0;
    if (edit_->IsResizing()) {
        edit_->EndResize(point, kTrackStop);
        return 1;
    }
    if (edit_->IsDragging()) {
        if (rectContainsPoint(margin_, point)) edit_->DragTo(point);
        edit_->EndMove(point);
        ResetMargin();
        return 1;
    }
    return 0;
}

u32 RFrameMaker::MouseStillDown(Point16 point) {
    if (!gEditFrameDragging || !edit_) return 0;
    // A move ends when the pointer leaves the canvas, a resize when it nears the canvas's
    // edge: at the last place inside.
    const Rect16 inside = edit_->IsResizing() ? [this] {
        Rect16 r = host_.CanvasRect();
        rectInset(&r, kFrameMargin, kFrameMargin);
        return r;
    }() : margin_;
    if (!rectContainsPoint(inside, point)) {
        if (edit_->IsResizing()) {
            edit_->EndResize(point, kTrackStop);
        } else {
            edit_->EndMove(point);
            ResetMargin();
        }
        return 1;
    }
    edit_->DragTo(point);
    return 1;
}

// --- the keys

u32 RFrameMaker::HandleKey(u32 key) {
    if (host_.TakesNoInput() || host_.IsPlacing() || gEditFrameDragging) return 0;
    const u8 c = keyRecordVirtualKey(key);
    if (c == plat::kVkTab) {
        SyncWithPage();
        if (frames_.size() < 2) return 1;
        if (auto* text = dynamic_cast<RTextEditFrame*>(edit_.get());
            text && text->IsEditable() && static_cast<RTextPageObject*>(text->Object())->text.text.empty())
            RemoveObjectFrame(text->Object());
        const i16 next = current_ < 0 || size_t(current_ + 1) >= frames_.size() ? 0 : i16(current_ + 1);
        SelectFrame(next);
        return 1;
    }
    if (c != plat::kVkBack && c != plat::kVkDelete) return 0;
    SyncWithPage();
    RPageObject* object = EditedObject();
    if (!object) return 0;
    // A text being edited takes its own Delete; the cut-and-move panel deletes the whole text.
    if (object->Type() == kTypeMovie || (object->Type() == kTypeText && !host_.CutMovePanelCurrent())) return 0;
    DeleteSelected();
    return 1;
}

}  // namespace Ostrel
