#include "framework/format/MenuFormat.h"

#include "framework/format/ByteStream.h"
#include "framework/format/FormatErrors.h"

namespace {

TextRef readTextRef(ByteIn& in) {
    TextRef ref;
    ref.key = in.text(kMaxTextKeyLength);
    ref.fallback = in.text(kMaxFallbackLength);
    return ref;
}

bool readPopup(ByteIn& in, int depth, MenuPopupData* popup) {
    if (depth > kMaxMenuDepth) {
        in.fail(kFmtErrTooDeep);
        return false;
    }
    popup->title = readTextRef(in);
    popup->flags = in.u16be();
    const u16 count = in.u16be();
    if (!in.ok()) return false;
    if (count > kMaxMenuItems) {
        in.fail(kFmtErrTooMany);
        return false;
    }
    for (u16 i = 0; i < count; ++i) {
        MenuItemData item;
        const u16 kind = in.u16be();
        item.command = in.u16be();
        item.flags = in.u16be();
        item.accelKey = in.u16be();
        item.accelModifiers = in.u16be();
        item.text = readTextRef(in);
        if (!in.ok()) return false;
        if (kind > u16(MenuItemKind::Submenu)) {
            in.fail(kFmtErrBadKind);
            return false;
        }
        item.kind = MenuItemKind(kind);
        if (item.kind == MenuItemKind::Submenu) {
            item.submenu.emplace_back();
            if (!readPopup(in, depth + 1, &item.submenu.back())) return false;
        }
        popup->items.push_back(std::move(item));
    }
    return true;
}

bool textFits(const TextRef& ref) {
    return ref.key.size() <= kMaxTextKeyLength && ref.fallback.size() <= kMaxFallbackLength;
}

EngineErr checkPopup(const MenuPopupData& popup, int depth) {
    if (depth > kMaxMenuDepth) return kFmtErrTooDeep;
    if (popup.items.size() > kMaxMenuItems) return kFmtErrTooMany;
    if (!textFits(popup.title)) return kFmtErrTextTooLong;
    for (const MenuItemData& item : popup.items) {
        if (!textFits(item.text)) return kFmtErrTextTooLong;
        const bool isSubmenu = item.kind == MenuItemKind::Submenu;
        if (item.kind > MenuItemKind::Submenu || isSubmenu != (item.submenu.size() == 1) ||
            (!isSubmenu && !item.submenu.empty()))
            return kFmtErrBadKind;
        if (isSubmenu) {
            if (EngineErr err = checkPopup(item.submenu.front(), depth + 1); err != kErrNone) return err;
        }
    }
    return kErrNone;
}

void writeTextRef(ByteOut& out, const TextRef& ref) {
    out.text(ref.key);
    out.text(ref.fallback);
}

void writePopup(ByteOut& out, const MenuPopupData& popup) {
    writeTextRef(out, popup.title);
    out.u16be(popup.flags);
    out.u16be(u16(popup.items.size()));
    for (const MenuItemData& item : popup.items) {
        out.u16be(u16(item.kind));
        out.u16be(item.command);
        out.u16be(item.flags);
        out.u16be(item.accelKey);
        out.u16be(item.accelModifiers);
        writeTextRef(out, item.text);
        if (item.kind == MenuItemKind::Submenu) writePopup(out, item.submenu.front());
    }
}

}  // namespace

EngineErr parseMenuResource(std::span<const u8> bytes, MenuResource* out) {
    ByteIn in(bytes);
    MenuResource menu;
    const u16 version = in.u16be();
    if (in.ok() && version != kMenuFormatVersion) return kFmtErrVersion;
    const u16 popups = in.u16be();
    if (!in.ok()) return in.error();
    if (popups > kMaxMenuPopups) return kFmtErrTooMany;
    for (u16 p = 0; p < popups; ++p) {
        menu.popups.emplace_back();
        if (!readPopup(in, 1, &menu.popups.back())) return in.error();
    }
    const u16 accelerators = in.u16be();
    if (!in.ok()) return in.error();
    if (accelerators > kMaxMenuAccelerators) return kFmtErrTooMany;
    for (u16 a = 0; a < accelerators; ++a) {
        Accelerator accel;
        accel.key = in.u16be();
        accel.modifiers = in.u16be();
        accel.command = in.u16be();
        menu.accelerators.push_back(accel);
    }
    if (!in.ok()) return in.error();
    if (!in.atEnd()) return kFmtErrTrailingBytes;
    *out = std::move(menu);
    return kErrNone;
}

EngineErr writeMenuResource(const MenuResource& menu, std::vector<u8>* out) {
    if (menu.popups.size() > kMaxMenuPopups || menu.accelerators.size() > kMaxMenuAccelerators) return kFmtErrTooMany;
    for (const MenuPopupData& popup : menu.popups) {
        if (EngineErr err = checkPopup(popup, 1); err != kErrNone) return err;
    }
    ByteOut bytes;
    bytes.u16be(kMenuFormatVersion);
    bytes.u16be(u16(menu.popups.size()));
    for (const MenuPopupData& popup : menu.popups) writePopup(bytes, popup);
    bytes.u16be(u16(menu.accelerators.size()));
    for (const Accelerator& accel : menu.accelerators) {
        bytes.u16be(accel.key);
        bytes.u16be(accel.modifiers);
        bytes.u16be(accel.command);
    }
    *out = std::move(bytes.bytes());
    return kErrNone;
}
