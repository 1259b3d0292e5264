// Libraries on the program's disc: listed between the installed ones and the user's, always
// opened read-only and left byte for byte as they were, and the disc asked for when another
// one is in the drive.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/library/RLibrary.h"
#include "document/library/RLibraryMgr.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/StorageErrors.h"
#include "platform/clock/Clock.h"
#include "platform/drives/Drives.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/engine/files/OsTestSupport.h"

namespace {

using namespace Ostrel;
namespace fs = std::filesystem;

// Drive T: plays the program's disc, a CD labelled "TUMBLO4" whose files lie in a host folder
// of their own.
class DiscLibraries : public testdoc::DocumentFolderFixture {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tumblo-disc-XXXXXX";
        discHost_ = ::mkdtemp(pattern);
        fs::create_directories(discHost_ + "/program/Library/Stamps");
        fs::create_directories(discHost_ + "/other");
        drive_ = std::make_unique<plat::FakeDrive>('T', programDisc(), plat::DriveType::CdRom);
        testdoc::DocumentFolderFixture::SetUp();
    }
    void TearDown() override {
        testdoc::DocumentFolderFixture::TearDown();
        drive_.reset();
        fs::remove_all(discHost_);
    }
    plat::FakeDisc programDisc() const { return {discHost_ + "/program", "TUMBLO4", 4444}; }
    plat::FakeDisc otherDisc() const { return {discHost_ + "/other", "PHOTOS", 5555}; }

    // Makes a stamp library of two items where it may be written, then puts it on the disc
    // as a pressing would: the bytes copied to the disc's folder.
    std::string pressStampLibrary(const std::string& name) {
        EnginePath scratch(engineTextOfHostFolder(root_) + "\\" + name);
        {
            RLibrary library;
            EXPECT_EQ(library.Create(scratch.get(), kTypeStamp, 0), kErrNone);
            EXPECT_EQ(library.AddItem(testdoc::pictureBytes(2, 2, 0x40, true), {}, "Lion"), 1);
            EXPECT_EQ(library.AddItem(testdoc::pictureBytes(3, 1, 0x50, true), {}, "Zebra"), 2);
        }
        const std::string pressed = discHost_ + "/program/Library/Stamps/" + name;
        fs::copy_file(root_ + "/" + name, pressed);
        return pressed;
    }
    static std::string hostBytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    plat::ScopedFakeClock clock_{100000};
    std::string discHost_;
    std::unique_ptr<plat::FakeDrive> drive_;
};

using Listed = std::vector<std::pair<std::string, u16>>;

Listed listStamps(const RLibraryMgr& manager) {
    RLibraryMgr::Iteration state;
    std::string name;
    u16 kind = 0;
    Listed seen;
    while (manager.NextLibraryItem(&state, kTypeStamp, &name, &kind)) seen.emplace_back(name, kind);
    return seen;
}

TEST_F(DiscLibraries, TheDiscsLibrariesComeBetweenTheInstalledAndTheUsers) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    write("prog/Library/Stamps/Farm.tbl", "");
    write("data/tumblo4/Users/Ann/Library/Stamps/Mine.tbl", "");
    pressStampLibrary("Zoo.tbl");
    RLibraryMgr manager(paths);
    EXPECT_EQ(listStamps(manager), (Listed{{"Farm.tbl", kLibraryOnDisk}, {"Mine.tbl", kLibraryOfUser}}))
        << "no disc is known yet";
    EnginePath disc("T:\\");
    ASSERT_FALSE(disc.empty());
    manager.SetProgramDisc(disc.get());
    EXPECT_EQ(listStamps(manager),
              (Listed{{"Farm.tbl", kLibraryOnDisk}, {"Zoo.tbl", kLibraryOnDisc}, {"Mine.tbl", kLibraryOfUser}}));
    manager.SetProgramDisc(EnginePath().get());
    EXPECT_EQ(listStamps(manager).size(), 2u) << "the disc forgotten";
}

TEST_F(DiscLibraries, ADiscLibraryOpensReadOnlyWhateverIsAskedAndStaysUntouched) {
    const std::string pressed = pressStampLibrary("Zoo.tbl");
    const std::string before = hostBytes(pressed);
    Paths paths(roots());
    RLibraryMgr manager(paths);
    EnginePath disc("T:\\");
    manager.SetProgramDisc(disc.get());
    struct Case {
        const char* what;
        bool viaManager;
    };
    for (const Case c : {Case{"through the manager", true}, Case{"opened by path for writing", false}}) {
        SCOPED_TRACE(c.what);
        RLibrary library;
        if (c.viaManager) {
            ASSERT_EQ(manager.OpenLibrary(kTypeStamp, kLibraryOnDisc, "Zoo.tbl", false, &library), kErrNone);
        } else {
            EnginePath file("T:\\Library\\Stamps\\Zoo.tbl");
            ASSERT_EQ(library.Open(file.get(), false), kErrNone);
        }
        EXPECT_TRUE(library.IsReadOnly());
        EXPECT_EQ(library.Header().entries.size(), 2u);
        std::vector<u8> name;
        ASSERT_EQ(library.ReadEntryThumbnail(2, kThumbnailName, &name), kErrNone);
        EXPECT_EQ(std::string(name.begin(), name.end()), "Zebra");
        auto stamp = library.CreateObjectForEntry(1);
        ASSERT_NE(stamp, nullptr);
        EXPECT_EQ(stamp->Type(), kTypeMovableBitmap);
        EXPECT_EQ(library.AddItem(testdoc::pictureBytes(1, 1, 1, true), {}, "Cat"), 0);
        EXPECT_EQ(library.DeleteEntry(1), kResErrReadOnly);
        EXPECT_EQ(library.SaveHeader(), kResErrReadOnly);
    }
    EXPECT_EQ(hostBytes(pressed), before);
}

TEST_F(DiscLibraries, AnotherDiscInTheDriveIsAnsweredByAskingForTheProgramsDisc) {
    pressStampLibrary("Zoo.tbl");
    Paths paths(roots());
    RLibraryMgr manager(paths);
    EnginePath disc("T:\\");
    manager.SetProgramDisc(disc.get());
    // The lock is released, as when the program loses the focus, and the disc exchanged.
    osActivateHandler(0);
    osActivateHandler(1);
    drive_->insert(otherDisc());
    clock_.advance(5000);
    {
        ScriptedErrorCallback refused;
        EnginePath folder;
        EXPECT_NE(manager.OpenLibraryWithDiscPrompt(kTypeStamp, folder.get()), kErrNone);
        EXPECT_EQ(refused.asked.size(), 1u);
        EXPECT_TRUE(listStamps(manager).empty()) << "nothing is listed from a disc that cannot be had";
    }
    ScriptedErrorCallback inserted;
    inserted.answer = [this](const OsErrorRecord& record) {
        EXPECT_EQ(std::string(record.volume->info.name), "TUMBLO4");
        drive_->insert(programDisc());
        return u16(1);
    };
    RLibrary library;
    ASSERT_EQ(manager.OpenLibrary(kTypeStamp, kLibraryOnDisc, "Zoo.tbl", true, &library), kErrNone);
    ASSERT_GE(inserted.asked.size(), 1u);
    EXPECT_EQ(inserted.asked[0].kind, kOsErrorKindInsertVolume);
    EXPECT_EQ(library.Header().entries.size(), 2u);
}

TEST_F(DiscLibraries, AKindWithoutALibraryFolderHasNoneOnTheDiscEither) {
    Paths paths(roots());
    RLibraryMgr manager(paths);
    EnginePath folder;
    EXPECT_EQ(manager.OpenLibraryWithDiscPrompt(kTypeStamp, folder.get()), kDocErrNoDisc) << "no disc known";
    EnginePath disc("T:\\");
    manager.SetProgramDisc(disc.get());
    EXPECT_EQ(manager.OpenLibraryWithDiscPrompt(kTypeText, folder.get()), kDocErrNoDisc);
    EXPECT_EQ(manager.OpenLibraryWithDiscPrompt(kTypeStamp, folder.get()), kErrNone);
    EXPECT_FALSE(folder.empty());
}

}  // namespace
