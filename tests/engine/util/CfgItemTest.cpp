#include "engine/util/CfgItem.h"

#include <filesystem>

#include "engine/util/IniWriteStringEnsurePath.h"
#include "tests/engine/util/IniTestSupport.h"

namespace {

class CfgItems : public StoredProfileFixture {
protected:
    CfgItems() : StoredProfileFixture("user.ini") {}
    bool exists(const char* name) { return std::filesystem::exists(root_ + "/disc1/" + name); }
};

struct LongCase {
    const char* name;
    const char* file;
    i32 value;
    EngineErr error;
};

class CfgLongLoads : public CfgItems, public ::testing::WithParamInterface<LongCase> {};

TEST_P(CfgLongLoads, LoadsOrReadsMissingAsZero) {
    const LongCase& c = GetParam();
    if (*c.file) put("user.ini", c.file);
    CFG_LONG item(&profile_, "Settings", "Volume", 0, 1);
    item.SetValue(99, 0);
    EXPECT_EQ(item.Load(), c.error);
    EXPECT_EQ(item.Value(), c.value);
    EXPECT_EQ(item.IsDirty(), c.error ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CfgLongLoads,
    ::testing::Values(LongCase{"Value", "[Settings]\r\nVolume=-17\r\n", -17, kErrNone},
                      LongCase{"Lowest", "[Settings]\r\nVolume=-2147483648\r\n", INT32_MIN, kErrNone},
                      LongCase{"MissingKey", "[Settings]\r\nOther=1\r\n", 0, kErrNone},
                      LongCase{"MissingSection", "[Other]\r\nVolume=1\r\n", 0, kErrNone},
                      LongCase{"MissingFile", "", 0, kErrNone},
                      LongCase{"NotANumber", "[Settings]\r\nVolume=loud\r\n", 99, kIniErrBadValue}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CfgItems, ChangesAreWrittenOnlyWhenDirtyOrForced) {
    CFG_LONG item(&profile_, "Settings", "Volume", 1, 1);
    EXPECT_EQ(item.SetValue(0, 0), kErrNone);
    EXPECT_EQ(item.IsDirty(), 0) << "an unchanged value is not dirty";
    EXPECT_EQ(item.Save(0), kErrNone);
    EXPECT_FALSE(exists("user.ini"));
    item.SetValue(5, 0);
    EXPECT_EQ(item.IsDirty(), 1);
    EXPECT_EQ(item.Save(0), kErrNone);
    EXPECT_EQ(stored("user.ini", "Settings").at("Volume"), "5");
    EXPECT_EQ(item.IsDirty(), 0);
    EXPECT_EQ(item.SetValue(-3, 1), kErrNone);
    EXPECT_EQ(stored("user.ini", "Settings").at("Volume"), "-3");
}

TEST_F(CfgItems, AFailedWriteNowLeavesTheValueForTheNextSave) {
    put("user.ini", "[Settings]\r\nVolume=1\r\n");
    const std::filesystem::path file = root_ + "/disc1/user.ini";
    CFG_LONG item(&profile_, "Settings", "Volume", 1, 1);
    item.SetValue(7, 0);
    std::filesystem::permissions(file, std::filesystem::perms(0444));
    EXPECT_NE(item.WriteNow(), kErrNone);
    EXPECT_EQ(item.IsDirty(), 1);
    std::filesystem::permissions(file, std::filesystem::perms(0644));
    EXPECT_EQ(item.Save(0), kErrNone);
    EXPECT_EQ(stored("user.ini", "Settings").at("Volume"), "7");
    EXPECT_EQ(item.IsDirty(), 0);
}

TEST_F(CfgItems, SetPathWritesTheOldFileFirstAndLoadsTheNew) {
    put("new.ini", "[Settings]\r\nVolume=8\r\n");
    CFG_LONG item(&profile_, "Settings", "Volume", 1, 0);
    item.SetValue(4, 0);
    TestPath other("T:\\new.ini");
    EXPECT_EQ(item.SetPath(other.get(), 1, 1), kErrNone);
    EXPECT_EQ(stored("user.ini", "Settings").at("Volume"), "4");
    EXPECT_EQ(item.Value(), 8);
}

struct BoolCase {
    const char* text;
    i16 expected;
};

class IniBoolTexts : public CfgItems, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(IniBoolTexts, OnlyTrueInAnyCaseIsTrue) {
    put("user.ini", std::string("[S]\r\nFlag=") + GetParam().text + "\r\n");
    EXPECT_EQ(IniReadBoolText(&profile_, "S", "Flag"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, IniBoolTexts,
                         ::testing::Values(BoolCase{"true", 1}, BoolCase{"True", 1}, BoolCase{"TRUE", 1},
                                           BoolCase{"yes", 0}, BoolCase{"1", 0}, BoolCase{"FALSE", 0},
                                           BoolCase{"", 0}));

TEST_F(CfgItems, BoolTextsWriteAndMissingKeyReadsMinusOne) {
    EXPECT_EQ(IniReadBoolText(&profile_, "S", "Flag"), -1);
    EXPECT_EQ(IniWriteStringEnsurePath(&profile_, "S", "Flag", "x"), kErrNone);
    EXPECT_EQ(IniReadBoolText(&profile_, "S", "Other"), -1);
    EXPECT_EQ(IniWriteBoolText(&profile_, "S", "Flag", 7), kErrNone);
    EXPECT_EQ(stored("user.ini", "S").at("Flag"), "TRUE");
    EXPECT_EQ(IniWriteBoolText(&profile_, "S", "Flag", 0), kErrNone);
    EXPECT_EQ(IniReadBoolText(&profile_, "S", "Flag"), 0);
}

TEST_F(CfgItems, WritingCreatesTheFileButRemovingDoesNot) {
    EXPECT_EQ(IniWriteStringEnsurePath(&profile_, "S", "Gone", nullptr), kErrNone);
    EXPECT_EQ(IniWriteStringEnsurePath(&profile_, "S", nullptr, nullptr), kErrNone);
    EXPECT_FALSE(exists("user.ini"));
    EXPECT_EQ(IniWriteStringEnsurePath(&profile_, "S", "Key", "v"), kErrNone);
    EXPECT_EQ(stored("user.ini", "S").at("Key"), "v");
    EXPECT_EQ(IniWriteStringEnsurePath(&profile_, "S", "Absent", nullptr), kErrNone);
    EXPECT_EQ(IniWriteStringEnsurePath(&profile_, "Nope", nullptr, nullptr), kErrNone);
}

}  // namespace
