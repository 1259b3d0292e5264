// Writes the seed corpora of the menu, dialog-template, string, button-set and cursor readers
// with our own writers: the samples, the empty records, every kind and flag, the longest texts,
// the deepest menus and the most popups, items, accelerators and buttons each format holds.
#include <string>
#include <vector>

#include "framework/format/CursorFormat.h"
#include "framework/format/StringFormat.h"
#include "tests/FuzzSeeds.h"
#include "tests/framework/format/FormatSamples.h"

namespace {

using testfmt::command;
using testfmt::separator;
using testfmt::submenu;

const std::string kLongestKey(kMaxTextKeyLength, 'K');
const std::string kLongestFallback(kMaxFallbackLength, '\xE9');

using SeedWriter = fuzzseeds::WrittenSeeds;

// A popup of `items` commands, every third grayed or checked, with every accelerator modifier.
MenuPopupData fullPopup(size_t items, u16 firstCommand) {
    MenuPopupData popup{{"Full", "Full"}, 0, {}};
    for (size_t i = 0; i < items; ++i) {
        MenuItemData item = command(u16(firstCommand + i), "", "Item", u16('A' + i % 26), u16(i % 3));
        item.accelModifiers = u16(i % 8);
        popup.items.push_back(item);
    }
    return popup;
}

void menuSeeds(SeedWriter& out) {
    out.keep(writeMenuResource(testfmt::sampleMenu(), out.bytes()), "menu", "sample");
    out.keep(writeMenuResource(MenuResource{}, out.bytes()), "menu", "empty");
    // Submenus as deep as the format goes, with the longest texts and a grayed popup.
    MenuPopupData third{{kLongestKey, kLongestFallback}, kMenuFlagGrayed, {command(3, "", ""), separator()}};
    MenuPopupData second{{"", "Second"}, 0, {submenu("Third", "Third", third), command(2, "Two", "")}};
    MenuPopupData first{{"First", ""}, kMenuFlagGrayed | kMenuFlagChecked, {submenu("", "Second", second)}};
    out.keep(writeMenuResource(MenuResource{{first}, {}}, out.bytes()), "menu", "deepest");
    MenuResource widest;
    for (size_t p = 0; p < kMaxMenuPopups; ++p) widest.popups.push_back(fullPopup(p == 0 ? kMaxMenuItems : 1, u16(100 * p)));
    for (size_t a = 0; a < kMaxMenuAccelerators; ++a) widest.accelerators.push_back({u16(0x70 + a), u16(a % 8), u16(9000 + a)});
    out.keep(writeMenuResource(widest, out.bytes()), "menu", "most");
}

void dialogSeeds(SeedWriter& out) {
    using testfmt::item;
    out.keep(writeDialogTemplate(testfmt::sampleDialog(), out.bytes()), "dialog", "sample");
    out.keep(writeDialogTemplate(DialogTemplate{1, 1, {}, {}}, out.bytes()), "dialog", "smallest");
    // Every kind and flag, items at the corners of the largest dialog, the longest texts.
    DialogTemplate every{u16(kMaxDialogExtent), u16(kMaxDialogExtent), {kLongestKey, kLongestFallback}, {}};
    const i16 edge = i16(kMaxDialogExtent);
    for (u16 kind = u16(DialogItemKind::Button); kind <= u16(DialogItemKind::Group); ++kind) {
        const i16 at = i16(kind * 100);
        const u16 limit = kind == u16(DialogItemKind::Edit) ? 0xFFFF : kind >= u16(DialogItemKind::Picture) ? 1 : 0;
        every.items.push_back(item(u16(kind), DialogItemKind(kind), {at, at, i16(at + 90), i16(at + 20)}, "x",
                                   u16(1u << (kind - 1)), limit));
    }
    every.items.push_back(item(0xFFFF, DialogItemKind::Label, {0, 0, 1, 1}, ""));
    every.items.push_back(item(0, DialogItemKind::Edit, {i16(edge - 1), i16(edge - 1), edge, edge}, "", 0x7F, 0));
    out.keep(writeDialogTemplate(every, out.bytes()), "dialog", "every-kind");
    DialogTemplate most{640, 480, {"", "Most"}, {}};
    for (size_t i = 0; i < kMaxDialogItems; ++i)
        most.items.push_back(item(u16(1000 + i), DialogItemKind::CheckBox, {i16(i * 9), 0, i16(i * 9 + 8), 8}, "c"));
    out.keep(writeDialogTemplate(most, out.bytes()), "dialog", "most");
}

void buttonSeeds(SeedWriter& out) {
    out.keep(writeButtonSet(testfmt::sampleButtons(), out.bytes()), "button", "sample");
    out.keep(writeButtonSet({}, out.bytes()), "button", "empty");
    std::vector<ButtonRecord> most;
    const std::vector<ButtonRecord> samples = testfmt::sampleButtons();
    for (size_t i = 0; i < kMaxButtonSetButtons; ++i) {
        ButtonRecord b = samples[i % samples.size()];
        b.id = u16(i);
        b.cursorOver = u16(i % 35);
        b.cursorPressed = u16(34 - i % 35);
        b.clickMessage = 0xFFFFFFFFu - u32(i);
        b.group = u16(i % 4);
        most.push_back(b);
    }
    out.keep(writeButtonSet(most, out.bytes()), "button", "most");
}

void otherSeeds(SeedWriter& out) {
    out.keep(writeStringResource("Untitled disc", out.bytes()), "string", "sample");
    out.keep(writeStringResource("", out.bytes()), "string", "empty");
    out.keep(writeStringResource(std::string(kMaxStringResourceLength, '\x80'), out.bytes()), "string", "longest");
    CursorRecord arrow;
    arrow.andPlane.fill(0xFF);
    out.keep(writeCursorResource(arrow, out.bytes()), "cursor", "sample");
    CursorRecord corner;
    corner.hotX = corner.hotY = kCursorEdge - 1;
    for (size_t i = 0; i < kCursorPlaneBytes; ++i) corner.xorPlane[i] = u8(i * 29);
    out.keep(writeCursorResource(corner, out.bytes()), "cursor", "far-corner");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder, {"menu", "dialog", "string", "button", "cursor"});
    SeedWriter out(folder);
    menuSeeds(out);
    dialogSeeds(out);
    buttonSeeds(out);
    otherSeeds(out);
    return out.ok() ? 0 : 1;
}
