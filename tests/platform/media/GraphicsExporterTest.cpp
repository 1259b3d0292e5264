#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

#include "platform/media/GraphicsExporter.h"

namespace pm = plat::media;

namespace {

class ReplaceFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / "graphics_exporter_test";
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        savedMask_ = umask(022);
    }
    void TearDown() override {
        umask(savedMask_);
        std::filesystem::remove_all(folder_);
    }
    static mode_t modeOf(const std::string& path) {
        struct stat st {};
        stat(path.c_str(), &st);
        return st.st_mode & 07777;
    }
    static std::string contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::path folder_;
    mode_t savedMask_ = 0;
};

}  // namespace

// The picture written through a temporary file gets the permissions any new file gets, or keeps
// those of the file it replaces, so that other users and programs read it as before.
TEST_F(ReplaceFile, ANewFileGetsTheUsualPermissionsAndAReplacedOneKeepsItsOwn) {
    const uint8_t bytes[] = {'p', 'i', 'c'};
    const std::string fresh = (folder_ / "fresh.png").string();
    ASSERT_EQ(pm::replaceFileWith(fresh, bytes, sizeof bytes), pm::kMrNoErr);
    EXPECT_EQ(modeOf(fresh), mode_t(0644));
    EXPECT_EQ(contents(fresh), "pic");

    const std::string kept = (folder_ / "kept.png").string();
    std::ofstream(kept) << "old";
    ASSERT_EQ(chmod(kept.c_str(), 0640), 0);
    ASSERT_EQ(pm::replaceFileWith(kept, bytes, sizeof bytes), pm::kMrNoErr);
    EXPECT_EQ(modeOf(kept), mode_t(0640));
    EXPECT_EQ(contents(kept), "pic");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 2);
}
