#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files/Files.h"

namespace fs = std::filesystem;

namespace {

struct FileCopy : ::testing::Test {
    fs::path root;
    void SetUp() override {
        root = fs::temp_directory_path() / ("file-copy-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }
    static std::string text(const fs::path& p) { return plat::textOfHostPath(p.string()); }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
};

}  // namespace

TEST_F(FileCopy, CopiesBytesAndPermissionsOfAnySize) {
    // Empty, one byte, one chunk, and a chunk and one byte.
    for (size_t size : {size_t(0), size_t(1), size_t(65536), size_t(65537)}) {
        SCOPED_TRACE(size);
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = char(i * 7);
        write(root / "from", bytes);
        fs::permissions(root / "from", fs::perms(0750));
        ASSERT_EQ(plat::fileCopyNew(text(root / "from"), text(root / "to")), plat::kSysOk);
        EXPECT_EQ(read(root / "to"), bytes);
        EXPECT_EQ(fs::status(root / "to").permissions() & fs::perms(0777), fs::perms(0750));
        fs::remove(root / "to");
    }
    // Others never get to write to a copy.
    write(root / "open", "x");
    fs::permissions(root / "open", fs::perms(0666));
    ASSERT_EQ(plat::fileCopyNew(text(root / "open"), text(root / "to")), plat::kSysOk);
    EXPECT_EQ(fs::status(root / "to").permissions() & fs::perms(0777), fs::perms(0644));
}

TEST_F(FileCopy, RefusesToReplaceAndLeavesTheTargetAlone) {
    write(root / "from", "new");
    write(root / "to", "old");
    EXPECT_EQ(plat::fileCopyNew(text(root / "from"), text(root / "to")), plat::kSysFileExists);
    EXPECT_EQ(read(root / "to"), "old");
}

TEST_F(FileCopy, MissingSourceMakesNoTarget) {
    EXPECT_NE(plat::fileCopyNew(text(root / "nothing"), text(root / "to")), plat::kSysOk);
    EXPECT_FALSE(fs::exists(root / "to"));
}
