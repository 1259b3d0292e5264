#include "framework/format/MenuFormat.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "framework/format/FormatErrors.h"
#include "tests/framework/format/FormatSamples.h"

namespace {

using testfmt::command;
using testfmt::sampleMenu;
using testfmt::submenu;

std::vector<u8> written(const MenuResource& menu) {
    std::vector<u8> bytes;
    EXPECT_EQ(writeMenuResource(menu, &bytes), kErrNone);
    return bytes;
}

EngineErr menuParseError(const std::vector<u8>& bytes) {
    MenuResource menu;
    return parseMenuResource(bytes, &menu);
}

TEST(MenuFormat, WritesOneItemFieldByField) {
    MenuResource menu;
    menu.popups.push_back({{"F", "File"}, kMenuFlagGrayed, {command(102, "", "Save", 'S')}});
    const std::vector<u8> expected = {
        0, 1, 0, 1,                                   // version, popups
        0, 1, 'F', 0, 4, 'F', 'i', 'l', 'e', 0, 1,    // title, popup flags
        0, 1,                                         // items
        0, 0, 0, 102, 0, 0, 0, 'S', 0, 1,             // kind, command, flags, key, modifiers
        0, 0, 0, 4, 'S', 'a', 'v', 'e',               // text
        0, 0,                                         // bar accelerators
    };
    EXPECT_EQ(written(menu), expected);
}

TEST(MenuFormat, SampleReadsBackEqual) {
    MenuResource back;
    ASSERT_EQ(parseMenuResource(written(sampleMenu()), &back), kErrNone);
    EXPECT_EQ(back, sampleMenu());
    EXPECT_EQ(back.popups[1].items[2].submenu.front().items[0].command, 401);
}

TEST(MenuFormat, EveryTruncationIsRefused) {
    const std::vector<u8> bytes = written(sampleMenu());
    for (size_t size = 0; size < bytes.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_EQ(menuParseError(std::vector<u8>(bytes.begin(), bytes.begin() + long(size))), kFmtErrTruncated);
    }
}

TEST(MenuFormat, RefusalsNameTheirCheck) {
    std::vector<u8> version = written(sampleMenu());
    writeBE16(version.data(), 2);
    std::vector<u8> trailing = written(sampleMenu());
    trailing.push_back(0);
    std::vector<u8> kind = written(MenuResource{{{{"", "F"}, 0, {command(1, "", "x")}}}, {}});
    writeBE16(kind.data() + 13, 3);  // the item's kind
    EXPECT_EQ(menuParseError(version), kFmtErrVersion);
    EXPECT_EQ(menuParseError(trailing), kFmtErrTrailingBytes);
    EXPECT_EQ(menuParseError(kind), kFmtErrBadKind);
}

MenuResource withCounts(size_t popups, size_t items, size_t accelerators) {
    MenuResource menu;
    menu.popups.resize(popups);
    if (popups > 0) menu.popups[0].items.assign(items, command(1, "", "x"));
    menu.accelerators.assign(accelerators, Accelerator{'A', kAccelControl, 1});
    return menu;
}

MenuPopupData nested(int depth) {
    MenuPopupData popup{{"", "p"}, 0, {}};
    if (depth > 1) popup.items.push_back(submenu("", "s", nested(depth - 1)));
    return popup;
}

// Writes a menu past the writer's own check by patching a count or length into valid bytes.
TEST(MenuFormat, LimitsHoldAtTheLimitAndRefuseOnePast) {
    struct Case {
        const char* name;
        MenuResource menu;
        EngineErr expected;
    };
    const MenuPopupData longTitle{{std::string(kMaxTextKeyLength, 'k'), std::string(kMaxFallbackLength, 't')}, 0, {}};
    const MenuPopupData longKey{{std::string(kMaxTextKeyLength + 1, 'k'), ""}, 0, {}};
    const MenuPopupData longText{{"", std::string(kMaxFallbackLength + 1, 't')}, 0, {}};
    const Case cases[] = {
        {"popups at limit", withCounts(kMaxMenuPopups, 0, 0), kErrNone},
        {"popups past", withCounts(kMaxMenuPopups + 1, 0, 0), kFmtErrTooMany},
        {"items at limit", withCounts(1, kMaxMenuItems, 0), kErrNone},
        {"items past", withCounts(1, kMaxMenuItems + 1, 0), kFmtErrTooMany},
        {"accelerators at limit", withCounts(0, 0, kMaxMenuAccelerators), kErrNone},
        {"accelerators past", withCounts(0, 0, kMaxMenuAccelerators + 1), kFmtErrTooMany},
        {"depth at limit", MenuResource{{nested(kMaxMenuDepth)}, {}}, kErrNone},
        {"depth past", MenuResource{{nested(kMaxMenuDepth + 1)}, {}}, kFmtErrTooDeep},
        {"texts at limit", MenuResource{{longTitle}, {}}, kErrNone},
        {"key past", MenuResource{{longKey}, {}}, kFmtErrTextTooLong},
        {"text past", MenuResource{{longText}, {}}, kFmtErrTextTooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<u8> bytes;
        EXPECT_EQ(writeMenuResource(c.menu, &bytes), c.expected);
        EXPECT_EQ(bytes.empty(), c.expected != kErrNone);
    }
}

TEST(MenuFormat, ReaderRefusesCountsPastTheLimit) {
    std::vector<u8> popups = written(MenuResource{});
    writeBE16(popups.data() + 2, u16(kMaxMenuPopups + 1));
    std::vector<u8> accels = written(MenuResource{});
    writeBE16(accels.data() + 4, u16(kMaxMenuAccelerators + 1));
    std::vector<u8> items = written(MenuResource{{{{"", ""}, 0, {}}}, {}});
    writeBE16(items.data() + 10, u16(kMaxMenuItems + 1));
    std::vector<u8> text = written(MenuResource{{{{"", ""}, 0, {}}}, {}});
    writeBE16(text.data() + 6, u16(kMaxFallbackLength + 1));
    EXPECT_EQ(menuParseError(popups), kFmtErrTooMany);
    EXPECT_EQ(menuParseError(accels), kFmtErrTooMany);
    EXPECT_EQ(menuParseError(items), kFmtErrTooMany);
    EXPECT_EQ(menuParseError(text), kFmtErrTextTooLong);
}

TEST(MenuFormat, ReaderRefusesNestingPastTheDepth) {
    // Written at the deepest allowed level, then the innermost popup's empty item list is
    // turned into one more submenu: the reader must stop at the depth check, not recurse on.
    MenuResource menu{{nested(kMaxMenuDepth)}, {}};
    std::vector<u8> bytes = written(menu);
    MenuResource back;
    EXPECT_EQ(parseMenuResource(bytes, &back), kErrNone);
    // The innermost popup's item count sits 4 bytes before the accelerator count at the end.
    const size_t innerCount = bytes.size() - 4;
    writeBE16(bytes.data() + innerCount, 1);
    const std::vector<u8> extraItem = {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 's',  // submenu item
                                       0, 0, 0, 1, 'p', 0, 0, 0, 0};                    // its popup
    bytes.insert(bytes.begin() + long(innerCount) + 2, extraItem.begin(), extraItem.end());
    EXPECT_EQ(menuParseError(bytes), kFmtErrTooDeep);
}

}  // namespace
