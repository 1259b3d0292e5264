#include "engine/files/MoveFileOrFolder.h"

#include "tests/engine/files/FileFunctionsFixture.h"

namespace {

using MoveFileOrFolderTest = FileFunctionsTest;

TEST_F(MoveFileOrFolderTest, MovesOnOneVolumeAndAcrossVolumes) {
    struct Case {
        const char* name;
        const char* to;
        char letter;
    };
    const Case cases[] = {{"one volume", "T:\\moved", 'T'}, {"across volumes", "U:\\moved", 'U'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write('T', "work/a.txt", "abc");
        write('T', "work/sub/b.txt", "b");
        const auto before = tree(host('T', "work"));
        TestPath source("T:\\work");
        TestPath destination(c.to);
        EXPECT_EQ(MoveFileOrFolder(source.get(), destination.get(), 0), kErrNone);
        EXPECT_FALSE(std::filesystem::exists(host('T', "work")));
        EXPECT_EQ(tree(host(c.letter, "moved")), before);
        std::filesystem::remove_all(host(c.letter, "moved"));
    }
}

TEST_F(MoveFileOrFolderTest, ChecksComeBeforeAnyChange) {
    write('T', "a.txt", "a");
    write('T', "b.txt", "b");
    struct Case {
        const char* name;
        const char* from;
        const char* to;
        u16 replace;
        EngineErr expected;
        std::string left;  // what b.txt holds afterwards
    };
    const Case cases[] = {
        {"same entry", "T:\\a.txt", "T:\\a.txt", 0, kErrNone, "b"},
        {"missing source", "T:\\none.txt", "T:\\b.txt", 1, kOsErrNotFound, "b"},
        {"destination exists", "T:\\a.txt", "T:\\b.txt", 0, kOsErrExists, "b"},
        {"replace", "T:\\a.txt", "T:\\b.txt", 1, kErrNone, "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPath from(c.from);
        TestPath to(c.to);
        EXPECT_EQ(MoveFileOrFolder(from.get(), to.get(), c.replace), c.expected);
        EXPECT_EQ(tree(host('T', "")).at("b.txt"), c.left);
    }
}

TEST_F(MoveFileOrFolderTest, AFailedCopyAcrossVolumesKeepsTheSource) {
    write('T', "work/a.txt", "abc");
    const auto before = tree(host('T', "work"));
    other_->setWriteProtected(true);
    TestPath source("T:\\work");
    TestPath destination("U:\\moved");
    EXPECT_NE(MoveFileOrFolder(source.get(), destination.get(), 0), kErrNone);
    EXPECT_EQ(tree(host('T', "work")), before);
}

TEST_F(MoveFileOrFolderTest, AFolderAndWhatLiesInsideItAreNeverMovedOntoEachOther) {
    struct Case {
        const char* name;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"onto the folder that holds it", "T:\\outer\\inner", "T:\\outer"},
        {"onto a folder inside it", "T:\\outer", "T:\\outer\\inner"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write('T', "outer/inner/work.txt", "work");
        write('T', "outer/other.txt", "other");
        const auto before = tree(host('T', "outer"));
        TestPath from(c.from);
        TestPath to(c.to);
        EXPECT_EQ(MoveFileOrFolder(from.get(), to.get(), 1), kOsErrBadPath);
        EXPECT_EQ(tree(host('T', "outer")), before);
    }
}

TEST_F(MoveFileOrFolderTest, ACopyAcrossVolumesThatFailsPartWayIsTakenAwayAgain) {
    // The file's name fits below the source folder but passes the path length below the
    // destination's longer name, so the copy fails after the destination folder was made.
    const std::string name(kMaxPathText - 20, 'n');
    write('T', "w/" + name, "late");
    write('T', "w/a.txt", "a");
    const auto before = tree(host('T', "w"));
    const std::string to = "U:\\" + std::string(40, 'd');
    TestPath source("T:\\w");
    TestPath destination(to.c_str());
    ASSERT_FALSE(destination.empty());
    EXPECT_EQ(MoveFileOrFolder(source.get(), destination.get(), 0), kOsErrBadPath);
    EXPECT_EQ(tree(host('T', "w")), before);
    EXPECT_TRUE(tree(second_).empty()) << "nothing half moved is left on the other volume";
}

TEST_F(MoveFileOrFolderTest, ASourceInUseLeavesTheFileItWouldReplace) {
    write('T', "a.txt", "a");
    write('T', "b.txt", "b");
    TestPath from("T:\\a.txt");
    TestPath to("T:\\b.txt");
    OsFile* open = osOpenFile(from.get(), kOsOpenRead | kOsOpenShareRead);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(MoveFileOrFolder(from.get(), to.get(), 1), kOsErrInUse);
    osCloseFile(open, 1);
    EXPECT_EQ(tree(host('T', "")), (std::map<std::string, std::string>{{"a.txt", "a"}, {"b.txt", "b"}}));
}

TEST_F(MoveFileOrFolderTest, ALinkIsNotMovedAcrossVolumesAsNothing) {
    write('T', "outside/precious.txt", "mine");
    std::filesystem::create_directory_symlink(host('T', "outside"), host('T', "link"));
    TestPath source("T:\\link");
    TestPath destination("U:\\moved");
    EXPECT_EQ(MoveFileOrFolder(source.get(), destination.get(), 0), kOsErrWrongKind);
    EXPECT_TRUE(std::filesystem::is_symlink(host('T', "link")));
    EXPECT_TRUE(tree(second_).empty());
}

}  // namespace
