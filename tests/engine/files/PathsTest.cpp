#include "engine/files/Paths.h"

#include "tests/engine/files/OsTestSupport.h"

namespace {

using Paths = OsFixture;

class ShortNamePaths : public OsFixture {
protected:
    ShortNamePaths() : OsFixture(plat::DriveType::Removable, "FLOPPY", "FAT", 12) {}
};

TEST_F(Paths, NormaliseDotsAndSlashes) {
    TestPath path("C:\\Games\\..\\Paint\\pic.bmp");
    EXPECT_EQ(path.text(), "\\Paint\\pic.bmp");
    OsVolumeInfo info{};
    ASSERT_EQ(osGetVolumeInfo(path.get()->record->volume, &info), kErrNone);
    EXPECT_EQ(info.drive, 3u);
    EXPECT_EQ(TestPath("C:/Paint/./pic.bmp").text(), "\\Paint\\pic.bmp");
    EXPECT_EQ(TestPath("C:\\").text(), "\\");
}

TEST_F(Paths, RefuseMalformedTexts) {
    for (const char* text : {"C:\\..\\x", "C:\\Paint\\", "C:\\a\\\\b", "", "\\\\server\\share\\x", "!:\\x"}) {
        TestPath path(text);
        EXPECT_TRUE(path.empty()) << text;
        EXPECT_EQ(pathGetLastError(), kOsErrBadPath) << text;
    }
}

TEST_F(Paths, RelativeTextsStartFromTheCurrentFolder) {
    TestPath folder("T:\\");
    ASSERT_EQ(pathSetCurrentDirectory(folder.get()), kErrNone);
    TestPath path("sub\\x.txt");
    EXPECT_EQ(path.text(), "\\sub\\x.txt");
    EXPECT_EQ(path.get()->record->volume, folder.get()->record->volume);
    EXPECT_EQ(TestPath("T:y.txt").text(), "\\y.txt");
}

TEST_F(Paths, JoinLimitsTheTextLength) {
    TestPath folder(("C:\\" + std::string(199, 'f')).c_str());
    ASSERT_EQ(folder.text().size(), 200u);
    TestPath tooLong;
    pathJoin(&tooLong, folder.get(), std::string(55, 'n').c_str());
    EXPECT_TRUE(tooLong.empty());
    EXPECT_EQ(pathGetLastError(), kOsErrBadPath);
    TestPath fits;
    pathJoin(&fits, folder.get(), std::string(54, 'n').c_str());
    EXPECT_EQ(fits.text().size(), 255u);
    TestPath root("C:\\");
    TestPath child;
    pathJoin(&child, root.get(), "a.txt");
    EXPECT_EQ(child.text(), "\\a.txt");
}

TEST_F(Paths, TextsOfAPath) {
    TestPath path("T:\\Paint\\pic.bmp");
    char buffer[300];
    ASSERT_EQ(pathGetFolderText(path.get(), buffer), kErrNone);
    EXPECT_STREQ(buffer, "/Paint");
    ASSERT_EQ(pathGetFileName(path.get(), buffer), kErrNone);
    EXPECT_STREQ(buffer, "pic.bmp");
    ASSERT_EQ(pathGetFullText(path.get(), buffer), kErrNone);
    EXPECT_STREQ(buffer, "T:\\Paint\\pic.bmp");
    TestPath inRoot("T:\\pic.bmp");
    pathGetFolderText(inRoot.get(), buffer);
    EXPECT_STREQ(buffer, "/");
}

TEST_F(Paths, CompareWithoutRegardToCaseOnTheSameVolume) {
    TestPath a("T:\\Paint\\Pic.bmp");
    TestPath b("t:\\paint\\PIC.BMP");
    TestPath c("C:\\Paint\\Pic.bmp");
    TestPath empty;
    EXPECT_EQ(pathCompare(a.get(), b.get()), kErrNone);
    EXPECT_EQ(pathCompare(a.get(), c.get()), kOsErrDifferent);
    EXPECT_EQ(pathCompare(a.get(), empty.get()), kOsErrBadPath);
}

TEST_F(Paths, LongNameRules) {
    EXPECT_EQ(pathIsValidName("pic|1.bmp", 0, nullptr), 0);
    EXPECT_EQ(pathIsValidName("name.", 0, nullptr), 0);
    EXPECT_EQ(pathIsValidName("name ", 0, nullptr), 0);
    EXPECT_EQ(pathIsValidName("a\x1f", 0, nullptr), 0);
    EXPECT_EQ(pathIsValidName("A long name.with.dots", 0, nullptr), 1);
}

TEST_F(ShortNamePaths, EightThreeRules) {
    TestPath root("T:\\");
    ASSERT_FALSE(root.empty()) << pathGetLastError();
    VolumeRecord* volume = root.get()->record->volume;
    EXPECT_EQ(pathIsValidName("LONGNAME1.TXT", 0, volume), 0);
    EXPECT_EQ(pathIsValidName("A.B.C", 0, volume), 0);
    EXPECT_EQ(pathIsValidName("READ ME.TXT", 0, volume), 1);
    EXPECT_EQ(pathIsValidName("NAME .TXT", 0, volume), 1);
    EXPECT_EQ(pathIsValidName("NAME ", 0, volume), 0);
    EXPECT_EQ(pathIsValidName(".TXT", 0, volume), 0);
    EXPECT_EQ(pathIsValidName("A+B", 0, volume), 0);
    EXPECT_EQ(pathIsValidName("~$(1)", 0, volume), 1);
}

TEST_F(Paths, FixedDriveWithoutLabelIsNamedAfterItsLetter) {
    TestPath path("C:\\");
    OsVolumeInfo info{};
    ASSERT_EQ(osGetVolumeInfo(path.get()->record->volume, &info), kErrNone);
    EXPECT_STREQ(info.name, "NONAME @C:");
    EXPECT_EQ(path.get()->record->volume->info.serial, u32('C'));
}

TEST_F(Paths, PathKeepsNamingItsDiscAcrossRemoval) {
    TestPath before("T:\\art\\a.bmp");
    VolumeRecord* disc1 = before.get()->record->volume;
    osEjectDrive(20);
    drive_->takeOut();
    drive_->insert(disc("DISC1", 1111, "disc1"));
    clock_.advance(5000);
    TestPath after("T:\\ART\\A.BMP");
    EXPECT_EQ(after.get()->record->volume, disc1);
    EXPECT_EQ(pathCompare(before.get(), after.get()), kErrNone);
}

TEST_F(Paths, WrongDiscIsAskedForThroughTheCallback) {
    put("a.txt", "abc");
    TestPath path("T:\\a.txt");
    VolumeRecord* disc1 = path.get()->record->volume;
    osActivateHandler(0);  // releases the lock: the disc may be exchanged
    osActivateHandler(1);
    drive_->insert(disc("DISC2", 2222, "disc2"));
    clock_.advance(5000);
    ScriptedErrorCallback callback;
    callback.answer = [this](const OsErrorRecord& record) {
        EXPECT_EQ(std::string(record.volume->info.name), "DISC1");
        drive_->insert(disc("DISC1", 1111, "disc1"));
        return u16(1);
    };
    EXPECT_EQ(pathCheckExists(path.get()), kErrNone);
    ASSERT_EQ(callback.asked.size(), 1u);
    EXPECT_EQ(callback.asked[0].kind, kOsErrorKindInsertVolume);
    EXPECT_EQ(callback.asked[0].volume, disc1);
    EXPECT_EQ(drive_->ejectCount(), 1);
    OsDriveInfo drive{};
    ASSERT_EQ(osGetDriveInfo(20, &drive), kErrNone);
    EXPECT_EQ(drive.volume, disc1);
    EXPECT_EQ(drive.kind, kDriveCdRom);
}

TEST_F(Paths, DecliningTheDiscLeavesTheDriveEmpty) {
    TestPath path("T:\\a.txt");
    osActivateHandler(0);
    osActivateHandler(1);
    drive_->insert(disc("DISC2", 2222, "disc2"));
    clock_.advance(5000);
    ScriptedErrorCallback callback;
    EXPECT_EQ(pathCheckExists(path.get()), kOsErrNotReady);
    OsDriveInfo drive{};
    osGetDriveInfo(20, &drive);
    EXPECT_EQ(drive.volume, nullptr);
}

TEST_F(Paths, FailedFreeSpaceQueryIsNotPlentyOfRoom) {
    TestPath path("T:\\");
    VolumeRecord* volume = path.get()->record->volume;
    EXPECT_GT(osGetVolumeFreeSpace(volume), 0u);
    drive_->failNext(plat::kSysNotReady, 1);
    EXPECT_EQ(osGetVolumeFreeSpace(volume), 0u);
    EXPECT_EQ(pathGetLastError(), kOsErrNotReady);
    EXPECT_EQ(osGetVolumeFreeSpace(nullptr), 0u);
    EXPECT_EQ(pathGetLastError(), kOsErrBadDrive);
}

TEST_F(Paths, VolumesAreFoundByNameAndForgottenWhenUnused) {
    TestPath path("T:\\");
    VolumeRecord* volume = osFindVolumeByName("disc1");
    ASSERT_EQ(volume, path.get()->record->volume);
    EXPECT_EQ(osFindVolumeByName("DISC9"), nullptr);
    EXPECT_EQ(pathGetLastError(), kOsErrNotFound);
    put("a.txt", "x");
    TestPath file("T:\\a.txt");
    OsFile* open = osOpenFile(file.get(), kOsOpenRead);
    EXPECT_EQ(osForgetVolume(volume), kOsErrInUse);
    osCloseFile(open, 0);
    TestPath c("C:\\");
    EXPECT_EQ(osForgetVolume(c.get()->record->volume), kOsErrAccessDenied);
}

TEST_F(Paths, DrivesAreEnumeratedInLetterOrder) {
    std::vector<u32> seen;
    osEnumDrives([](u32* drive, void* context) {
        static_cast<std::vector<u32>*>(context)->push_back(*drive);
        return u16(0);
    }, &seen);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 20u);
}

}  // namespace

namespace {

using VolumeTable = OsFixture;

// Every known volume is reached by its index, and the index after the last is refused.
TEST_F(VolumeTable, EntriesAreReachedByIndexUpToTheLast) {
    TestPath onC("C:\\Paint\\pic.bmp");
    TestPath onT("T:\\x.bmp");
    u32 count = 0;
    VolumeRecord* volume = nullptr;
    while (osGetVolumeEntry(count, &volume) == kErrNone) {
        ASSERT_NE(volume, nullptr);
        OsVolumeInfo info{};
        EXPECT_EQ(osGetVolumeInfo(volume, &info), kErrNone);
        ++count;
        ASSERT_LT(count, 100u);
    }
    EXPECT_GE(count, 2u);
    EXPECT_EQ(volume, nullptr);
    EXPECT_EQ(osGetVolumeEntry(count, &volume), kOsErrBadDrive);
    EXPECT_EQ(osGetVolumeEntry(count - 1, &volume), kErrNone);
}

}  // namespace
