#include "engine/util/IniReplaceOnce.h"

#include <filesystem>
#include <optional>
#include <string>

#include "engine/ini/IniProfiles.h"
#include "tests/engine/util/IniTestSupport.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kOld = "[A]\r\nx=old\r\n";
constexpr const char* kNew = "[A]\r\nx=new\r\ny=2\r\n";

class IniReplace : public StoredProfileFixture {
protected:
    IniReplace() : StoredProfileFixture("run.ini") {}
    std::string file() const { return root_ + "/disc1/run.ini"; }
    std::optional<std::string> onDisc() { return fs::exists(file()) ? std::optional(read("run.ini")) : std::nullopt; }
};

struct RunCase {
    const char* name;
    std::optional<std::string> before;  // none: no file
    bool readOnly;
    bool changeFails;
    EngineErr expected;
    std::optional<std::string> after;
};

class IniReplaceRuns : public IniReplace, public ::testing::WithParamInterface<RunCase> {};

// The file holds its old text or every change: never some of them, and no file that a failed
// first run made stays behind.
TEST_P(IniReplaceRuns, TheFileTakesEveryChangeOrNone) {
    const RunCase& c = GetParam();
    if (c.before) profile(*c.before);
    if (c.readOnly) fs::permissions(file(), fs::perms::owner_write, fs::perm_options::remove);
    // Nothing reaches the file while the run goes on; a new file is empty meanwhile.
    const std::optional<std::string> during = c.before ? c.before : std::optional<std::string>("");
    int seenOld = 0;
    const EngineErr err = IniReplaceOnce(&profile_, [&] {
        EngineErr step = iniWriteString(&profile_, "A", "x", "new");
        seenOld += onDisc() == during;
        if (!step) step = c.changeFails ? kIniErrBadValue : iniWriteString(&profile_, "A", "y", "2");
        seenOld += onDisc() == during;
        return step;
    });
    if (c.readOnly) fs::permissions(file(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(err, c.expected);
    EXPECT_EQ(seenOld, 2);
    EXPECT_EQ(onDisc(), c.after);
    // What failed is not kept in memory either: turning write-through on writes nothing else.
    iniSetFlushMode(&profile_, 1);
    EXPECT_EQ(onDisc(), c.after);
    char value[16];
    iniGetString(&profile_, "A", "x", value, sizeof value, "none");
    EXPECT_STREQ(value, c.expected ? (c.before ? "old" : "none") : "new");
}

INSTANTIATE_TEST_SUITE_P(Runs, IniReplaceRuns,
                         ::testing::Values(RunCase{"Existing", kOld, false, false, kErrNone, kNew},
                                           RunCase{"New", std::nullopt, false, false, kErrNone, kNew},
                                           RunCase{"ChangeFails", kOld, false, true, kIniErrBadValue, kOld},
                                           RunCase{"FirstRunFails", std::nullopt, false, true, kIniErrBadValue, std::nullopt},
                                           RunCase{"FileRefuses", kOld, true, false, kOsErrAccessDenied, kOld}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniReplace, TheProfileKeepsTheModeItsOwnersLeftItIn) {
    for (u16 mode : {0, 1}) {
        profile(kOld);
        iniSetFlushMode(&profile_, mode);
        for (bool fails : {false, true}) {
            IniReplaceOnce(&profile_, [&] { return fails ? kIniErrBadValue : iniWriteString(&profile_, "A", "z", "1"); });
            EXPECT_EQ(iniSetFlushMode(&profile_, mode), mode) << fails;
        }
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
    }
}

// Without a path, or a folder to make the file in, no change runs and the caller hears why.
TEST_F(IniReplace, NoPlaceForTheFileRunsNoChange) {
    TestPath empty, nowhere("T:\\gone\\run.ini");
    struct Case {
        const Path* path;
        EngineErr expected;
    } cases[] = {{nullptr, kIniErrNoFile}, {empty.get(), kIniErrNoFile}, {nowhere.get(), kOsErrPathNotFound}};
    for (const Case& c : cases) {
        bool ran = false;
        EXPECT_EQ(IniReplaceOnce(c.path, [&] { return ran = true, kErrNone; }), c.expected);
        EXPECT_FALSE(ran);
    }
    EXPECT_FALSE(fs::exists(root_ + "/disc1/gone"));
}

TEST_F(IniReplace, AFileThatIsNoProfileIsLeftAlone) {
    profile(std::string("[A]\r\nx=o\0d\r\n", 13));
    bool ran = false;
    EXPECT_EQ(IniReplaceOnce(&profile_, [&] { return ran = true, kErrNone; }), kIniErrNotText);
    EXPECT_FALSE(ran);
    EXPECT_EQ(read("run.ini").size(), 13u);
}

}  // namespace
