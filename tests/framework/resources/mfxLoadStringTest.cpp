#include "framework/resources/mfxLoadString.h"

#include "engine/base/ByteOrder.h"
#include "framework/format/StringFormat.h"
#include "tests/framework/SystemArchiveFixture.h"

namespace {

std::string stringResource(size_t length) {
    std::vector<u8> bytes = {0, 1, 0, 0};
    writeBE16(bytes.data() + 2, u16(length));
    bytes.resize(4 + length, 'v');
    return testfw::asText(bytes);
}

TEST(mfxLoadString, ReadsTheNumberedStringOrNothing) {
    testfw::SystemArchive archive;
    archive.open({{fourCC("tSTR"), 1, stringResource(kMaxStringResourceLength)},
                  {fourCC("tSTR"), 2, stringResource(kMaxStringResourceLength + 1)},
                  {fourCC("tSTR"), 3, stringResource(0)},
                  {fourCC("tSTR"), 4, std::string("\x00\x01\x00", 3)}});
    struct Case {
        u32 number;
        size_t length;
    };
    for (const Case& c : {Case{1, kMaxStringResourceLength}, Case{2, 0}, Case{3, 0}, Case{4, 0}, Case{5, 0},
                          Case{0x10001, 0}}) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(mfxLoadString(c.number), std::string(c.length, 'v'));
    }
}

}  // namespace
