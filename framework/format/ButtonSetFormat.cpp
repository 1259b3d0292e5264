#include "framework/format/ButtonSetFormat.h"

#include "framework/format/ByteStream.h"
#include "framework/format/FormatErrors.h"

namespace {

bool knownKind(u16 kind) { return kind <= u16(ButtonKind::Select); }

bool knownHotSpotKind(u16 kind) {
    return kind == u16(ButtonHotSpotKind::Rect) || kind == u16(ButtonHotSpotKind::ShapeRect) ||
           kind == u16(ButtonHotSpotKind::Region);
}

// The checks shared by reader and writer, in the order the reader meets the fields.
EngineErr checkButton(const ButtonRecord& b) {
    if (!knownKind(u16(b.kind)) || !knownHotSpotKind(u16(b.hotSpotKind))) return kFmtErrBadKind;
    if (!b.usesShapeRect() && (b.left >= b.right || b.top >= b.bottom)) return kFmtErrBadRect;
    if ((b.hotSpotKind == ButtonHotSpotKind::Region) != (b.regionId != 0)) return kFmtErrBadRegion;
    if ((b.flags & ~kButtonFlagsKnown) != 0) return kFmtErrBadFlags;
    return kErrNone;
}

ButtonRecord readButton(ByteIn& in) {
    ButtonRecord b;
    b.id = in.u16be();
    b.kind = ButtonKind(in.u16be());
    for (u16& shape : b.shapes) shape = in.u16be();
    b.left = in.i16be();
    b.top = in.i16be();
    b.right = in.i16be();
    b.bottom = in.i16be();
    b.hotSpotKind = ButtonHotSpotKind(in.u16be());
    b.regionId = in.u16be();
    b.cursorOver = in.u16be();
    b.cursorPressed = in.u16be();
    b.clickMessage = in.u32be();
    b.hoverMessage = in.u32be();
    b.group = in.u16be();
    b.flags = in.u16be();
    return b;
}

void writeButton(ByteOut& out, const ButtonRecord& b) {
    out.u16be(b.id);
    out.u16be(u16(b.kind));
    for (u16 shape : b.shapes) out.u16be(shape);
    out.i16be(b.left);
    out.i16be(b.top);
    out.i16be(b.right);
    out.i16be(b.bottom);
    out.u16be(u16(b.hotSpotKind));
    out.u16be(b.regionId);
    out.u16be(b.cursorOver);
    out.u16be(b.cursorPressed);
    out.u32be(b.clickMessage);
    out.u32be(b.hoverMessage);
    out.u16be(b.group);
    out.u16be(b.flags);
}

}  // namespace

EngineErr parseButtonSet(std::span<const u8> bytes, std::vector<ButtonRecord>* out) {
    ByteIn in(bytes);
    const u16 version = in.u16be();
    if (in.ok() && version != kButtonSetFormatVersion) return kFmtErrVersion;
    const u16 count = in.u16be();
    if (!in.ok()) return in.error();
    if (count > kMaxButtonSetButtons) return kFmtErrTooMany;
    // A count larger than the resource would otherwise be trusted for the caller's allocation.
    if (size_t(count) * kButtonRecordSize > in.remaining()) return kFmtErrCountPastEnd;
    std::vector<ButtonRecord> buttons;
    buttons.reserve(count);
    for (u16 i = 0; i < count; ++i) {
        buttons.push_back(readButton(in));
        if (EngineErr err = checkButton(buttons.back()); err != kErrNone) return err;
    }
    if (!in.atEnd()) return kFmtErrTrailingBytes;
    *out = std::move(buttons);
    return kErrNone;
}

EngineErr writeButtonSet(std::span<const ButtonRecord> buttons, std::vector<u8>* out) {
    if (buttons.size() > kMaxButtonSetButtons) return kFmtErrTooMany;
    for (const ButtonRecord& b : buttons) {
        if (EngineErr err = checkButton(b); err != kErrNone) return err;
    }
    ByteOut bytes;
    bytes.u16be(kButtonSetFormatVersion);
    bytes.u16be(u16(buttons.size()));
    for (const ButtonRecord& b : buttons) writeButton(bytes, b);
    *out = std::move(bytes.bytes());
    return kErrNone;
}
