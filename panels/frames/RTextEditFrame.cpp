#include "panels/frames/RTextEditFrame.h"

#include <algorithm>

#include "document/objects/RTextPageObject.h"
#include "document/objects/TextRecordStyles.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/sprites/SprLayer.h"
#include "engine/gfx/sprites/SprSounds.h"
#include "panels/frames/MeasuringPort.h"
#include "panels/frames/UndoFrame.h"
#include "text/layout/TextLayout.h"
#include "text/measure/StyleFonts.h"

namespace Ostrel {

RTextEditFrame::RTextEditFrame(FrameHost& host) : REditFrame(host) {
    Rect16 limit = host.CanvasRect();
    limit.top = i16(limit.top + kMoveBarHeight);
    SetCanvasLimit(limit);
}

RTextPageObject* RTextEditFrame::Text() const {
    return Object() && Object()->Type() == kTypeText ? static_cast<RTextPageObject*>(Object()) : nullptr;
}

u16 RTextEditFrame::AttachText(RPageObject* object, u16 editable) {
    if (!object || object->Type() != kTypeText) return 1;
    editable_ = editable;
    if (!editable_) SetCanvasLimit(Host().CanvasRect());
    return REditFrame::Attach(object, editable);
}

Rect16 RTextEditFrame::GetRect() const {
    if (!Text()) return {0, 0, 0, 0};
    Rect16 frame = ToScreen(Text()->rect);
    if (editable_) frame.top = i16(frame.top - kMoveBarHeight);
    rectInset(&frame, -1, -1);
    return frame;
}

Rect16 RTextEditFrame::TextRectOf(const Rect16& frame) const {
    Rect16 text = frame;
    rectInset(&text, 1, 1);
    if (editable_) text.top = i16(text.top + kMoveBarHeight);
    return text;
}

bool RTextEditFrame::HitMove(Point16 point) const {
    if (!editable_) return REditFrame::HitMove(point);
    const Rect16 frame = GetRect();
    return rectContainsPoint(Rect16{frame.left, frame.top, frame.right, i16(frame.top + 1 + kMoveBarHeight)}, point);
}

void RTextEditFrame::FollowText() {
    if (Text() && !IsDragging() && !IsResizing()) PlaceHandles(GetRect());
}

bool RTextEditFrame::Fits(const Rect16& text) const {
    if (!Text()) return false;
    if (Text()->text.text.empty()) return true;
    const StyledText styled = styledTextOf(Text()->text);
    MeasuringPort port;
    StyleFonts fonts;
    const TextLayout trial(styled, text, fonts);
    return trial.Complete() && trial.Bounds().bottom <= text.bottom;
}

Point16 RTextEditFrame::MinimumSize() const {
    if (!Text()) return REditFrame::MinimumSize();
    // One line of the font: its height and descent and a little room; its widest character.
    const StyledText styled = styledTextOf(Text()->text);
    const TextStyle& style = styled.Runs().defaultStyle;
    MeasuringPort port;
    StyleFonts fonts;
    u16 widest = 0;
    CharMetrics line{};
    for (u32 c = 32; c < 256; ++c) {
        const CharMetrics m = fonts.Measure(u8(c), style);
        widest = std::max(widest, m.width);
        line.ascent = std::max(line.ascent, m.ascent);
        line.descent = std::max(line.descent, m.descent);
        line.leading = std::max(line.leading, m.leading);
    }
    const i16 height = i16(line.ascent + line.descent + line.leading + line.descent + 3);
    // The frame adds its outline on each side and the move bar.
    return {i16(widest + 5 + 2), i16(height + 2 + (editable_ ? kMoveBarHeight : 0))};
}

bool RTextEditFrame::WriteBack(const Rect16& frame) {
    RTextPageObject* text = Text();
    if (!text) return false;
    const Rect16 inside = TextRectOf(frame);
    if (!Fits(inside)) return false;
    text->rect = ToPage(inside);
    text->changed = true;
    Host().ObjectsChanged();
    PlaceHandles(GetRect());
    return true;
}

void RTextEditFrame::ApplyResize() {
    if (rectEqual(DragRect(), GetRect()) || Commit(kUndoFrameSize)) return;
    SprSoundRequest refusal;
    refusal.soundId = kFrameRefusalSound;
    sprRequestSound(refusal);
}

void RTextEditFrame::DrawOutline(const Rect16& frame) const {
    if (editable_) {
        Rect16 bar{frame.left, i16(frame.top + 1), frame.right, i16(frame.top + 1 + kMoveBarHeight)};
        if (rectIntersect(&bar, Host().CanvasRect())) gfxFillRect(bar, GfxColor::rgb(0x50, 0x00, 0xFF), 0);
    }
    REditFrame::DrawOutline(frame);
}

}  // namespace Ostrel
