#include "framework/format/DialogFormat.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "framework/format/FormatErrors.h"
#include "tests/framework/format/FormatSamples.h"

namespace {

using testfmt::item;
using testfmt::sampleDialog;

std::vector<u8> written(const DialogTemplate& dialog) {
    std::vector<u8> bytes;
    EXPECT_EQ(writeDialogTemplate(dialog, &bytes), kErrNone);
    return bytes;
}

EngineErr parseError(const std::vector<u8>& bytes) {
    DialogTemplate dialog;
    return parseDialogTemplate(bytes, &dialog);
}

TEST(DialogFormat, WritesOneItemFieldByField) {
    DialogTemplate d{100, 50, {"T", "Hi"}, {item(7, DialogItemKind::Edit, {1, 2, 99, 49}, "e", kDlgItemNumber, 3)}};
    const std::vector<u8> expected = {
        0, 1, 0, 100, 0, 50,                        // version, width, height
        0, 1, 'T', 0, 2, 'H', 'i',                  // title
        0, 1,                                       // items
        0, 7, 0, 5, 0, 0x20,                        // id, kind, flags
        0, 1, 0, 2, 0, 99, 0, 49,                   // rectangle
        0, 3, 0, 0, 0, 1, 'e',                      // limit, text
    };
    EXPECT_EQ(written(d), expected);
}

TEST(DialogFormat, SampleReadsBackEqual) {
    DialogTemplate back;
    ASSERT_EQ(parseDialogTemplate(written(sampleDialog()), &back), kErrNone);
    EXPECT_EQ(back, sampleDialog());
}

TEST(DialogFormat, EveryTruncationIsRefused) {
    const std::vector<u8> bytes = written(sampleDialog());
    for (size_t size = 0; size < bytes.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_EQ(parseError(std::vector<u8>(bytes.begin(), bytes.begin() + long(size))), kFmtErrTruncated);
    }
}

DialogTemplate oneItem(DialogRect rect, u16 kind = u16(DialogItemKind::Button)) {
    return DialogTemplate{100, 50, {"", ""}, {item(1, DialogItemKind(kind), rect, "")}};
}

TEST(DialogFormat, LimitsHoldAtTheLimitAndRefuseOnePast) {
    struct Case {
        const char* name;
        DialogTemplate dialog;
        EngineErr expected;
    };
    DialogTemplate many{100, 50, {"", ""}, {}};
    many.items.assign(kMaxDialogItems, item(1, DialogItemKind::Label, {0, 0, 1, 1}, ""));
    DialogTemplate tooMany = many;
    tooMany.items.push_back(many.items.front());
    const Case cases[] = {
        {"items at limit", many, kErrNone},
        {"items past", tooMany, kFmtErrTooMany},
        {"rect fills the dialog", oneItem({0, 0, 100, 50}), kErrNone},
        {"rect one past right", oneItem({0, 0, 101, 50}), kFmtErrBadRect},
        {"rect one past bottom", oneItem({0, 0, 100, 51}), kFmtErrBadRect},
        {"rect left of the dialog", oneItem({-1, 0, 10, 10}), kFmtErrBadRect},
        {"rect one pixel wide", oneItem({5, 5, 6, 6}), kErrNone},
        {"rect empty", oneItem({5, 5, 5, 6}), kFmtErrBadRect},
        {"kind first", oneItem({0, 0, 1, 1}, u16(DialogItemKind::Button)), kErrNone},
        {"kind last", oneItem({0, 0, 1, 1}, u16(DialogItemKind::Group)), kErrNone},
        {"kind zero", oneItem({0, 0, 1, 1}, 0), kFmtErrBadKind},
        {"kind past", oneItem({0, 0, 1, 1}, u16(DialogItemKind::Group) + 1), kFmtErrBadKind},
        {"extent at limit", DialogTemplate{u16(kMaxDialogExtent), u16(kMaxDialogExtent), {}, {}}, kErrNone},
        {"extent past", DialogTemplate{u16(kMaxDialogExtent + 1), 1, {}, {}}, kFmtErrBadRect},
        {"extent zero", DialogTemplate{1, 0, {}, {}}, kFmtErrBadRect},
        {"title at limit", DialogTemplate{1, 1, {std::string(kMaxTextKeyLength, 'k'), ""}, {}}, kErrNone},
        {"title past", DialogTemplate{1, 1, {std::string(kMaxTextKeyLength + 1, 'k'), ""}, {}}, kFmtErrTextTooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<u8> bytes;
        EXPECT_EQ(writeDialogTemplate(c.dialog, &bytes), c.expected);
        if (c.expected == kErrNone) {
            DialogTemplate back;
            EXPECT_EQ(parseDialogTemplate(bytes, &back), kErrNone);
            EXPECT_EQ(back, c.dialog);
        }
    }
}

TEST(DialogFormat, ReaderRefusalsNameTheirCheck) {
    const std::vector<u8> good = written(oneItem({0, 0, 10, 10}));
    // Offsets: version 0, width 2, height 4, title texts 6 and 8, count 10, id 12, kind 14,
    // flags 16, left 18, top 20, right 22, bottom 24, limit 26, text 28.
    struct Case {
        const char* name;
        size_t at;
        u16 value;
        EngineErr expected;
    };
    const Case cases[] = {
        {"version", 0, 2, kFmtErrVersion},
        {"width past", 2, u16(kMaxDialogExtent + 1), kFmtErrBadRect},
        {"count past", 10, u16(kMaxDialogItems + 1), kFmtErrTooMany},
        {"kind", 14, 9, kFmtErrBadKind},
        {"right past width", 22, 101, kFmtErrBadRect},
        {"bottom above top", 24, 0, kFmtErrBadRect},
        {"item text too long", 30, u16(kMaxFallbackLength + 1), kFmtErrTextTooLong},
        {"item text past the end", 30, 1, kFmtErrTruncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<u8> bytes = good;
        writeBE16(bytes.data() + c.at, c.value);
        EXPECT_EQ(parseError(bytes), c.expected);
    }
    std::vector<u8> trailing = good;
    trailing.push_back(0);
    EXPECT_EQ(parseError(trailing), kFmtErrTrailingBytes);
}

}  // namespace
