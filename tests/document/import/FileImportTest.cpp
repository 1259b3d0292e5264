// Files brought into a page: kinds by file type, picture names, and the size limit.
#include <gtest/gtest.h>

#include "document/import/FileImport.h"
#include "document/library/RLibrary.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/pages/PageErrors.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "document/storage/StorageErrors.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using FileImport = testdoc::DocumentFolderFixture;

TEST(FileImportNames, KindsAndExtensions) {
    struct Case {
        FourCC file;
        bool movable;
        FourCC kind;
    };
    for (Case c : {Case{kFileTypeSound, false, kTypeSound}, Case{kFileTypeFlash, false, kTypeFlash},
                   Case{kFileTypeMovie, true, kTypeMovie}, Case{kFileTypeJpeg, false, kTypeBitmap},
                   Case{kFileTypeBmp, true, kTypeMovableBitmap}, Case{kFileTypePict, false, kTypeBitmap},
                   Case{kFileTypeGif, true, kTypeMovableBitmap}, Case{fourCC("TEXT"), false, 0}})
        EXPECT_EQ(FileTypeToResourceType(c.file, c.movable), c.kind) << c.file;
    EXPECT_EQ(EnsureNativeExtension("Cat"), "Cat.tbx");
    EXPECT_EQ(EnsureNativeExtension("Cat.TBX"), "Cat.TBX");
    EXPECT_EQ(EnsureNativeExtension("Cat.tbx.bak"), "Cat.tbx.bak.tbx");
    EXPECT_EQ(EnsureNativeExtension(".tbx"), ".tbx");
}

TEST_F(FileImport, SoundComesInAndGoesToTheLibrary) {
    write("moo.wav", "RIFF....WAVE");
    EnginePath file(engineTextOfHostFolder(root_) + "\\moo.wav");
    EnginePath libraryPath(engineTextOfHostFolder(root_) + "\\Sounds.tbl");
    RLibrary library;
    ASSERT_EQ(library.Create(libraryPath.get(), kTypeSound, 0), kErrNone);
    RPageData page;
    RPageObject* added = nullptr;
    ASSERT_EQ(ImportFileIntoPage(page, file.get(), kFileTypeSound, {1, 2, 3, 4}, &library, &added), kErrNone);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(static_cast<RMediaFilePageObject*>(added)->media, (std::vector<u8>{'R', 'I', 'F', 'F', '.', '.', '.', '.', 'W', 'A', 'V', 'E'}));
    EXPECT_EQ(library.Header().entries.size(), 1u);
    std::vector<u8> name;
    ASSERT_EQ(library.ReadEntryThumbnail(1, kThumbnailName, &name), kErrNone);
    EXPECT_EQ(std::string(name.begin(), name.end()), "moo.wav");
    EXPECT_EQ(ImportFileIntoPage(page, file.get(), kFileTypeJpeg, {}, nullptr, &added), kDocErrBadType);
    EXPECT_EQ(added, nullptr);
}

// An import that the library refuses is no import at all: the page stays as it was.
TEST_F(FileImport, ALibraryThatRefusesLeavesThePageAsItWas) {
    write("moo.wav", "RIFF....WAVE");
    EnginePath file(engineTextOfHostFolder(root_) + "\\moo.wav");
    EnginePath stampsPath(engineTextOfHostFolder(root_) + "\\Stamps.tbl");
    EnginePath soundsPath(engineTextOfHostFolder(root_) + "\\Sounds.tbl");
    {
        RLibrary sounds;
        ASSERT_EQ(sounds.Create(soundsPath.get(), kTypeSound, 0), kErrNone);
    }
    RLibrary stamps, readOnly;
    ASSERT_EQ(stamps.Create(stampsPath.get(), kTypeStamp, 0), kErrNone);
    ASSERT_EQ(readOnly.Open(soundsPath.get(), true), kErrNone);
    struct Case {
        RLibrary* library;
        EngineErr expected;
    } cases[] = {{&stamps, kDocErrBadType}, {&readOnly, kResErrReadOnly}};
    for (const Case& c : cases) {
        RPageData page;
        RPageObject* added = reinterpret_cast<RPageObject*>(1);
        EXPECT_EQ(ImportFileIntoPage(page, file.get(), kFileTypeSound, {}, c.library, &added), c.expected);
        EXPECT_EQ(added, nullptr);
        EXPECT_EQ(page.ObjectCount(), 0u);
        EXPECT_FALSE(page.IsDirty());
        EXPECT_TRUE(c.library->Header().entries.empty());
    }
    readOnly.Close();
    RLibrary sounds;
    ASSERT_EQ(sounds.Open(soundsPath.get(), false), kErrNone);
    RPageData full;
    while (full.ObjectCount() < kPageIndexMaxObjects) ASSERT_NE(full.AddObject(kTypeMovie, -1, {}, {}), nullptr);
    RPageObject* added = nullptr;
    EXPECT_EQ(ImportFileIntoPage(full, file.get(), kFileTypeSound, {}, &sounds, &added), kDocErrPageFull);
    EXPECT_TRUE(sounds.Header().entries.empty()) << "the item is taken out again";
}

TEST_F(FileImport, SizeLimitBothSides) {
    write("big.swf", "");
    std::filesystem::resize_file(root_ + "/big.swf", kImportMaxBytes);
    EnginePath file(engineTextOfHostFolder(root_) + "\\big.swf");
    RPageData page;
    RPageObject* added = nullptr;
    EXPECT_EQ(ImportFileIntoPage(page, file.get(), kFileTypeFlash, {}, nullptr, &added), kErrNone);
    std::filesystem::resize_file(root_ + "/big.swf", kImportMaxBytes + 1);
    EXPECT_EQ(ImportFileIntoPage(page, file.get(), kFileTypeFlash, {}, nullptr, &added), kDocErrBadSize);
    EXPECT_EQ(page.ObjectCount(), 1u);
}

TEST_F(FileImport, PictureNamesLieInThePicturesFolder) {
    Paths paths(roots());
    EXPECT_EQ(MakePictureFileName(paths, "Cat"), "") << "no user";
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    EXPECT_EQ(host(MakePictureFileName(paths, "Cat")), root_ + "/data/tumblo4/Users/Ann/Pictures/Cat.tbx");
}

}  // namespace
