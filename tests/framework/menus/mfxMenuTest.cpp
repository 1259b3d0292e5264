#include "framework/menus/mfxMenu.h"

#include <gtest/gtest.h>

#include "framework/format/FormatErrors.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/format/FormatSamples.h"

namespace {

using testfmt::kVkB;
using testfmt::kVkS;

mfxMenu sample() {
    mfxMenu menu;
    menu.SetFromResource(testfmt::sampleMenu());
    return menu;
}

TEST(mfxMenu, ItemsAreFoundByCommandInSubmenusAndByBarPosition) {
    const mfxMenu menu = sample();
    struct Case {
        u32 item;
        bool present;
    };
    for (const Case& c : {Case{mfxMenuCommand(102), true}, Case{mfxMenuCommand(402), true},
                          Case{mfxMenuCommand(999), false}, Case{mfxMenuPosition(1), true},
                          Case{mfxMenuPosition(2), false}}) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(menu.HasItem(c.item), c.present);
    }
    EXPECT_EQ(menu.ItemText(mfxMenuCommand(102)), "Save As...\tCtrl+S");
    EXPECT_EQ(menu.ItemText(mfxMenuPosition(1)), "Edit");
}

TEST(mfxMenu, AcceleratorsFollowTheStateOfTheirItemsAndPopups) {
    mfxMenu menu = sample();
    EXPECT_EQ(menu.TranslateAccelerator(kVkS, kAccelControl), 102);
    EXPECT_EQ(menu.TranslateAccelerator(kVkS, kAccelControl | kAccelShift), 0) << "modifiers must match exactly";
    EXPECT_EQ(menu.TranslateAccelerator(kVkB, kAccelControl), 702) << "a bar accelerator belongs to no item";

    ASSERT_TRUE(menu.EnableItem(mfxMenuCommand(102), false));
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuCommand(102)));
    EXPECT_EQ(menu.TranslateAccelerator(kVkS, kAccelControl), 0);
    ASSERT_TRUE(menu.EnableItem(mfxMenuCommand(102), true));
    EXPECT_TRUE(menu.IsItemEnabled(mfxMenuCommand(102)));
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuCommand(999)));
    ASSERT_TRUE(menu.EnableItem(mfxMenuPosition(0), false));
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuPosition(0)));
    EXPECT_TRUE(menu.IsItemEnabled(mfxMenuPosition(1)));
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuPosition(2))) << "past the last popup";
    EXPECT_EQ(menu.TranslateAccelerator(kVkS, kAccelControl), 0) << "a grayed popup silences its items";
    EXPECT_EQ(menu.TranslateAccelerator(kVkB, kAccelControl), 702);
}

// Letters, digits and F1-F12 by name, the edges just past each range by number.
TEST(mfxMenu, AcceleratorNames) {
    struct Case {
        u16 key, modifiers;
        const char* name;
    };
    const Case cases[] = {
        {0, kAccelControl, ""},
        {'A', kAccelControl | kAccelAlt | kAccelShift, "Ctrl+Alt+Shift+A"},
        {'Z', 0, "Z"}, {'A' - 1, 0, "#64"}, {'Z' + 1, 0, "#91"},
        {'0', kAccelAlt, "Alt+0"}, {'9', 0, "9"}, {'0' - 1, 0, "#47"}, {'9' + 1, 0, "#58"},
        {plat::kVkF1, 0, "F1"}, {plat::kVkF12, kAccelShift, "Shift+F12"},
        {plat::kVkF1 - 1, 0, "#111"}, {plat::kVkF12 + 1, 0, "#124"},
        {plat::kVkDelete, 0, "Del"}, {plat::kVkInsert, 0, "Ins"}, {plat::kVkReturn, 0, "Enter"},
        {plat::kVkEscape, 0, "Esc"}, {plat::kVkSpace, kAccelControl, "Ctrl+Space"},
    };
    for (const Case& c : cases) EXPECT_EQ(mfxAcceleratorName(c.key, c.modifiers), c.name) << c.key;
}

TEST(mfxMenu, FormatAcceleratorTextKeepsTheAcceleratorName) {
    mfxMenu menu = sample();
    ASSERT_TRUE(menu.FormatAcceleratorText(mfxMenuCommand(102), "Guardar como..."));
    EXPECT_EQ(menu.ItemText(mfxMenuCommand(102)), "Guardar como...\tCtrl+S");
    ASSERT_TRUE(menu.FormatAcceleratorText(mfxMenuCommand(108), "Nuevo"));
    EXPECT_EQ(menu.ItemText(mfxMenuCommand(108)), "Nuevo");
    EXPECT_FALSE(menu.FormatAcceleratorText(mfxMenuCommand(999), "x"));
}

TEST(mfxMenu, RemovedSubMenuTakesItsAcceleratorsAndComesBack) {
    mfxMenu menu = sample();
    mfxPopup kept;
    kept.Assign(menu.RemoveSubMenu(0));
    ASSERT_FALSE(kept.IsEmpty());
    EXPECT_EQ(menu.PopupCount(), 1);
    EXPECT_FALSE(menu.HasItem(mfxMenuCommand(102)));
    EXPECT_EQ(menu.TranslateAccelerator(kVkS, kAccelControl), 0);
    EXPECT_EQ(menu.TranslateAccelerator(kVkB, kAccelControl), 702);
    EXPECT_TRUE(menu.RemoveSubMenu(5).IsEmpty());

    menu.InsertSubMenu(1, "Archivo", kept);
    EXPECT_EQ(menu.ItemText(mfxMenuPosition(1)), "Archivo");
    EXPECT_EQ(menu.TranslateAccelerator(kVkS, kAccelControl), 102);
}

TEST(mfxMenu, InsertSubMenuTakesTheEndAndThrowsOnePast) {
    mfxMenu menu = sample();
    const mfxPopup popup = mfxPopup::FromMenu(menu, 1);
    EXPECT_THROW(menu.InsertSubMenu(3, "Past", popup), mfxMenuError);
    EXPECT_EQ(menu.PopupCount(), 2);
    EXPECT_NO_THROW(menu.InsertSubMenu(2, "End", mfxPopup::FromMenu(sample(), 0)));
    EXPECT_EQ(menu.PopupCount(), 3);
    EXPECT_THROW(menu.InsertSubMenu(0, "None", mfxPopup()), mfxMenuError);
}

TEST(mfxMenu, DeleteItemRemovesAnItemOrAPopup) {
    mfxMenu menu = sample();
    EXPECT_TRUE(menu.DeleteItem(mfxMenuCommand(401)));
    EXPECT_FALSE(menu.HasItem(mfxMenuCommand(401)));
    EXPECT_TRUE(menu.HasItem(mfxMenuCommand(402)));
    EXPECT_FALSE(menu.DeleteItem(mfxMenuCommand(401)));
    EXPECT_TRUE(menu.DeleteItem(mfxMenuPosition(0)));
    EXPECT_EQ(menu.PopupCount(), 1);
    EXPECT_FALSE(menu.DeleteItem(mfxMenuPosition(1)));
}

TEST(mfxMenu, CopiesShareOneRecord) {
    mfxMenu menu = sample();
    mfxMenu copy = menu;
    ASSERT_TRUE(copy.EnableItem(mfxMenuCommand(107), false));
    EXPECT_FALSE(menu.IsItemEnabled(mfxMenuCommand(107)));
}

std::string bytesOf(const MenuResource& resource) {
    std::vector<u8> bytes;
    EXPECT_EQ(writeMenuResource(resource, &bytes), kErrNone);
    return testfw::asText(bytes);
}

TEST(MenuResource, LoadsTheMenuOfTheSystemArchive) {
    testfw::SystemArchive archive;
    archive.open({{fourCC("MENU"), 128, bytesOf(testfmt::sampleMenu())}});
    mfxMenu menu;
    ASSERT_EQ(menu.LoadMenuResource(128), kErrNone);
    EXPECT_EQ(menu.PopupCount(), 2);
    EXPECT_EQ(menu.TranslateAccelerator(kVkS, kAccelControl), 102);
    EXPECT_EQ(menu.LoadMenuResource(129), kResErrNotFound);
    EXPECT_EQ(menu.PopupCount(), 2) << "a failed load keeps the menu";
}

TEST(MenuResource, AMalformedMenuIsRefusedByTheReader) {
    std::string bytes = bytesOf(testfmt::sampleMenu());
    bytes.pop_back();
    testfw::SystemArchive archive;
    archive.open({{fourCC("MENU"), 128, bytes}});
    mfxMenu menu;
    EXPECT_EQ(menu.LoadMenuResource(128), kFmtErrTruncated);
    EXPECT_EQ(menu.PopupCount(), 0);
}

}  // namespace
