#include "contentgen/content/SystemResources.h"

#include <string>
#include <vector>

#include "contentgen/content/ArtPainter.h"
#include "app/window/MainMenuLayout.h"
#include "app/menus/MenuCommands.h"
#include "contentgen/content/Cp1252.h"
#include "contentgen/content/ManifestNumbers.h"
#include "framework/format/ButtonSetFormat.h"
#include "framework/format/CursorFormat.h"
#include "framework/format/DialogFormat.h"
#include "framework/format/MenuFormat.h"

using nlohmann::json;

namespace {

TextRef textRef(const json& key, const TextCatalog& texts, Language language) {
    const std::string name = key.get<std::string>();
    const auto fallback = utf8ToCp1252(texts.lookup(name, language));
    if (!fallback) throw ArtError("text " + name + " has a character outside cp1252");
    return TextRef{name, *fallback};
}

DialogItemKind itemKind(const std::string& name) {
    static const std::pair<const char*, DialogItemKind> kinds[] = {
        {"button", DialogItemKind::Button}, {"check", DialogItemKind::CheckBox}, {"radio", DialogItemKind::Radio},
        {"label", DialogItemKind::Label},   {"edit", DialogItemKind::Edit},      {"list", DialogItemKind::List},
        {"picture", DialogItemKind::Picture}, {"group", DialogItemKind::Group}};
    for (const auto& [n, k] : kinds)
        if (name == n) return k;
    throw ArtError("unknown dialog item kind " + name);
}

u16 itemFlags(const json& names) {
    static const std::pair<const char*, u16> flags[] = {
        {"disabled", kDlgItemDisabled}, {"checked", kDlgItemChecked}, {"default", kDlgItemDefault}, {"hidden", kDlgItemHidden},
        {"multiline", kDlgItemMultiLine}, {"number", kDlgItemNumber}, {"focus", kDlgItemFocus}};
    u16 out = 0;
    for (const json& n : names) {
        bool known = false;
        for (const auto& [name, bit] : flags)
            if (n.get<std::string>() == name) out |= bit, known = true;
        if (!known) throw ArtError("unknown dialog item flag " + n.dump());
    }
    return out;
}

}  // namespace

// The main menu's layout is the application's own; its texts here are only the fallbacks shown
// until the program puts the current language's in place.
std::vector<u8> buildMainMenuResource(const TextCatalog& texts, Language language) {
    MenuResource menu = Ostrel::MainMenuResource();
    const auto fill = [&](TextRef& text) {
        if (text.key.empty()) return;
        const std::string key = text.key;
        text = textRef(json(std::string(Ostrel::kMenuStringsSection) + "/" + key), texts, language);
        text.key = key;
    };
    std::vector<MenuPopupData*> pending;
    for (MenuPopupData& popup : menu.popups) pending.push_back(&popup);
    while (!pending.empty()) {
        MenuPopupData& popup = *pending.back();
        pending.pop_back();
        fill(popup.title);
        for (MenuItemData& item : popup.items) {
            fill(item.text);
            for (MenuPopupData& sub : item.submenu) pending.push_back(&sub);
        }
    }
    std::vector<u8> out;
    if (writeMenuResource(menu, &out) != kErrNone) throw ArtError("the main menu cannot be stored");
    return out;
}

std::vector<u8> buildDialogResource(const json& dialog, const TextCatalog& texts, Language language) {
    DialogTemplate d;
    d.width = manifestU16(dialog.at("size").at(0), "dialog width");
    d.height = manifestU16(dialog.at("size").at(1), "dialog height");
    d.title = textRef(dialog.at("title"), texts, language);
    for (const json& i : dialog.at("items")) {
        DialogItemTemplate item;
        item.id = manifestU16(i.at("id"), "dialog item id");
        item.kind = itemKind(i.at("kind").get<std::string>());
        item.flags = itemFlags(i.value("flags", json::array()));
        const json& r = i.at("rect");
        item.rect = DialogRect{manifestI16(r.at(0), "rect"), manifestI16(r.at(1), "rect"), manifestI16(r.at(2), "rect"), manifestI16(r.at(3), "rect")};
        item.limit = i.value("limit", u16(0));
        if (i.contains("text")) item.text = textRef(i["text"], texts, language);
        d.items.push_back(std::move(item));
    }
    std::vector<u8> out;
    if (writeDialogTemplate(d, &out) != kErrNone) throw ArtError("dialog " + dialog.at("id").dump() + " cannot be stored");
    return out;
}

std::vector<u8> buildButtonSet(const json& set) {
    std::vector<ButtonRecord> buttons;
    for (const json& b : set.at("buttons")) {
        ButtonRecord r;
        r.id = manifestU16(b.at("id"), "button id");
        const std::string kind = b.value("kind", std::string("push"));
        r.kind = kind == "toggle" ? ButtonKind::Toggle : kind == "select" ? ButtonKind::Select : ButtonKind::Push;
        if (kind != "push" && kind != "toggle" && kind != "select") throw ArtError("unknown button kind " + kind);
        if (b.contains("shapes")) {
            for (size_t i = 0; i < r.shapes.size(); ++i) r.shapes[i] = manifestU16(b["shapes"].at(i), "shape");
        } else {
            const u16 up = manifestU16(b.at("shape"), "shape");
            for (size_t i = 0; i < r.shapes.size(); ++i) r.shapes[i] = u16(up + i);
        }
        r.hotSpotKind = ButtonHotSpotKind::ShapeRect;
        r.clickMessage = b.value("click", u32(r.id));
        r.hoverMessage = b.value("hover", u32(0));
        r.group = b.value("group", u16(0));
        if (b.contains("cursor")) {
            r.cursorOver = manifestU16(b["cursor"].at(0), "cursor");
            r.cursorPressed = manifestU16(b["cursor"].at(1), "cursor");
        }
        if (b.value("hidden", false)) r.flags |= kButtonFlagHidden;
        if (b.value("disabled", false)) r.flags |= kButtonFlagDisabled;
        buttons.push_back(r);
    }
    std::vector<u8> out;
    if (writeButtonSet(buttons, &out) != kErrNone) throw ArtError("button set " + set.at("id").dump() + " cannot be stored");
    return out;
}

std::vector<u8> buildCursorResource(const json& cursor, const Raster& picture) {
    if (picture.width != kCursorEdge || picture.height != kCursorEdge) throw ArtError("a cursor is 32 x 32");
    CursorRecord c;
    c.hotX = manifestI16(cursor.at("hot").at(0), "hot spot");
    c.hotY = manifestI16(cursor.at("hot").at(1), "hot spot");
    for (int y = 0; y < kCursorEdge; ++y)
        for (int x = 0; x < kCursorEdge; ++x) {
            const u32 p = picture.at(x, y);
            const size_t byte = size_t(y * kCursorEdge + x) / 8;
            const u8 bit = u8(0x80 >> (x % 8));
            if (!rasterOpaque(p)) {
                c.andPlane[byte] |= bit;  // screen shows through
                continue;
            }
            const u16 c555 = rasterTo555(p);
            const int light = ((c555 >> 10) & 31) + ((c555 >> 5) & 31) + (c555 & 31);
            if (light > 45) c.xorPlane[byte] |= bit;  // white; black otherwise
        }
    std::vector<u8> out;
    if (writeCursorResource(c, &out) != kErrNone) throw ArtError("cursor " + cursor.at("id").dump() + " cannot be stored");
    return out;
}
