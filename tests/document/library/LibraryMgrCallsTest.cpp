// The library manager's calls for the panels: entries by running number over every location,
// the kind's current library, and the user's own library that recorded items go into.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include "document/library/AddUserLibraryItem.h"
#include "document/library/RLibraryMgr.h"
#include "document/storage/ObjectTypes.h"
#include "document/users/UserNames.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using LibraryCalls = testdoc::DocumentFolderFixture;

TEST_F(LibraryCalls, EntriesByRunningNumberAndTheCurrentLibrary) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    write("prog/Library/Stamps/Animals.tbl", "");
    write("data/tumblo4/Users/Ann/Library/Stamps/Mine.tbl", "");
    RLibraryMgr manager(paths);
    std::string path;
    u16 kind = 0;
    const struct {
        u32 position;
        i32 result;
        std::string path;
        u16 kind;
    } cases[] = {
        {0, 0, manager.FolderOf(kTypeStamp, kLibraryOnDisk) + "\\Animals.tbl", kLibraryOnDisk},
        {1, 0, manager.FolderOf(kTypeStamp, kLibraryOfUser) + "\\Mine.tbl", kLibraryOfUser},
        {2, kNoLibraryEntry, "", 0},
    };
    for (const auto& c : cases) {
        path.clear();
        kind = 0;
        EXPECT_EQ(manager.GetLibraryEntryPath(kTypeStamp, c.position, &path, &kind), c.result) << c.position;
        EXPECT_EQ(path, c.path) << c.position;
        EXPECT_EQ(kind, c.kind) << c.position;
    }
    ASSERT_EQ(manager.GetCurrentLibrary(kTypeStamp, &path, &kind), kErrNone);
    EXPECT_EQ(kind, kLibraryOnDisk) << "the first one until another is loaded";
    ASSERT_EQ(manager.LoadLibraryItem(kTypeStamp, 1, &path, &kind), 0);
    ASSERT_EQ(manager.GetCurrentLibrary(kTypeStamp, &path, &kind), kErrNone);
    EXPECT_EQ(kind, kLibraryOfUser);
    EXPECT_EQ(manager.LoadLibraryItem(kTypeStamp, 5, &path, &kind), kNoLibraryEntry);
    EXPECT_EQ(manager.GetCurrentLibrary(kTypeSound, &path, &kind), kDocErrNoLibrary);
}

TEST_F(LibraryCalls, TheUsersOwnLibraryTakesRecordedItems) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    RLibraryMgr manager(paths);
    RLibrary library;
    std::string path;
    EXPECT_NE(manager.OpenDefaultLibraryForType(kTypeSound, &library, &path), kErrNone) << "not made yet";
    EXPECT_EQ(path, manager.FolderOf(kTypeSound, kLibraryOfUser) + "\\Ann Library.tbl");
    EnginePath file(path);
    ASSERT_EQ(library.Create(file.get(), kTypeSound, kLibraryFlagThumbnails), kErrNone);
    const std::vector<u8> take{'R', 'I', 'F', 'F'};
    u16 id = 0;
    ASSERT_EQ(AddToUserLibrary(library, take, {}, "Take", &id), kErrNone);
    EXPECT_EQ(id, 1);
    ASSERT_EQ(manager.OpenDefaultLibraryForType(kTypeSound, &library, &path), kErrNone);
    EXPECT_EQ(library.Header().entries.size(), 1u);
    RLibrary readOnly;
    ASSERT_EQ(readOnly.Open(file.get(), true), kErrNone);
    EXPECT_EQ(AddToUserLibrary(readOnly, take, {}, "Take", &id), kResErrReadOnly);
    EXPECT_EQ(id, 0);

    // A child whose name is beyond ASCII: her folder and library are named in UTF-8 on the disc.
    Paths hers(roots());
    ASSERT_EQ(hers.SelectUserFolder("Bego\xF1" "a"), kErrNone);
    RLibrary herLibrary;
    RLibraryMgr(hers).OpenDefaultLibraryForType(kTypeSound, &herLibrary, &path);
    ASSERT_EQ(herLibrary.Create(EnginePath(path).get(), kTypeSound, kLibraryFlagThumbnails), kErrNone);
    EXPECT_TRUE(std::filesystem::exists(root_ + "/data/tumblo4/Users/Begoña/Library/Sounds/Begoña Library.tbl"));

    // A disc that fills while the item is written is told as a full disc (the superuser lends
    // the library's folder a disc of its own, too small for the item).
    const std::string sounds = root_ + "/data/tumblo4/Users/Ann/Library/Sounds";
    if (::geteuid() == 0 && ::mount("tmpfs", sounds.c_str(), "tmpfs", 0, "size=64k") == 0) {
        EXPECT_EQ(AddUserLibraryItem(manager, kTypeSound, std::vector<u8>(256 * 1024, 7), {}, "Big"), kOsErrDiskFull);
        ::umount2(sounds.c_str(), MNT_DETACH);
    }

    // A postfix from the settings file cannot lead the library out of the user's folder.
    write("config/tumblo4/TB.ini", "[Paths2]\r\nUserLibPostfix=/../../x\r\n");
    EXPECT_EQ(manager.OpenDefaultLibraryForType(kTypeSound, &library, &path), kDocErrBadUserName);
}

}  // namespace
