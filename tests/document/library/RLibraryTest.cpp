// Library files: items added, read back, deleted; a damaged header refused; the libraries of
// a kind found installed first, then the user's.
#include <gtest/gtest.h>

#include "document/library/RLibrary.h"
#include "document/library/RLibraryMgr.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace {

using namespace Ostrel;
using Libraries = testdoc::DocumentFolderFixture;

std::vector<u8> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

TEST_F(Libraries, ItemsAddedReadAndDeleted) {
    EnginePath file(engineTextOfHostFolder(root_) + "\\Sounds.tbl");
    {
        RLibrary library;
        ASSERT_EQ(library.Create(file.get(), kTypeSound, kLibraryFlagThumbnails), kErrNone);
        EXPECT_EQ(library.AddItem(bytesOf("RIFFmoo"), testdoc::pictureBytes(2, 2, 9, false), "Cow"), 1);
        EXPECT_EQ(library.AddItem(bytesOf("RIFFbaa"), {}, "Sheep"), 2);
        EXPECT_EQ(library.DeleteEntry(1), kErrNone);
        EXPECT_EQ(library.DeleteEntry(1), kResErrNotFound);
        EXPECT_EQ(library.AddItem(bytesOf("RIFFoink"), {}, "Pig"), 3) << "ids are not given twice";
    }
    EXPECT_FALSE(RLibrary::IsMissing(file.get()));
    RLibrary library;
    ASSERT_EQ(library.Open(file.get(), true), kErrNone);
    EXPECT_EQ(library.Header(), (LibraryHeader{kTypeSound, kLibraryFlagThumbnails, 4, {{2, 0}, {3, 0}}}));
    std::vector<u8> name;
    ASSERT_EQ(library.ReadEntryThumbnail(3, kThumbnailName, &name), kErrNone);
    EXPECT_EQ(name, bytesOf("Pig"));
    EXPECT_NE(library.ReadEntryThumbnail(1, kThumbnailName, &name), kErrNone) << "deleted with its entry";
    auto object = library.CreateObjectForEntry(2);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Type(), kTypeSound);
    EXPECT_EQ(static_cast<RMediaFilePageObject*>(object.get())->media, bytesOf("RIFFbaa"));
    EXPECT_EQ(library.CreateObjectForEntry(1), nullptr);
    EXPECT_EQ(library.AddItem(bytesOf("x"), {}, "x"), 0) << "read-only";
    EXPECT_EQ(library.DeleteEntry(2), kResErrReadOnly);
}

TEST_F(Libraries, DamagedHeaderIsRefused) {
    std::vector<u8> header;
    ASSERT_EQ(writeLibraryHeader({kTypeStamp, 0, 3, {{1, 0}, {2, 0}}}, &header), kErrNone);
    header[header.size() - 3] = 1;  // the second id repeats the first
    auto image = std::make_shared<testres::FileImage>();
    image->bytes = testres::makeArchive({{kTypeLibraryHeader, 1, std::string(header.begin(), header.end()), {}}});
    RLibrary library;
    EXPECT_EQ(library.OpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "lib"), true), kDocErrDuplicate);
    image->bytes = testres::makeArchive({{kTypeSound, 1, "x", {}}});
    EXPECT_EQ(library.OpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "lib2"), true), kDocErrMissingMedia);
}

// An item whose add failed at any one change is no item: the next one takes its id and none
// of its resources.
TEST_F(Libraries, AFailedAddLeavesNothingForTheNextItem) {
    std::vector<u8> header;
    ASSERT_EQ(writeLibraryHeader({kTypeSound, kLibraryFlagThumbnails, 1, {}}, &header), kErrNone);
    bool added = false;
    for (long failing = 0; !added && failing < 200; ++failing) {
        auto image = std::make_shared<testres::FileImage>();
        image->bytes = testres::makeArchive({{kTypeLibraryHeader, 1, std::string(header.begin(), header.end()), {}}});
        RLibrary library;
        ASSERT_EQ(library.OpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "lib"), false), kErrNone);
        image->failingChange = image->changesMade + failing;
        added = library.AddItem(bytesOf("RIFFmoo"), testdoc::pictureBytes(2, 2, 9, false), "Cow") != 0;
        image->failingChange = -1;
        if (added) break;
        EXPECT_TRUE(library.Header().entries.empty()) << failing;
        ASSERT_EQ(library.AddItem(bytesOf("RIFFbaa"), {}, "Sheep"), 1) << failing;
        std::vector<u8> thumbnail;
        EXPECT_EQ(library.ReadEntryThumbnail(1, kThumbnailPicture, &thumbnail), kDocErrMissingMedia)
            << "the cow's picture is not the sheep's, after failing change " << failing;
        ASSERT_EQ(library.ReadEntryThumbnail(1, kThumbnailName, &thumbnail), kErrNone);
        EXPECT_EQ(thumbnail, bytesOf("Sheep"));
    }
    EXPECT_TRUE(added);
}

// A delete the file did not take leaves the item listed and whole, in memory as in the file,
// whichever change failed; once one goes through, the item is gone from both.
TEST_F(Libraries, AFailedDeleteKeepsTheItemInMemoryAsInTheFile) {
    std::vector<u8> header;
    ASSERT_EQ(writeLibraryHeader({kTypeSound, kLibraryFlagThumbnails, 1, {}}, &header), kErrNone);
    bool deleted = false;
    for (long failing = 0; !deleted && failing < 200; ++failing) {
        auto image = std::make_shared<testres::FileImage>();
        image->bytes = testres::makeArchive({{kTypeLibraryHeader, 1, std::string(header.begin(), header.end()), {}}});
        {
            RLibrary library;
            ASSERT_EQ(library.OpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "lib"), false), kErrNone);
            ASSERT_EQ(library.AddItem(bytesOf("RIFFmoo"), testdoc::pictureBytes(2, 2, 9, false), "Cow"), 1);
            image->failingChange = image->changesMade + failing;
            deleted = library.DeleteEntry(1) == kErrNone;
            image->failingChange = -1;
            EXPECT_EQ(library.Header().entries.size(), deleted ? 0u : 1u) << failing;
            if (!deleted) {
                std::vector<u8> name;
                EXPECT_EQ(library.ReadEntryThumbnail(1, kThumbnailName, &name), kErrNone) << failing;
                EXPECT_EQ(name, bytesOf("Cow")) << failing;
                EXPECT_NE(library.CreateObjectForEntry(1), nullptr) << failing;
            }
        }
        // Closing commits what memory holds: the file then agrees with what the library said.
        RLibrary reopened;
        ASSERT_EQ(reopened.OpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "lib"), true), kErrNone);
        EXPECT_EQ(reopened.Header().entries.size(), deleted ? 0u : 1u) << failing;
        EXPECT_EQ(reopened.CreateObjectForEntry(1) != nullptr, !deleted) << failing;
    }
    EXPECT_TRUE(deleted);
}

TEST_F(Libraries, InstalledLibrariesComeBeforeTheUsers) {
    Paths paths(roots());
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    write("prog/Library/Stamps/Animals.tbl", "");
    write("prog/Library/Stamps/Shapes.TBL", "");
    write("prog/Library/Stamps/readme.txt", "");
    write("data/tumblo4/Users/Ann/Library/Stamps/Mine.tbl", "");
    RLibraryMgr manager(paths);
    RLibraryMgr::Iteration state;
    std::string name;
    u16 kind = 0;
    std::vector<std::pair<std::string, u16>> seen;
    while (manager.NextLibraryItem(&state, kTypeStamp, &name, &kind)) seen.emplace_back(name, kind);
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, u16>>{
                        {"Animals.tbl", kLibraryOnDisk}, {"Shapes.TBL", kLibraryOnDisk}, {"Mine.tbl", kLibraryOfUser}}));
    EXPECT_EQ(manager.GetLibraryLocationKind(manager.FolderOf(kTypeStamp, kLibraryOfUser) + "\\Mine.tbl"), kLibraryOfUser);
    EXPECT_EQ(manager.GetLibraryLocationKind(manager.FolderOf(kTypeStamp, kLibraryOnDisk) + "\\Animals.tbl"), kLibraryOnDisk);
    RLibraryMgr::Iteration none;
    EXPECT_EQ(manager.NextLibraryItem(&none, kTypeText, &name, &kind), 0);
}

}  // namespace

// An installed item is named in both languages, a child's own in the one it was added under;
// deleting an item takes its Spanish name too.
TEST_F(Libraries, AnItemIsNamedInTheChildsLanguageWhenTheLibraryGivesOne) {
    std::vector<u8> header;
    ASSERT_EQ(writeLibraryHeader({kTypeSound, 0, 3, {{1, 0}, {2, 0}}}, &header), kErrNone);
    auto image = std::make_shared<testres::FileImage>();
    image->bytes = testres::makeArchive({{kTypeLibraryHeader, 1, std::string(header.begin(), header.end()), {}},
                                         {kTypeSound, 1, "RIFFmeow", {}}, {kTypeAltThumbnail, 1, "Cat", {}},
                                         {kTypeSpanishName, 1, "Gato", {}}, {kTypeSound, 2, "RIFFmine", {}},
                                         {kTypeAltThumbnail, 2, "Mine", {}}});
    RLibrary library;
    ASSERT_EQ(library.OpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "lib"), false), kErrNone);
    struct Case {
        u16 id;
        bool spanish;
        const char* name;
    };
    for (const Case c : {Case{1, false, "Cat"}, Case{1, true, "Gato"}, Case{2, true, "Mine"}, Case{2, false, "Mine"}}) {
        std::string name;
        EXPECT_EQ(library.ReadEntryName(c.id, c.spanish, &name), kErrNone) << c.name;
        EXPECT_EQ(name, c.name);
    }
    ASSERT_EQ(library.DeleteEntry(1), kErrNone);
    std::string name;
    EXPECT_NE(library.ReadEntryName(1, true, &name), kErrNone) << "gone with its item";
}
