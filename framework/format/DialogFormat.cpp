#include "framework/format/DialogFormat.h"

#include "framework/format/ByteStream.h"
#include "framework/format/FormatErrors.h"

namespace {

bool validKind(u16 kind) { return kind >= u16(DialogItemKind::Button) && kind <= u16(DialogItemKind::Group); }

bool validExtent(u16 extent) { return extent >= 1 && extent <= kMaxDialogExtent; }

bool rectInside(const DialogRect& r, u16 width, u16 height) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width &&
           r.bottom <= height;
}

EngineErr checkItem(const DialogItemTemplate& item, const DialogTemplate& dialog) {
    if (!validKind(u16(item.kind))) return kFmtErrBadKind;
    if (!rectInside(item.rect, dialog.width, dialog.height)) return kFmtErrBadRect;
    if (item.text.key.size() > kMaxTextKeyLength || item.text.fallback.size() > kMaxFallbackLength)
        return kFmtErrTextTooLong;
    return kErrNone;
}

}  // namespace

EngineErr parseDialogTemplate(std::span<const u8> bytes, DialogTemplate* out) {
    ByteIn in(bytes);
    DialogTemplate dialog;
    const u16 version = in.u16be();
    if (in.ok() && version != kDialogFormatVersion) return kFmtErrVersion;
    dialog.width = in.u16be();
    dialog.height = in.u16be();
    if (in.ok() && (!validExtent(dialog.width) || !validExtent(dialog.height))) return kFmtErrBadRect;
    dialog.title.key = in.text(kMaxTextKeyLength);
    dialog.title.fallback = in.text(kMaxFallbackLength);
    const u16 count = in.u16be();
    if (!in.ok()) return in.error();
    if (count > kMaxDialogItems) return kFmtErrTooMany;
    for (u16 i = 0; i < count; ++i) {
        DialogItemTemplate item;
        item.id = in.u16be();
        const u16 kind = in.u16be();
        item.flags = in.u16be();
        item.rect.left = in.i16be();
        item.rect.top = in.i16be();
        item.rect.right = in.i16be();
        item.rect.bottom = in.i16be();
        item.limit = in.u16be();
        item.text.key = in.text(kMaxTextKeyLength);
        item.text.fallback = in.text(kMaxFallbackLength);
        if (!in.ok()) return in.error();
        if (!validKind(kind)) return kFmtErrBadKind;
        item.kind = DialogItemKind(kind);
        if (!rectInside(item.rect, dialog.width, dialog.height)) return kFmtErrBadRect;
        dialog.items.push_back(std::move(item));
    }
    if (!in.atEnd()) return kFmtErrTrailingBytes;
    *out = std::move(dialog);
    return kErrNone;
}

EngineErr writeDialogTemplate(const DialogTemplate& dialog, std::vector<u8>* out) {
    if (!validExtent(dialog.width) || !validExtent(dialog.height)) return kFmtErrBadRect;
    if (dialog.title.key.size() > kMaxTextKeyLength || dialog.title.fallback.size() > kMaxFallbackLength)
        return kFmtErrTextTooLong;
    if (dialog.items.size() > kMaxDialogItems) return kFmtErrTooMany;
    for (const DialogItemTemplate& item : dialog.items) {
        if (EngineErr err = checkItem(item, dialog); err != kErrNone) return err;
    }
    ByteOut bytes;
    bytes.u16be(kDialogFormatVersion);
    bytes.u16be(dialog.width);
    bytes.u16be(dialog.height);
    bytes.text(dialog.title.key);
    bytes.text(dialog.title.fallback);
    bytes.u16be(u16(dialog.items.size()));
    for (const DialogItemTemplate& item : dialog.items) {
        bytes.u16be(item.id);
        bytes.u16be(u16(item.kind));
        bytes.u16be(item.flags);
        bytes.i16be(item.rect.left);
        bytes.i16be(item.rect.top);
        bytes.i16be(item.rect.right);
        bytes.i16be(item.rect.bottom);
        bytes.u16be(item.limit);
        bytes.text(item.text.key);
        bytes.text(item.text.fallback);
    }
    *out = std::move(bytes.bytes());
    return kErrNone;
}
