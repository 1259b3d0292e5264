// Files brought into a page: kinds by file type, picture names, the size limit, sounds
// converted, and pictures through the installed reader.
#include <gtest/gtest.h>

#include "document/import/FileImport.h"
#include "document/library/RLibrary.h"
#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/PageIndex.h"
#include "document/storage/StorageErrors.h"
#include "engine/resources/format/ArchiveFormat.h"
#include "sound/import/SoundImport.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/sound/import/SoundFileBytes.h"

namespace {

using namespace Ostrel;

class FileImport : public testdoc::DocumentFolderFixture {
protected:
    void TearDown() override {
        SetPictureFileReader(nullptr);
        DocumentFolderFixture::TearDown();
    }
    void writeBytes(const std::string& name, const std::vector<u8>& bytes) const {
        write(name, std::string(bytes.begin(), bytes.end()));
    }
    EnginePath file(const std::string& name) const { return EnginePath(engineTextOfHostFolder(root_) + "\\" + name); }
};

// What the picture reader was asked, and what it answers.
struct ReaderCall {
    std::string path;
    PageRect target;
};
ReaderCall gLastCall;
EngineErr gReaderAnswer = kErrNone;

EngineErr fakeReader(const std::string& path, const PageRect& target, u32, PictureRecord* picture, PageRect* placed) {
    gLastCall = {path, target};
    if (gReaderAnswer != kErrNone) return gReaderAnswer;
    picture->width = 2;
    picture->height = 1;
    picture->pixels = {255, 0, 0, 255, 0, 0, 255, 255};
    *placed = {i16(target.left + 1), i16(target.top + 2), i16(target.left + 3), i16(target.top + 3)};
    return kErrNone;
}

TEST(FileImportNames, KindsAndExtensions) {
    struct Case {
        FourCC file;
        bool movable;
        FourCC kind;
    };
    for (Case c : {Case{kFileTypeSound, false, kTypeSound}, Case{kFileTypeFlash, false, kTypeFlash},
                   Case{kFileTypeMovie, true, kTypeMovie}, Case{kFileTypeJpeg, false, kTypeBitmap},
                   Case{kFileTypeBmp, true, kTypeMovableBitmap}, Case{kFileTypePict, false, kTypeBitmap},
                   Case{kFileTypeGif, true, kTypeMovableBitmap}, Case{kFileTypePng, false, kTypeBitmap},
                   Case{kFileTypeAiff, false, kTypeSound}, Case{fourCC("TEXT"), false, 0}})
        EXPECT_EQ(FileTypeToResourceType(c.file, c.movable), c.kind) << c.file;
    EXPECT_EQ(EnsureNativeExtension("Cat"), "Cat.tbx");
    EXPECT_EQ(EnsureNativeExtension("Cat.TBX"), "Cat.TBX");
    EXPECT_EQ(EnsureNativeExtension("Cat.tbx.bak"), "Cat.tbx.bak.tbx");
    EXPECT_EQ(EnsureNativeExtension(".tbx"), ".tbx");
}

// A sound comes in as the archive wave it converts to, on the page and in the library; a file
// that is no sound is refused and leaves both as they were.
TEST_F(FileImport, SoundComesInConvertedAndGoesToTheLibrary) {
    const std::vector<u8> wave = soundfiles::makeWave(soundfiles::sine(400, 1, 440, 11025), 1, 11025, 16);
    std::vector<u8> converted;
    ASSERT_EQ(ConvertSoundFileToArchiveWave(wave, kImportCompress, &converted), 0);
    writeBytes("moo.wav", wave);
    write("not.wav", "RIFF....WAVE");
    EnginePath libraryPath(engineTextOfHostFolder(root_) + "\\Sounds.tbl");
    RLibrary library;
    ASSERT_EQ(library.Create(libraryPath.get(), kTypeSound, 0), kErrNone);
    RPageData page;
    RPageObject* added = nullptr;
    EXPECT_EQ(ImportFileIntoPage(page, file("not.wav").get(), kFileTypeSound, {}, &library, &added), kDocErrNotReadable);
    EXPECT_EQ(added, nullptr);
    EXPECT_TRUE(library.Header().entries.empty());
    ASSERT_EQ(ImportFileIntoPage(page, file("moo.wav").get(), kFileTypeSound, {1, 2, 3, 4}, &library, &added), kErrNone);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(static_cast<RMediaFilePageObject*>(added)->media, converted);
    EXPECT_EQ(page.ObjectCount(), 1u);
    EXPECT_EQ(library.Header().entries.size(), 1u);
    std::vector<u8> name;
    ASSERT_EQ(library.ReadEntryThumbnail(1, kThumbnailName, &name), kErrNone);
    EXPECT_EQ(std::string(name.begin(), name.end()), "moo.wav");
}

// Pictures wait for a reader; with one, the picture it read lies where it placed it in the
// rectangle asked for, and a file it cannot read adds nothing.
TEST_F(FileImport, PicturesComeInThroughTheInstalledReader) {
    write("cat.jpg", "any");
    RPageData page;
    RPageObject* added = nullptr;
    EXPECT_EQ(ImportFileIntoPage(page, file("cat.jpg").get(), kFileTypeJpeg, {}, nullptr, &added), kDocErrBadType);
    SetPictureFileReader(fakeReader);
    EXPECT_EQ(ImportFileIntoPage(page, file("cat.jpg").get(), fourCC("TEXT"), {}, nullptr, &added), kDocErrBadType);
    EXPECT_EQ(GetPictureFileReader(), &fakeReader);
    gReaderAnswer = kDocErrNotReadable;
    EXPECT_EQ(ImportFileIntoPage(page, file("cat.jpg").get(), kFileTypePng, {10, 20, 50, 60}, nullptr, &added),
              kDocErrNotReadable);
    EXPECT_EQ(added, nullptr);
    EXPECT_EQ(page.ObjectCount(), 0u);
    gReaderAnswer = kErrNone;
    ASSERT_EQ(ImportFileIntoPage(page, file("cat.jpg").get(), kFileTypeJpeg, {10, 20, 50, 60}, nullptr, &added),
              kErrNone);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(host(gLastCall.path), root_ + "/cat.jpg");
    EXPECT_EQ(gLastCall.target, (PageRect{10, 20, 50, 60}));
    EXPECT_EQ(added->Type(), kTypeBitmap);
    EXPECT_EQ(added->rect, (PageRect{11, 22, 13, 23}));
    const PictureRecord& picture = static_cast<RBitmapPageObject*>(added)->picture;
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.pixels, (std::vector<u8>{255, 0, 0, 255, 0, 0, 255, 255}));
}

// An import that the library refuses is no import at all: the page stays as it was.
TEST_F(FileImport, ALibraryThatRefusesLeavesThePageAsItWas) {
    writeBytes("moo.wav", soundfiles::makeWave(soundfiles::sine(100, 1, 440, 11025), 1, 11025, 16));
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

// Sizes are read whole: a file of 2 GB or more is too big, never a size that wrapped (sparse
// files, so that none takes room).
TEST_F(FileImport, SizeLimitBothSides) {
    constexpr u64 k4GB = u64(1) << 32;
    const struct { const char* name; FourCC type; u64 size; EngineErr expected; } cases[] = {
        {"big.swf", kFileTypeFlash, kImportMaxBytes, kErrNone},
        {"big.swf", kFileTypeFlash, kImportMaxBytes + 1, kDocErrBadSize},
        {"big.swf", kFileTypeFlash, k4GB + 10, kDocErrBadSize},
        {"big.mov", kFileTypeMovie, kResMaxSize, kErrNone},
        {"big.mov", kFileTypeMovie, k4GB / 2, kDocErrBadSize},
        {"big.mov", kFileTypeMovie, k4GB + 10, kDocErrBadSize},
    };
    RPageData page;
    for (const auto& c : cases) {
        write(c.name, "");
        std::filesystem::resize_file(root_ + "/" + c.name, c.size);
        EnginePath file(engineTextOfHostFolder(root_) + "\\" + c.name);
        RPageObject* added = nullptr;
        EXPECT_EQ(ImportFileIntoPage(page, file.get(), c.type, {}, nullptr, &added), c.expected) << c.name << " " << c.size;
    }
    EXPECT_EQ(page.ObjectCount(), 2u);
}

TEST_F(FileImport, PictureNamesLieInThePicturesFolder) {
    Paths paths(roots());
    EXPECT_EQ(MakePictureFileName(paths, "Cat"), "") << "no user";
    ASSERT_EQ(paths.SelectUserFolder("Ann"), kErrNone);
    EXPECT_EQ(host(MakePictureFileName(paths, "Cat")), root_ + "/data/tumblo4/Users/Ann/Pictures/Cat.tbx");
}

}  // namespace
