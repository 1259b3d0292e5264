#include "engine/files/OsFiles.h"

#include <sys/stat.h>

#include "engine/files/OsRequests.h"
#include "tests/engine/files/OsTestSupport.h"

namespace {

class OsFiles : public OsFixture {
protected:
    OsFiles() : OsFixture(plat::DriveType::Fixed, "SCRATCH") {}

    OsFile* open(const char* text, u16 mode) {
        TestPath path(text);
        return osOpenFile(path.get(), mode);
    }
    void enterFolder(const char* text) {
        TestPath folder(text);
        ASSERT_EQ(pathSetCurrentDirectory(folder.get()), kErrNone);
    }
};

TEST_F(OsFiles, ShortReadReportsEndOfFile) {
    put("a.bin", std::string(160, 'x'));
    OsFile* file = open("T:\\a.bin", kOsOpenRead);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(osSeekFile(file, -60, kOsSeekEnd), 100);
    char buffer[100];
    u32 count = 100;
    EXPECT_EQ(osReadFile(file, buffer, &count), kOsErrEndOfFile);
    EXPECT_EQ(count, 60u);
    EXPECT_EQ(osCloseFile(file, 0), kErrNone);
}

// On both sides of the size read on the calling thread: the bytes at the offset, a short read
// at the end, a device fault asked about once and the read retried, the position untouched.
TEST_F(OsFiles, PositionedReadsOnBothSidesOfTheCallerLimit) {
    constexpr u32 kLimit = asyncReadFileAt::kCallerLimit;
    std::string content(kLimit + 64, '\0');
    for (size_t i = 0; i < content.size(); ++i) content[i] = char(i * 7 + i / 251);
    put("a.bin", content);
    OsFile* file = open("T:\\a.bin", kOsOpenRead);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(osSeekFile(file, 5, kOsSeekStart), 5);
    ScriptedErrorCallback callback;
    callback.answer = [](const OsErrorRecord&) { return u16(1); };
    struct Case {
        u32 offset;
        u32 count;
        int faults;
        EngineErr result;
        u32 done;
    };
    const Case cases[] = {
        {0, kLimit, 0, kErrNone, kLimit},
        {63, kLimit + 1, 0, kErrNone, kLimit + 1},
        {64, kLimit, 1, kErrNone, kLimit},
        {1, kLimit + 1, 1, kErrNone, kLimit + 1},
        {100, kLimit, 0, kOsErrEndOfFile, kLimit - 36},
        {0, kLimit + 65, 0, kOsErrEndOfFile, kLimit + 64},
        {kLimit + 64, 1, 0, kOsErrEndOfFile, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset << "+" << c.count << " with " << c.faults << " faults");
        callback.asked.clear();
        drive_->failNext(plat::kSysIoDevice, c.faults);
        std::string buffer(c.count, '?');
        u32 count = c.count;
        EXPECT_EQ(osReadFileAt(file, c.offset, buffer.data(), &count), c.result);
        ASSERT_EQ(count, c.done);
        EXPECT_TRUE(buffer.compare(0, count, content, c.offset, count) == 0);
        EXPECT_EQ(callback.asked.size(), size_t(c.faults));
    }
    EXPECT_EQ(osSeekFile(file, 0, kOsSeekCurrent), 5);
    EXPECT_EQ(osCloseFile(file, 0), kErrNone);
}

TEST_F(OsFiles, SeekBeyondTheEndStopsAtTheEnd) {
    put("a.bin", "0123456789");
    OsFile* file = open("T:\\a.bin", kOsOpenRead);
    EXPECT_EQ(osSeekFile(file, 11, kOsSeekStart), -1);
    EXPECT_EQ(pathGetLastError(), kOsErrEndOfFile);
    EXPECT_EQ(osSeekFile(file, 0, kOsSeekCurrent), 10);
    EXPECT_EQ(osSeekFile(file, -4, kOsSeekCurrent), 6);
    EXPECT_EQ(osGetFileSize(file), 10);
    EXPECT_EQ(osSeekFile(file, 0, kOsSeekCurrent), 6);
    osCloseFile(file, 0);
}

TEST_F(OsFiles, OpenModesCreateTruncateAndRefuse) {
    put("a.txt", "abc");
    EXPECT_EQ(open("T:\\a.txt", kOsOpenWrite | kOsOpenCreateNew), nullptr);
    EXPECT_EQ(pathGetLastError(), kOsErrExists);
    EXPECT_EQ(open("T:\\a.txt", kOsOpenRead | kOsOpenRefused), nullptr);
    EXPECT_EQ(pathGetLastError(), kOsErrModeRefused);
    EXPECT_EQ(open("T:\\missing.txt", kOsOpenRead), nullptr);
    EXPECT_EQ(pathGetLastError(), kOsErrNotFound);
    EXPECT_EQ(open("T:\\nofolder\\x.txt", kOsOpenRead), nullptr);
    EXPECT_EQ(pathGetLastError(), kOsErrPathNotFound);
    OsFile* file = open("T:\\a.txt", kOsOpenWrite | kOsOpenTruncate);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(osGetFileSize(file), 0);
    osCloseFile(file, 0);
    file = open("T:\\b.txt", kOsOpenWrite | kOsOpenAlways);
    ASSERT_NE(file, nullptr);
    u32 count = 2;
    EXPECT_EQ(osWriteFile(file, "hi", &count), kErrNone);
    osCloseFile(file, 0);
    EXPECT_EQ(read("b.txt"), "hi");
}

TEST_F(OsFiles, AppendModeStartsAtTheEnd) {
    put("a.txt", "abc");
    OsFile* file = open("T:\\a.txt", kOsOpenWrite | kOsOpenAtEnd);
    u32 count = 3;
    EXPECT_EQ(osWriteFile(file, "def", &count), kErrNone);
    osCloseFile(file, 0);
    EXPECT_EQ(read("a.txt"), "abcdef");
}

TEST_F(OsFiles, ShareModesOfEngineOpens) {
    put("a.txt", "abc");
    OsFile* reader = open("T:\\a.txt", kOsOpenRead | kOsOpenShareRead);
    EXPECT_EQ(open("T:\\a.txt", kOsOpenWrite | kOsOpenExclusive), nullptr);
    EXPECT_EQ(pathGetLastError(), kOsErrSharing);
    OsFile* second = open("T:\\a.txt", kOsOpenRead | kOsOpenShareRead);
    EXPECT_NE(second, nullptr);
    osCloseFile(second, 0);
    osCloseFile(reader, 0);
}

TEST_F(OsFiles, ResizeKeepsAPositionBelowTheNewSize) {
    put("a.bin", "0123456789");
    OsFile* file = open("T:\\a.bin", kOsOpenRead | kOsOpenWrite);
    osSeekFile(file, 8, kOsSeekStart);
    EXPECT_EQ(osSetFileSize(file, 4), kErrNone);
    EXPECT_EQ(osSeekFile(file, 0, kOsSeekCurrent), 4);
    osSeekFile(file, 2, kOsSeekStart);
    EXPECT_EQ(osSetFileSize(file, 20), kErrNone);
    EXPECT_EQ(osSeekFile(file, 0, kOsSeekCurrent), 2);
    EXPECT_EQ(osGetFileSize(file), 20);
    osCloseFile(file, 0);
}

TEST_F(OsFiles, BadObjectsAreRefused) {
    OsFile bogus{};
    u32 count = 1;
    char c;
    EXPECT_EQ(osReadFile(&bogus, &c, &count), kOsErrBadFile);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(osCloseFile(&bogus, 1), kOsErrBadFile);
    EXPECT_EQ(osSeekFile(&bogus, 0, kOsSeekStart), -1);
}

TEST_F(OsFiles, FilePathNamesTheOpenFile) {
    put("a.txt", "abc");
    OsFile* file = open("T:\\A.TXT", kOsOpenRead);
    TestPath path;
    ASSERT_EQ(osGetFilePath(file, &path), kErrNone);
    EXPECT_EQ(path.text(), "\\A.TXT");
    EXPECT_EQ(osLockFile(file, 0), kErrNone);
    osUnlockFile(file);
    osCloseFile(file, 0);
}

TEST_F(OsFiles, CreatingChecksTheKindThatExists) {
    put("a", "file");
    TestPath file("T:\\a");
    EXPECT_EQ(osCreatePath(file.get(), kOsKindFolder), kOsErrWrongKind);
    EXPECT_EQ(osCreatePath(file.get(), kOsKindFile), kOsErrExists);
    TestPath folder("T:\\dir");
    EXPECT_EQ(osCreatePath(folder.get(), kOsKindFolder), kErrNone);
    EXPECT_EQ(osCreatePath(folder.get(), kOsKindFolder), kOsErrExists);
    TestPath readOnly("T:\\dir\\ro.txt");
    EXPECT_EQ(osCreatePath(readOnly.get(), kOsKindFile | kOsKindReadOnly), kErrNone);
    u16 kind = 0;
    EXPECT_EQ(osGetPathKind(readOnly.get(), &kind), kErrNone);
    EXPECT_EQ(kind, kOsKindFile | kOsKindReadOnly);
    EXPECT_EQ(osGetPathKind(folder.get(), &kind), kErrNone);
    EXPECT_EQ(kind, kOsKindFolder);
    TestPath missing("T:\\none\\x");
    EXPECT_EQ(osCreatePath(missing.get(), kOsKindFile), kOsErrPathNotFound);
}

TEST_F(OsFiles, CreatedEntriesAreWritableByTheUserAlone) {
    const mode_t previous = ::umask(0);
    TestPath folder("T:\\shared");
    TestPath file("T:\\shared\\a.txt");
    EXPECT_EQ(osCreatePath(folder.get(), kOsKindFolder), kErrNone);
    EXPECT_EQ(osCreatePath(file.get(), kOsKindFile), kErrNone);
    ::umask(previous);
    namespace fs = std::filesystem;
    const std::string host = plat::driveHostRoot('T') + "/shared";
    EXPECT_EQ(fs::status(host).permissions() & fs::perms::all, fs::perms::owner_all);
    const auto fileBits = fs::status(host + "/a.txt").permissions() & fs::perms::all;
    EXPECT_EQ(fileBits & (fs::perms::group_write | fs::perms::others_write), fs::perms::none);
    EXPECT_EQ(fileBits & fs::perms::group_read, fs::perms::group_read);
}

TEST_F(OsFiles, LongestPathsFitTheirSystemTexts) {
    TestPath folder("T:\\a");
    ASSERT_EQ(osCreatePath(folder.get(), kOsKindFolder), kErrNone);
    TestPath path;
    pathJoin(&path, folder.get(), std::string(252, 'n').c_str());
    ASSERT_EQ(path.text().size(), 255u);
    EXPECT_EQ(osCreatePath(path.get(), kOsKindFile), kErrNone);
    OsFile* file = osOpenFile(path.get(), kOsOpenRead);
    ASSERT_NE(file, nullptr);
    TestPath again;
    EXPECT_EQ(osGetFilePath(file, &again), kErrNone);
    EXPECT_EQ(pathCompare(path.get(), again.get()), kErrNone);
    osCloseFile(file, 0);
    EXPECT_EQ(osDeletePath(path.get()), kErrNone);
}

TEST_F(OsFiles, FoldersInUseCannotBeDeleted) {
    TestPath folder("T:\\dir");
    osCreatePath(folder.get(), kOsKindFolder);
    enterFolder("T:\\dir");
    EXPECT_EQ(osDeletePath(folder.get()), kOsErrInUse);
    enterFolder("T:\\");
    put("dir/a.txt", "x");
    OsFile* file = open("T:\\dir\\a.txt", kOsOpenRead);
    EXPECT_EQ(osDeletePath(folder.get()), kOsErrInUse);
    TestPath inner("T:\\dir\\a.txt");
    EXPECT_EQ(osDeletePath(inner.get()), kOsErrInUse);
    osCloseFile(file, 0);
    EXPECT_EQ(osDeletePath(folder.get()), kOsErrAccessDenied);
    EXPECT_EQ(osDeletePath(inner.get()), kErrNone);
    EXPECT_EQ(osDeletePath(folder.get()), kErrNone);
    EXPECT_EQ(pathCheckExists(folder.get()), kOsErrNotFound);
    TestPath root("T:\\");
    EXPECT_EQ(osSetAttributes("T:\\", 0), kOsErrWrongKind);
}

TEST_F(OsFiles, RenameStaysInTheFolderAndNeverReplaces) {
    put("a.txt", "a");
    put("b.txt", "b");
    TestPath path("T:\\a.txt");
    EXPECT_EQ(osRenamePath(path.get(), "c|d.txt"), kOsErrInvalidName);
    EXPECT_EQ(osRenamePath(path.get(), "B.TXT"), kOsErrExists);
    EXPECT_EQ(osRenamePath(path.get(), "c.txt"), kErrNone);
    EXPECT_EQ(read("c.txt"), "a");
    TestPath readOnly("T:\\b.txt");
    osSetAttributes("T:\\b.txt", plat::kFileAttrReadOnly);
    EXPECT_EQ(osRenamePath(readOnly.get(), "d.txt"), kOsErrAccessDenied);
}

// A replacement left beside a file is removed when found; a user's own files beside it,
// however temporary their names look, are not.
TEST_F(OsFiles, OnlyAReplacementIsRemovedAsStale) {
    struct Case {
        const char* name;
        bool remains;
    };
    const Case cases[] = {
        {"picture.kvr.~tumblo.tmp", false},
        {"picture.kvr.tmp", true},
        {"picture.kvr.TMP", true},
        {"picture.kvr~", true},
        {"picture.kvr.~tumblo", true},
    };
    for (const Case& c : cases) {
        put("picture.kvr", "archive");
        put(c.name, "beside it");
        TestPath path("T:\\picture.kvr");
        osRemoveStaleReplacement(path.get());
        EXPECT_EQ(std::filesystem::exists(plat::driveHostRoot('T') + "/" + c.name), c.remains) << c.name;
        EXPECT_EQ(read("picture.kvr"), "archive") << c.name;
        std::filesystem::remove(plat::driveHostRoot('T') + "/" + c.name);
    }
}

TEST_F(OsFiles, SizesOfFilesAndFolders) {
    std::filesystem::create_directories(plat::driveHostRoot('T') + "/dir/sub");
    put("dir/a", std::string(10, 'a'));
    put("dir/sub/b", std::string(5, 'b'));
    TestPath folder("T:\\dir");
    TestPath file("T:\\dir\\a");
    TestPath missing("T:\\dir\\none");
    EXPECT_EQ(osGetPathSize(folder.get()), 15);
    EXPECT_EQ(osGetPathSize(file.get()), 10);
    EXPECT_EQ(osGetPathSize(missing.get()), -1);
    EXPECT_EQ(pathGetLastError(), kOsErrNotFound);
}

TEST_F(OsFiles, SizeOfAFileIsItsOwnAmongSimilarNames) {
    // The host keeps names that differ only in case, or hold search wildcards, apart.
    put("test.ini", std::string(5, 'a'));
    put("TEST.INI", std::string(10, 'b'));
    put("x*.ini", std::string(3, 'c'));
    put("xa.ini", std::string(7, 'd'));
    TestPath lower("T:\\test.ini");
    TestPath upper("T:\\TEST.INI");
    TestPath star("T:\\x*.ini");
    EXPECT_EQ(osGetPathSize(lower.get()), 5);
    EXPECT_EQ(osGetPathSize(upper.get()), 10);
    EXPECT_EQ(osGetPathSize(star.get()), 3);
}

TEST_F(OsFiles, SizeOfAFolderCountsWhatLinksReachOnlyOnce) {
    const std::string dir = plat::driveHostRoot('T') + "/dir";
    std::filesystem::create_directories(dir);
    put("dir/a", std::string(10, 'a'));
    // Host links back to the folder itself would make the count endless.
    std::filesystem::create_directory_symlink(".", dir + "/again");
    TestPath folder("T:\\dir");
    EXPECT_EQ(osGetPathSize(folder.get()), 10);
}

u16 collect(const char* name, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(name);
    return 0;
}

TEST_F(OsFiles, EnumerationOfTheCurrentFolder) {
    std::vector<std::string> names;
    enterFolder("T:\\");
    EXPECT_EQ(osEnumFiles(collect, &names), kErrNone);
    EXPECT_TRUE(names.empty());
    put("a.txt", "a");
    put("b.txt", "b");
    EXPECT_EQ(osEnumFolders(collect, &names), kErrNone);
    EXPECT_TRUE(names.empty());
    std::filesystem::create_directories(plat::driveHostRoot('T') + "/dir/sub");
    EXPECT_EQ(osEnumFolders(collect, &names), kErrNone);
    EXPECT_EQ(names, std::vector<std::string>{"dir"});
    int calls = 0;
    EXPECT_EQ(osEnumFiles([](const char*, void* context) {
        ++*static_cast<int*>(context);
        return u16(1);
    }, &calls), kErrNone);
    EXPECT_EQ(calls, 1);
    enterFolder("T:\\dir");
    names.clear();
    EXPECT_EQ(osEnumFolders(collect, &names), kErrNone);
    EXPECT_EQ(names, std::vector<std::string>{"sub"});
}

using OsFilesOnDisc = OsFixture;

TEST_F(OsFilesOnDisc, ForcedCloseFreesTheObjectEvenWhenClosingFails) {
    put("a.txt", "a");
    TestPath path("T:\\a.txt");
    OsFile* file = osOpenFile(path.get(), kOsOpenRead);
    ASSERT_NE(file, nullptr);
    // Without its lock and unused for a while, the disc is checked again before the close.
    osActivateHandler(0);
    osActivateHandler(1);
    clock_.advance(5000);
    drive_->failNext(plat::kSysIoDevice, 1);
    EXPECT_EQ(osCloseFile(file, 0), kOsErrSystem);
    EXPECT_EQ(file->tag, kFileTag);
    clock_.advance(5000);
    drive_->failNext(plat::kSysIoDevice, 1);
    EXPECT_EQ(osCloseFile(file, 1), kOsErrSystem);
    // The object is gone, so no open of it may stay behind to refuse others.
    OsFile* again = osOpenFile(path.get(), kOsOpenRead);
    EXPECT_NE(again, nullptr);
    osCloseFile(again, 1);
    EXPECT_EQ(osForgetVolume(path.get()->record->volume), kErrNone);
}

}  // namespace
