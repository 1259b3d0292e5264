#include "engine/files/FileRoom.h"

#include <filesystem>

#include "tests/engine/files/FileFunctionsFixture.h"

namespace {

using FileRoom = FileFunctionsTest;

TEST_F(FileRoom, WritableMeansAbsentOrAPlainWritableFile) {
    write('T', "plain.txt", "x");
    write('T', "locked.txt", "x");
    std::filesystem::permissions(host('T', "locked.txt"), std::filesystem::perms::owner_write |
                                                              std::filesystem::perms::group_write |
                                                              std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    std::filesystem::create_directories(host('T', "folder"));
    struct Case {
        const char* path;
        u16 writable;
    };
    const Case cases[] = {{"T:\\absent.txt", 1}, {"T:\\plain.txt", 1}, {"T:\\locked.txt", 0}, {"T:\\folder", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        TestPath path(c.path);
        EXPECT_EQ(IsPathWritable(path.get()), c.writable);
    }
}

}  // namespace
