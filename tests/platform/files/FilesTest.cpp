#include "platform/files/Files.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/drives/Drives.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

// A scratch folder that plays drive T:.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tumblo-files-XXXXXX";
        root_ = ::mkdtemp(pattern);
        drive_ = std::make_unique<FakeDrive>('T', FakeDisc{root_, "SCRATCH", 1234}, DriveType::Fixed);
    }
    void TearDown() override {
        drive_.reset();
        fs::permissions(root_, fs::perms::all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    void put(const std::string& hostName, const std::string& content = "x") {
        std::ofstream(root_ + "/" + hostName) << content;
    }
    FileHandle open(const std::string& text, uint32_t access, uint32_t share,
                    FileDisposition disposition = FileDisposition::OpenExisting, SysErr expected = kSysOk) {
        FileHandle file = kNoFile;
        EXPECT_EQ(fileOpen(text, access, share, disposition, &file), expected) << text;
        return file;
    }

    std::string root_;
    std::unique_ptr<FakeDrive> drive_;
};

TEST_F(FilesTest, ShareModesRefuseConflictingOpens) {
    put("a.txt");
    const FileHandle reader = open("T:\\a.txt", kFileAccessRead, kFileShareRead);
    open("T:\\a.txt", kFileAccessWrite, kFileShareRead | kFileShareWrite, FileDisposition::OpenExisting,
         kSysSharingViolation);
    // A second reader must share the first one's reading.
    open("T:\\a.txt", kFileAccessRead, 0, FileDisposition::OpenExisting, kSysSharingViolation);
    const FileHandle second = open("T:\\a.txt", kFileAccessRead, kFileShareRead);
    EXPECT_EQ(fileClose(second), kSysOk);
    EXPECT_EQ(fileClose(reader), kSysOk);
    const FileHandle writer = open("T:\\a.txt", kFileAccessWrite, 0);
    EXPECT_EQ(fileClose(writer), kSysOk);
}

TEST_F(FilesTest, OpenFileCannotBeDeletedOrRenamed) {
    put("a.txt");
    const FileHandle file = open("T:\\a.txt", kFileAccessRead, kFileShareRead | kFileShareWrite);
    EXPECT_EQ(fileDelete("T:\\a.txt"), kSysSharingViolation);
    EXPECT_EQ(fileRenameNoReplace("T:\\a.txt", "T:\\b.txt"), kSysSharingViolation);
    fileClose(file);
    EXPECT_EQ(fileDelete("T:\\a.txt"), kSysOk);
}

TEST_F(FilesTest, CreatedFoldersAreTheUsersAndFilesOnlyHeWrites) {
    struct Case {
        mode_t umask;
        fs::perms file;
    };
    const fs::perms ownerReadWrite = fs::perms::owner_read | fs::perms::owner_write;
    const Case cases[] = {{0, ownerReadWrite | fs::perms::group_read | fs::perms::others_read},
                          {022, ownerReadWrite | fs::perms::group_read | fs::perms::others_read},
                          {077, ownerReadWrite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.umask);
        const std::string name = "new" + std::to_string(c.umask);
        const mode_t previous = ::umask(c.umask);
        fileClose(open("T:\\" + name + ".txt", kFileAccessWrite, 0, FileDisposition::CreateNew));
        fileClose(open("T:\\" + name + ".ini", kFileAccessWrite, 0, FileDisposition::OpenAlways));
        EXPECT_EQ(folderCreate("T:\\" + name), kSysOk);
        ::umask(previous);
        EXPECT_EQ(fs::status(root_ + "/" + name + ".txt").permissions() & fs::perms::all, c.file);
        EXPECT_EQ(fs::status(root_ + "/" + name + ".ini").permissions() & fs::perms::all, c.file);
        EXPECT_EQ(fs::status(root_ + "/" + name).permissions() & fs::perms::all, fs::perms::owner_all);
    }
}

TEST_F(FilesTest, DispositionsFollowTheEntry) {
    put("a.txt");
    open("T:\\a.txt", kFileAccessWrite, 0, FileDisposition::CreateNew, kSysFileExists);
    open("T:\\b.txt", kFileAccessRead, 0, FileDisposition::OpenExisting, kSysFileNotFound);
    open("T:\\nofolder\\b.txt", kFileAccessRead, 0, FileDisposition::OpenExisting, kSysPathNotFound);
    fileClose(open("T:\\b.txt", kFileAccessWrite, 0, FileDisposition::OpenAlways));
    EXPECT_TRUE(fs::exists(root_ + "/b.txt"));
    EXPECT_EQ(folderCreate("T:\\b.txt"), kSysAlreadyExists);
    // A pipe named like a file is refused at once, never waited on for a writer.
    ASSERT_EQ(::mkfifo((root_ + "/pipe.png").c_str(), 0600), 0);
    open("T:\\pipe.png", kFileAccessRead, 0, FileDisposition::OpenExisting, kSysAccessDenied);
    open("T:\\pipe.png", kFileAccessRead | kFileAccessWrite, 0, FileDisposition::OpenAlways, kSysAccessDenied);
}

TEST_F(FilesTest, NamesNotFoundAsWrittenMatchWithoutRegardToCase) {
    fs::create_directory(root_ + "/Paint");
    put("Paint/Pic.BMP", "hello");
    const FileHandle file = open("T:\\PAINT\\pic.bmp", kFileAccessRead, 0);
    char buffer[8] = {};
    uint32_t done = 0;
    EXPECT_EQ(fileRead(file, buffer, 8, &done), kSysOk);
    EXPECT_EQ(std::string(buffer, done), "hello");
    fileClose(file);
    uint32_t attributes = 0;
    EXPECT_EQ(fileGetAttributes("T:\\paint", &attributes), kSysOk);
    EXPECT_EQ(attributes & kFileAttrDirectory, kFileAttrDirectory);
}

TEST_F(FilesTest, Cp1252NamesAreUtf8OnDisk) {
    fileClose(open("T:\\Espa\xF1ol \x80.txt", kFileAccessWrite, 0, FileDisposition::CreateNew));
    EXPECT_TRUE(fs::exists(root_ + "/Espa\xC3\xB1ol \xE2\x82\xAC.txt"));
    FindData data;
    FindHandle find = kNoFind;
    ASSERT_EQ(findFirst("T:\\ESPA\xD1OL*", &data, &find), kSysOk);
    EXPECT_EQ(data.name, "Espa\xF1ol \x80.txt");
    findClose(find);
}

TEST_F(FilesTest, RenameNeverReplaces) {
    put("a.txt", "a");
    put("b.txt", "b");
    EXPECT_EQ(fileRenameNoReplace("T:\\a.txt", "T:\\b.txt"), kSysAlreadyExists);
    EXPECT_EQ(fileRenameNoReplace("T:\\a.txt", "T:\\A.TXT"), kSysOk);
    EXPECT_TRUE(fs::exists(root_ + "/A.TXT"));
    EXPECT_EQ(fileRenameNoReplace("T:\\A.TXT", "T:\\c.txt"), kSysOk);
    std::ifstream kept(root_ + "/b.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "b");
}

TEST_F(FilesTest, ReplacingAnOpenFileLetsItsHandleGoOnWithTheNewBytes) {
    put("a.kvr", "old bytes");
    put("a.kvr.tmp", "new bytes");
    const FileHandle file = open("T:\\a.kvr", kFileAccessRead | kFileAccessWrite, kFileShareRead);
    const FileHandle reader = open("T:\\a.kvr", kFileAccessRead, kFileShareRead | kFileShareWrite);
    // Another open of the target refuses, as for any replacement.
    EXPECT_EQ(fileReplaceOpen(file, "T:\\a.kvr.tmp", "T:\\a.kvr"), kSysSharingViolation);
    fileClose(reader);
    // The handle must stand for the target.
    put("b.txt", "b");
    EXPECT_EQ(fileReplaceOpen(file, "T:\\a.kvr.tmp", "T:\\b.txt"), kSysInvalidParameter);
    ASSERT_EQ(fileReplaceOpen(file, "T:\\a.kvr.tmp", "T:\\a.kvr"), kSysOk);
    EXPECT_FALSE(fs::exists(root_ + "/a.kvr.tmp"));
    uint64_t position = 0;
    ASSERT_EQ(fileSeek(file, 0, SeekOrigin::Start, &position), kSysOk);
    char bytes[9];
    uint32_t done = 0;
    ASSERT_EQ(fileRead(file, bytes, 9, &done), kSysOk);
    EXPECT_EQ(std::string(bytes, done), "new bytes");
    ASSERT_EQ(fileWrite(file, "!", 1, &done), kSysOk);
    EXPECT_EQ(fileFlush(file), kSysOk);
    EXPECT_EQ(folderFlushOf("T:\\a.kvr"), kSysOk);
    // The moved file is now the open one: deleting it is refused.
    EXPECT_EQ(fileDelete("T:\\a.kvr"), kSysSharingViolation);
    fileClose(file);
    std::ifstream moved(root_ + "/a.kvr");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(moved), {}), "new bytes!");
}

TEST_F(FilesTest, SearchesHandOutMatchesUntilNoMoreFiles) {
    fs::create_directory(root_ + "/dir");
    put("dir/one.txt", "12345");
    put("dir/two.dat");
    fs::create_directory(root_ + "/dir/sub");
    FindData data;
    FindHandle find = kNoFind;
    ASSERT_EQ(findFirst("T:\\dir\\*.*", &data, &find), kSysOk);
    std::map<std::string, FindData> seen{{data.name, data}};
    while (findNext(find, &data) == kSysOk) seen[data.name] = data;
    EXPECT_EQ(findNext(find, &data), kSysNoMoreFiles);
    findClose(find);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen["one.txt"].size, 5u);
    EXPECT_EQ(seen["sub"].attributes & kFileAttrDirectory, kFileAttrDirectory);
    EXPECT_TRUE(seen.count(".") && seen.count(".."));

    ASSERT_EQ(findFirst("T:\\dir\\*.TXT", &data, &find), kSysOk);
    EXPECT_EQ(data.name, "one.txt");
    EXPECT_EQ(findNext(find, &data), kSysNoMoreFiles);
    findClose(find);
    EXPECT_EQ(findFirst("T:\\dir\\*.bmp", &data, &find), kSysFileNotFound);
    EXPECT_EQ(findFirst("T:\\nodir\\*.*", &data, &find), kSysPathNotFound);
    // The drive root lists no dot entries.
    ASSERT_EQ(findFirst("T:\\*.*", &data, &find), kSysOk);
    EXPECT_EQ(data.name, "dir");
    findClose(find);
}

TEST_F(FilesTest, ReadOnlyAttributeProtectsAgainstDeletion) {
    put("a.txt");
    ASSERT_EQ(fileSetAttributes("T:\\a.txt", kFileAttrReadOnly), kSysOk);
    uint32_t attributes = 0;
    ASSERT_EQ(fileGetAttributes("T:\\a.txt", &attributes), kSysOk);
    EXPECT_EQ(attributes & kFileAttrReadOnly, kFileAttrReadOnly);
    EXPECT_EQ(fileDelete("T:\\a.txt"), kSysAccessDenied);
    ASSERT_EQ(fileSetAttributes("T:\\a.txt", kFileAttrNormal), kSysOk);
    // Writing comes back for the owner alone.
    EXPECT_EQ(fs::status(root_ + "/a.txt").permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                                               fs::perms::others_write),
              fs::perms::owner_write);
    EXPECT_EQ(fileDelete("T:\\a.txt"), kSysOk);
}

TEST_F(FilesTest, FolderRemovalNeedsAnEmptyFolder) {
    fs::create_directory(root_ + "/dir");
    put("dir/a.txt");
    EXPECT_EQ(folderRemove("T:\\dir"), kSysDirNotEmpty);
    EXPECT_EQ(folderRemove("T:\\dir\\a.txt"), kSysDirectoryInvalid);
    fs::remove(root_ + "/dir/a.txt");
    EXPECT_EQ(folderRemove("T:\\dir"), kSysOk);
}

TEST_F(FilesTest, WritesSeeksAndCutsAtThePosition) {
    const FileHandle file =
        open("T:\\data.bin", kFileAccessRead | kFileAccessWrite, 0, FileDisposition::CreateNew);
    uint32_t done = 0;
    EXPECT_EQ(fileWrite(file, "abcdef", 6, &done), kSysOk);
    uint64_t position = 0;
    EXPECT_EQ(fileSeek(file, 2, SeekOrigin::Start, &position), kSysOk);
    EXPECT_EQ(fileSetEnd(file), kSysOk);
    EXPECT_EQ(fileSeek(file, 0, SeekOrigin::End, &position), kSysOk);
    EXPECT_EQ(position, 2u);
    fileClose(file);
    const FileHandle reader = open("T:\\data.bin", kFileAccessRead, 0);
    EXPECT_EQ(fileWrite(reader, "x", 1, &done), kSysAccessDenied);
    fileClose(reader);
    EXPECT_EQ(fileClose(reader), kSysInvalidHandle);
}

TEST_F(FilesTest, HostPathsAndTextsMapThroughTheDrives) {
    EXPECT_EQ(textOfHostPath(root_ + "/Paint/pic.bmp"), "T:\\Paint\\pic.bmp");
    EXPECT_EQ(textOfHostPath(root_), "T:\\");
    EXPECT_EQ(textOfHostPath("/"), "C:\\");
    const std::string previous = currentFolderText();
    ASSERT_EQ(setCurrentFolder("T:\\"), kSysOk);
    EXPECT_EQ(currentFolderText(), "T:\\");
    ASSERT_EQ(setCurrentFolder(previous), kSysOk);
    EXPECT_FALSE(programFolderText().empty());
    EXPECT_EQ(programFolderText().substr(1, 2), ":\\");
}

TEST_F(FilesTest, ParentComponentsStopAtTheDriveRoot) {
    // A disc in a sub-folder, with a file beside that folder which no drive holds.
    fs::create_directory(root_ + "/disc");
    put("outside.txt");
    FakeDrive disc('U', FakeDisc{root_ + "/disc", "DISC", 99}, DriveType::Fixed);
    uint32_t attributes = 0;
    EXPECT_EQ(fileGetAttributes("U:\\..\\outside.txt", &attributes), kSysFileNotFound);
    EXPECT_EQ(fileDelete("U:\\..\\outside.txt"), kSysFileNotFound);
    EXPECT_TRUE(fs::exists(root_ + "/outside.txt"));
    EXPECT_EQ(hostPathOfText("U:\\..\\x.txt"), root_ + "/disc/x.txt");
}

TEST_F(FilesTest, FailedReadLeavesThePositionWhereItWas) {
    // The process's own memory read through the host: a page that is there, then one that is
    // not, gives a read that fails after moving part of the way.
    const long page = ::sysconf(_SC_PAGESIZE);
    auto* pages = static_cast<char*>(::mmap(nullptr, size_t(2 * page), PROT_READ | PROT_WRITE,
                                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ::munmap(pages + page, size_t(page));
    FakeDrive self('U', FakeDisc{"/proc/self", "SELF", 7}, DriveType::Fixed);
    const FileHandle memory = open("U:\\mem", kFileAccessRead, kFileShareRead);
    uint64_t position = 0;
    ASSERT_EQ(fileSeek(memory, int64_t(uintptr_t(pages)), SeekOrigin::Start, &position), kSysOk);
    std::vector<char> buffer(size_t(2 * page));
    uint32_t done = 0;
    EXPECT_NE(fileRead(memory, buffer.data(), uint32_t(2 * page), &done), kSysOk);
    EXPECT_EQ(fileSeek(memory, 0, SeekOrigin::Current, &position), kSysOk);
    EXPECT_EQ(position, uint64_t(uintptr_t(pages)));
    fileClose(memory);
    ::munmap(pages, size_t(page));
}

}  // namespace
}  // namespace plat
