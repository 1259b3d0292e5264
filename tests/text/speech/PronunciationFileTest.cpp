#include "text/speech/PronunciationFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/drives/Drives.h"

namespace {

namespace fs = std::filesystem;
using namespace plat;

// A scratch folder that plays drive T:.
class PronunciationFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tumblo-words-XXXXXX";
        root_ = ::mkdtemp(pattern);
        drive_ = std::make_unique<FakeDrive>('T', FakeDisc{root_, "SCRATCH", 1234}, DriveType::Fixed);
    }
    void TearDown() override {
        drive_.reset();
        fs::remove_all(root_);
    }

    std::string root_;
    std::unique_ptr<FakeDrive> drive_;
};

const std::vector<Pronunciation> kList = {{"gif", "jif", 0, 0}, {"queso", "keso", 0, 1}};

TEST_F(PronunciationFileTest, ASavedListLoadsBackAndLeavesNoTemporaryFile) {
    ASSERT_EQ(savePronunciationFile("T:\\Words.dic", {{"old", "ould", 0, 0}}), kSysOk);
    ASSERT_EQ(savePronunciationFile("T:\\Words.dic", kList), kSysOk);
    PronunciationDecoding read;
    ASSERT_EQ(loadPronunciationFile("T:\\Words.dic", read), kSysOk);
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.entries, kList);
    EXPECT_EQ(std::distance(fs::directory_iterator(root_), fs::directory_iterator()), 1);
}

TEST_F(PronunciationFileTest, AFailedSaveKeepsTheOldFileWholeAndSaysSo) {
    ASSERT_EQ(savePronunciationFile("T:\\Words.dic", kList), kSysOk);
    drive_->setWriteProtected(true);
    EXPECT_NE(savePronunciationFile("T:\\Words.dic", {{"new", "noo", 0, 0}}), kSysOk);
    drive_->setWriteProtected(false);
    PronunciationDecoding read;
    ASSERT_EQ(loadPronunciationFile("T:\\Words.dic", read), kSysOk);
    EXPECT_EQ(read.entries, kList);
}

TEST_F(PronunciationFileTest, ATooLongTextIsRefusedBeforeTheFileIsTouched) {
    ASSERT_EQ(savePronunciationFile("T:\\Words.dic", kList), kSysOk);
    EXPECT_EQ(savePronunciationFile("T:\\Words.dic", {{std::string(kPronunciationTextLimit, 'a'), "b", 0, 0}}),
              kSysInvalidData);
    PronunciationDecoding read;
    ASSERT_EQ(loadPronunciationFile("T:\\Words.dic", read), kSysOk);
    EXPECT_EQ(read.entries, kList);
}

TEST_F(PronunciationFileTest, FilesUpToTheSizeLimitAreReadAndLargerOnesRefused) {
    struct Case {
        uint64_t size;
        SysErr expected;
    };
    const Case cases[] = {{kPronunciationFileLimit, kSysOk}, {kPronunciationFileLimit + 1ull, kSysInvalidData}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::ofstream(root_ + "/Big.dic").put('\0');
        fs::resize_file(root_ + "/Big.dic", c.size);
        PronunciationDecoding read;
        read.entries = {{"untouched", "", 0, 0}};
        EXPECT_EQ(loadPronunciationFile("T:\\Big.dic", read), c.expected);
        // Zeros read as an empty older-form list.
        EXPECT_EQ(read.entries.empty(), c.expected == kSysOk);
    }
}

TEST_F(PronunciationFileTest, AMissingFileIsReportedAsNotFound) {
    PronunciationDecoding read;
    EXPECT_EQ(loadPronunciationFile("T:\\Words.dic", read), kSysFileNotFound);
}

}  // namespace
