#include "engine/files/UniqueFileName.h"

#include <algorithm>
#include <cstring>

#include "tests/engine/files/FileFunctionsFixture.h"

namespace {

class UniqueFileName : public FileFunctionsTest {
protected:
    void SetUp() override {
        FileFunctionsTest::SetUp();
        for (const char* name : {"Picture.tbx", "Picture1.tbx", "Pic.tbx", "0.tbx", "Sound.wav"}) {
            write('T', std::string("f/") + name, "x");
        }
    }
};

u16 refuseOdd(const char* candidate, void*) {
    const size_t n = std::strlen(candidate);
    return (n >= 5 && (candidate[n - 5] - '0') % 2 == 1) ? 0 : 1;
}

TEST_F(UniqueFileName, CountsPastWhatTheFolderHolds) {
    struct Case {
        const char* name;
        const char* extension;
        u32 maxLength;
        UniqueNameAccept accept;
        u16 numberFirst;
        EngineErr expected;
        std::string result;
    };
    const Case cases[] = {
        {"Picture", ".tbx", 0, nullptr, 0, kErrNone, "Picture2.tbx"},
        {"Picture12.tbx", ".tbx", 0, nullptr, 0, kErrNone, "Picture2.tbx"},
        {"Picture12.tbx", nullptr, 0, nullptr, 0, kErrNone, "Picture2.tbx"},
        {"Sound.wav", nullptr, 0, nullptr, 0, kErrNone, "Sound1.wav"},
        {"New", ".tbx", 0, nullptr, 0, kErrNone, "New.tbx"},
        {"New", ".tbx", 0, nullptr, 1, kErrNone, "New1.tbx"},
        {"123", ".tbx", 0, nullptr, 0, kErrNone, "1.tbx"},
        {"Picture", ".tbx", 0, refuseOdd, 1, kErrNone, "Picture2.tbx"},
        {"Picture", ".tbx", 0, refuseOdd, 0, kErrNone, "Picture2.tbx"},
        // "Picture.tbx" has 11 characters: below 12 it stands (and is taken), below 11 it is cut.
        {"Picture", ".tbx", 12, nullptr, 0, kErrNone, "Pictur1.tbx"},
        {"Picture", ".tbx", 11, nullptr, 0, kErrNone, "Pictur.tbx"},
        {"Picture", ".tbx", 6, nullptr, 0, kErrNone, "P.tbx"},
        {"Picture", ".tbx", 5, nullptr, 0, kOsErrBadPath, ""},
        {"", ".tbx", 0, nullptr, 0, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + std::string(" max ") + std::to_string(c.maxLength));
        char name[64] = {};
        std::strcpy(name, c.name);
        TestPath folder("T:\\f");
        TestPath out;
        EXPECT_EQ(MakeUniqueFileName(folder.get(), name, sizeof name, c.extension, &out, c.maxLength, c.accept,
                                     nullptr, c.numberFirst),
                  c.expected);
        if (c.expected == kErrNone) {
            EXPECT_EQ(std::string(name), c.result);
            EXPECT_EQ(out.text(), "\\f\\" + c.result);
        } else {
            EXPECT_TRUE(out.empty());
        }
    }
}

TEST_F(UniqueFileName, StaysInsideItsBuffer) {
    struct Case {
        u32 size;
        EngineErr expected;
        std::string result;
    };
    // "Picture2.tbx" needs 13 bytes with its NUL; one byte less and the base is cut.
    const Case cases[] = {{13, kErrNone, "Picture2.tbx"}, {12, kErrNone, "Pictur1.tbx"}, {5, kOsErrBadPath, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[32];
        std::memset(buffer, '#', sizeof buffer);
        TestPath folder("T:\\f");
        TestPath out;
        // Counting past Picture.tbx and Picture1.tbx needs the long base: the name grows.
        std::memcpy(buffer, "Picture", 8);
        EXPECT_EQ(MakeUniqueFileName(folder.get(), buffer, c.size, ".tbx", &out, 0, nullptr, nullptr, 0), c.expected);
        if (c.expected == kErrNone) {
            EXPECT_EQ(std::string(buffer), c.result);
        }
        for (u32 i = std::max<u32>(c.size, 8); i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << "byte " << i;
    }
}

u16 refuseAll(const char*, void* context) {
    ++*static_cast<u32*>(context);
    return 0;
}

TEST_F(UniqueFileName, GivesUpAfterItsBound) {
    char name[64] = "Picture";
    u32 asked = 0;
    TestPath folder("T:\\f");
    TestPath out;
    EXPECT_EQ(MakeUniqueFileName(folder.get(), name, sizeof name, ".tbx", &out, 0, refuseAll, &asked, 0),
              kOsErrExists);
    EXPECT_EQ(asked, kUniqueNameMaxTries + 1) << "numbers 0 to the bound, then no more";
}

}  // namespace
