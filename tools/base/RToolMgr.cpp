#include "tools/base/RToolMgr.h"

#include <algorithm>

#include "engine/gfx/GfxDraw.h"
#include "framework/undo/UndoManager.h"
#include "tools/base/RTool.h"

RToolMgr::RToolMgr() : Ostrel::RSender(kToolMgrTag) {}

RToolMgr::~RToolMgr() {
    if (tool_) tool_->holder_ = nullptr;
    if (undo_) undo_->DiscardIfOwner(this);
}

void RToolMgr::Init(const PixelView& work, const Rect16& canvasRect, Ostrel::UndoManager* undo) {
    if (tracking_) InputEnd(0);
    RunToEnd();
    // What the tool held unfinished (a curve waiting to be bent, a polygon's corners) belongs
    // to the old picture: it goes, or the next press would finish it on the new one.
    if (tool_ && work_.top) {
        BeginStroke();
        tool_->Drop(canvas_);
    }
    // The undo step holds the old picture; swapping it into this one would mix pictures (or
    // run past a smaller buffer).
    if (undo_) undo_->DiscardIfOwner(this);
    undoHeld_ = false;
    changeOpen_ = false;
    undoPixels_.clear();
    work_ = work;
    canvasRect_ = canvasRect;
    undo_ = undo;
    snapshot_ = pixelViewOfBuffer(snapshotPixels_, work.width, work.height);
    snapshot_.CopyRectFrom(work_, work_.Bounds());
}

void RToolMgr::SetPorts(GfxPort* workPort, GfxPort* screenPort) {
    workPort_ = workPort;
    screenPort_ = screenPort;
}

u32 RToolMgr::HandleMessage(Ostrel::RMessage* message, uintptr_t) {
    switch (message->code) {
        case kToolMsgBorn:
            if (tracking_) InputEnd(0);
            SetTool(reinterpret_cast<RTool*>(message->param1));
            if (tool_) tool_->ApplySettings(settings_);
            return 0;
        case kToolMsgKild:
            if (tracking_) InputEnd(0);
            SetTool(nullptr);
            return 0;
        case kToolMsgChng:
            settings_ = toolSettingsFromRecord(reinterpret_cast<const void*>(message->param1));
            if (tool_) tool_->ApplySettings(settings_);
            return 0;
        case kPaintUndoCode:
            SwapUndo();
            return 0;
        default:
            return 0;
    }
}

void RToolMgr::SetTool(RTool* tool) {
    if (tool_ != tool) RunToEnd();
    if (tool_ && tool_ != tool && work_.top) {
        BeginStroke();
        tool_->Drop(canvas_);
        EndStroke();
    }
    if (tool_) tool_->holder_ = nullptr;
    tool_ = tool;
    if (!tool_) return;
    // A tool is current in one manager at a time.
    if (tool_->holder_ && tool_->holder_ != this) tool_->holder_->ToolDeleted(tool_);
    tool_->holder_ = this;
}

void RToolMgr::ToolDeleted(RTool* tool) {
    if (tool != tool_) return;
    tool_->holder_ = nullptr;
    tool_ = nullptr;
    if (!tracking_ && !running_) return;
    // What the stroke painted so far stays, as one undo step.
    tracking_ = false;
    running_ = false;
    hovering_ = false;
    EndStroke();
}

i16 RToolMgr::CurrentToolIndex() const { return tool_ ? tool_->GetToolId() : i16(-1); }

Point16 RToolMgr::ToPicture(Point16 p) const { return Point16{i16(p.h - canvasRect_.left), i16(p.v - canvasRect_.top)}; }

Rect16 RToolMgr::ToScreen(const Rect16& r) const {
    return Rect16{i16(r.left + canvasRect_.left), i16(r.top + canvasRect_.top), i16(r.right + canvasRect_.left),
                  i16(r.bottom + canvasRect_.top)};
}

void RToolMgr::BeginStroke() {
    snapshot_.CopyRectFrom(work_, work_.Bounds());
    canvas_ = ToolCanvas(work_, snapshot_, host_);
}

void RToolMgr::SetHost(const ToolHost* host) {
    host_ = host;
    canvas_.SetHost(host);
}

u16 RToolMgr::HandleInput(Point16 screenPoint, u32 timeMs) {
    // A press ends the hover stroke: what it painted becomes its own undo step.
    if (hovering_) InputEnd(0);
    if (!tool_ || tracking_ || running_ || !rectContainsPoint(canvasRect_, screenPoint) || !work_.top) return 0;
    BeginStroke();
    tracking_ = true;
    lastPoint_ = screenPoint;
    canvas_.SetTime(timeMs);
    tool_->Press(canvas_, ToPicture(screenPoint));
    UpdateScreen();
    return 1;
}

u16 RToolMgr::HoverInput(Point16 screenPoint, u32 timeMs) {
    if (tracking_ && !hovering_) return 0;
    const bool inside = rectContainsPoint(canvasRect_, screenPoint);
    if (hovering_ && !inside) {
        InputEnd(0);
        return 0;
    }
    if (!inside || !tool_ || !tool_->PaintsOnHover() || !work_.top) return 0;
    if (hovering_) {
        TrackInput(screenPoint, timeMs);
        return 1;
    }
    HandleInput(screenPoint, timeMs);
    hovering_ = tracking_;
    return 1;
}

u16 RToolMgr::FollowInput(Point16 screenPoint, u32 timeMs) {
    if (!tool_ || tracking_ || running_ || changeOpen_ || !work_.top || !rectContainsPoint(canvasRect_, screenPoint))
        return 0;
    // No stroke: the picture as it is stands for how it was.
    canvas_ = ToolCanvas(work_, work_, host_);
    canvas_.SetTime(timeMs);
    if (!tool_->Follow(canvas_, ToPicture(screenPoint))) return 0;
    UpdateScreen();
    return 1;
}

void RToolMgr::TrackInput(Point16 screenPoint, u32 timeMs) {
    if (!tracking_) return;
    lastPoint_ = screenPoint;
    canvas_.SetTime(timeMs);
    tool_->Move(canvas_, ToPicture(screenPoint));
    UpdateScreen();
}

void RToolMgr::EndInput(Point16 screenPoint, u32 timeMs) {
    if (!tracking_) return;
    lastPoint_ = screenPoint;
    canvas_.SetTime(timeMs);
    hovering_ = false;
    tool_->Release(canvas_, ToPicture(screenPoint));
    // A tool deleted by its own release has ended the stroke already.
    if (!tracking_) return;
    tracking_ = false;
    if (tool_->IsRunning()) running_ = true;
    else EndStroke();
}

void RToolMgr::StepTool(u32 timeMs) {
    if (!running_) return;
    canvas_.SetTime(timeMs);
    tool_->StepRun(canvas_);
    UpdateScreen();
    if (tool_->IsRunning()) return;
    running_ = false;
    EndStroke();
}

void RToolMgr::RunToEnd() {
    if (!running_) return;
    tool_->EndRun(canvas_);
    StepTool(canvas_.Time());
}

void RToolMgr::InputEnd(u32) {
    EndInput(lastPoint_, canvas_.Time());
    RunToEnd();
}

void RToolMgr::FinishTool() {
    if (!tool_) return;
    if (tracking_) InputEnd(0);
    RunToEnd();
    BeginStroke();
    tool_->Finish(canvas_);
    EndStroke();
}

void RToolMgr::BeginChange() {
    if (tracking_) InputEnd(0);
    if (!work_.top) return;
    BeginStroke();
    changeOpen_ = true;
}

void RToolMgr::ShowChange(const Rect16& local) {
    if (!changeOpen_) return;
    canvas_.MarkChanged(local);
    UpdateScreen();
}

void RToolMgr::EndChange() {
    if (!changeOpen_) return;
    // Closed first: whoever hears the 'grfx' may look at it.
    changeOpen_ = false;
    EndStroke();
}

void RToolMgr::UpdateScreen() {
    Rect16 fresh = canvas_.TakeFresh();
    if (rectIsEmpty(fresh) || !workPort_ || !screenPort_) return;
    ShowOnScreen(ToScreen(fresh));
}

void RToolMgr::ShowOnScreen(const Rect16& screenRect) {
    const Rect16 local{i16(screenRect.left - canvasRect_.left), i16(screenRect.top - canvasRect_.top),
                       i16(screenRect.right - canvasRect_.left), i16(screenRect.bottom - canvasRect_.top)};
    gfxCopyBits(screenPort_, workPort_, screenRect, local, 0);
    if (cover_) cover_(screenRect);
    rectUnion(&shown_, screenRect);
}

Rect16 RToolMgr::TakeShown() {
    const Rect16 shown = shown_;
    shown_ = Rect16{0, 0, 0, 0};
    return shown;
}

bool RToolMgr::Differs(const Rect16& r) const {
    for (i32 y = r.top; y < r.bottom; ++y)
        if (!std::equal(work_.Row(y) + r.left, work_.Row(y) + r.right, snapshot_.Row(y) + r.left)) return true;
    return false;
}

void RToolMgr::EndStroke() {
    UpdateScreen();
    // A band drawn and taken away again is no change: no undo step, and no 'grfx', which
    // would end the cut that a cut shape has just handed over.
    if (!canvas_.HasChanged() || !Differs(canvas_.Changed())) return;
    // The stroke's snapshot becomes the undo step's picture; the vectors trade their memory.
    snapshotPixels_.swap(undoPixels_);
    snapshot_ = pixelViewOfBuffer(snapshotPixels_, work_.width, work_.height);
    if (undo_) undo_->SetCurrent(this, kPaintUndoCode, &RToolMgr::ReleaseUndo);
    undoHeld_ = true;
    SayGraphics(ToScreen(canvas_.Changed()));
}

void RToolMgr::ReleaseUndo(CListener* owner, FourCC) { static_cast<RToolMgr*>(owner)->undoHeld_ = false; }

void RToolMgr::SwapUndo() {
    if (!undoHeld_ || tracking_ || running_) return;
    const size_t width = size_t(work_.width);
    for (i32 y = 0; y < work_.height; ++y)
        std::swap_ranges(work_.Row(y), work_.Row(y) + width, undoPixels_.begin() + ptrdiff_t(size_t(y) * width));
    UpdateScreenRect(canvasRect_, nullptr);
}

void RToolMgr::UpdateScreenRect(const Rect16& screenRect, CListener* listener) {
    // Added as a listener, so that it leaves the list by itself when it is destroyed.
    if (listener) AddListener(listener);
    if (workPort_ && screenPort_) ShowOnScreen(screenRect);
    SayGraphics(screenRect);
}

void RToolMgr::SayGraphics(const Rect16& screenRect) {
    lastChanged_ = screenRect;
    Ostrel::RMessage message(kToolMsgGraphics, reinterpret_cast<uintptr_t>(&lastChanged_), 0);
    Broadcast(&message);
}
