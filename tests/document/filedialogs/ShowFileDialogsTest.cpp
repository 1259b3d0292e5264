#include "document/filedialogs/ShowFileDialogs.h"

#include "document/filedialogs/ImportStartFolder.h"
#include "document/import/FileImport.h"
#include "tests/document/filedialogs/DocumentDialogFixture.h"
#include "tests/platform/system/ScopedEnv.h"
#include "tests/sound/import/SoundFileBytes.h"

namespace {

using namespace Ostrel;

class ShowFileDialogs : public testdoc::DocumentDialogFixture {
protected:
    void SetUp() override {
        testdoc::DocumentDialogFixture::SetUp();
        settings("[FileExtensions]\r\nPicture=tbx\r\nProject=tbp\r\n");
    }
};

TEST_F(ShowFileDialogs, SavingStartsInTheKindsFolderAndAddsTheExtension) {
    struct Case {
        u16 kind;
        const char* typed;
        std::string file;  // below the user's folder
    };
    const Case cases[] = {
        {kSavePicture, "cat", "Pictures/cat.tbx"},
        {kSavePictureAs, "cat.tbx", "Pictures/cat.tbx"},
        {kSaveProject, "show", "Slide Shows/show.tbp"},
        {kSaveProject, "", "Slide Shows/Untitled.tbp"},  // the show's own name, offered
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        type(c.typed);
        press(plat::kVkReturn);
        const std::string chosen = ShowSaveFileDialog(window_.get(), *paths_, c.kind, "Untitled");
        EXPECT_EQ(hostOf(chosen), root_ + "/data/tumblo4/Users/Ann/" + c.file);
    }
}

TEST_F(ShowFileDialogs, CancelGivesNothing) {
    press(plat::kVkEscape);
    EXPECT_EQ(ShowSaveFileDialog(window_.get(), *paths_, kSavePicture, "Untitled"), "");
    press(plat::kVkEscape);
    EXPECT_EQ(ShowExportFileDialog(window_.get(), *paths_, kExportJpeg, "cat"), "");
    ImportChoice choice{"x", 1};
    press(plat::kVkEscape);
    EXPECT_FALSE(ShowImportFileDialog(window_.get(), *paths_, kImportMedia, &choice));
    EXPECT_EQ(choice.path, "");
    EXPECT_TRUE(mfxTakeAlertRecords().empty());
}

TEST_F(ShowFileDialogs, ExportNamesAJpegInThePicturesFolder) {
    type("cat");
    press(plat::kVkReturn);
    EXPECT_EQ(hostOf(ShowExportFileDialog(window_.get(), *paths_, kExportJpeg, "cat")),
              root_ + "/data/tumblo4/Users/Ann/Pictures/cat.jpg");
}

// Opening starts where the kind of file lives: a name typed at once is found there.
TEST_F(ShowFileDialogs, OpeningStartsInTheKindsFolder) {
    plat::ScopedEnv home("HOME", root_ + "/home");  // with no music folder the sounds are the child's
    struct Case {
        u16 kind;
        const char* file;  // below the user's folder
        const char* typed;
    };
    const Case cases[] = {
        {kImportPictures, "Pictures/cat.tbx", "cat.tbx"},
        {kImportPictures, "Pictures/dog.jpg", "dog.jpg"},
        {kImportProject, "Slide Shows/show.tbp", "show.tbp"},
        {kImportSoundOrFlash, "Library/Sounds/moo.wav", "moo.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        write(std::string("data/tumblo4/Users/Ann/") + c.file, "x");
        type(c.typed);
        press(plat::kVkReturn);
        ImportChoice choice;
        ASSERT_TRUE(ShowImportFileDialog(window_.get(), *paths_, c.kind, &choice));
        EXPECT_EQ(hostOf(choice.path), root_ + "/data/tumblo4/Users/Ann/" + c.file);
    }
}

// Pictures from outside the program start in the desktop's pictures folder, then where the
// last of them came from, sounds in its music folder, movies in its videos; the child's own
// pictures open where they always do. Unticked, no file goes into the child's library.
TEST_F(ShowFileDialogs, PicturesFromOutsideStartInTheDesktopsPicturesThenWhereTheLastCameFrom) {
    plat::ScopedEnv home("HOME", root_ + "/home");
    plat::ScopedEnv settings("XDG_CONFIG_HOME", std::nullopt);
    for (const char* file : {"home/Pictures/cat.png", "home/Pictures/zoo/lion.png", "home/Pictures/old/dog.png",
                             "data/tumblo4/Users/Ann/Pictures/mine.tbx", "home/Music/moo.wav", "home/Videos/hop.mov"})
        write(file, "x");
    struct Step {
        u16 kind;
        std::string typed;
        const char* file;  // below the scratch folder
    };
    const Step steps[] = {
        {kImportPictureObject, "cat.png", "home/Pictures/cat.png"},
        {kImportBackground, "zoo/lion.png", "home/Pictures/zoo/lion.png"},
        {kImportPictureObject, "lion.png", "home/Pictures/zoo/lion.png"},
        {kImportBackground, root_ + "/home/Pictures/old/dog.png", "home/Pictures/old/dog.png"},
        {kImportPictureObject, "dog.png", "home/Pictures/old/dog.png"},
        {kImportPicture, "dog.png", "home/Pictures/old/dog.png"},
        {kImportSoundOrFlash, "moo.wav", "home/Music/moo.wav"},
        {kImportMovie, "hop.mov", "home/Videos/hop.mov"},
        {kImportPictures, "mine.tbx", "data/tumblo4/Users/Ann/Pictures/mine.tbx"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.file);
        type(step.typed);
        press(plat::kVkReturn);
        ImportChoice choice;
        ASSERT_TRUE(ShowImportFileDialog(window_.get(), *paths_, step.kind, &choice));
        EXPECT_EQ(hostOf(choice.path), root_ + "/" + step.file);
        EXPECT_FALSE(choice.addToLibrary) << "nothing was ticked";
    }
    EXPECT_EQ(ShownFolderName(*paths_, engineTextOfHostFolder(root_ + "/home/Pictures")), "Home > Pictures");
}

// The next picture from outside opens where the last was chosen, a drive's root included; the
// last row leaves a folder of this test's own, gone after it.
TEST_F(ShowFileDialogs, APictureFromOutsideIsRememberedByItsFolder) {
    write("elsewhere/dog.png", "x");
    const std::string elsewhere = engineTextOfHostFolder(root_ + "/elsewhere");
    struct Case {
        std::string chosen, next;
    };
    const Case cases[] = {{"C:\\pic.png", "C:\\"}, {elsewhere + "\\dog.png", elsewhere},
                          {paths_->BuildPath(kFolderUser, false) + "\\mine.jpg", elsewhere}};  // no Up out of her own
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        RememberImportFolder(*paths_, kImportPictureObject, c.chosen);
        EXPECT_EQ(ImportStartFolder(*paths_, kImportBackground), c.next);
    }
}

TEST_F(ShowFileDialogs, ImportedSoundLandsOnThePage) {
    const std::vector<u8> wave = soundfiles::makeWave(soundfiles::sine(100, 1, 440, 11025), 1, 11025, 16);
    write("data/tumblo4/Users/Ann/Library/Sounds/moo.wav", std::string(wave.begin(), wave.end()));
    type("moo.wav");
    press(plat::kVkReturn);
    RPageData page;
    RPageObject* added = nullptr;
    EXPECT_EQ(ImportFileWithDialog(window_.get(), *paths_, kImportSoundOrFlash, page, {1, 2, 3, 4}, nullptr, &added),
              kErrNone);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(page.ObjectCount(), 1u);

    press(plat::kVkEscape);
    EXPECT_EQ(ImportFileWithDialog(window_.get(), *paths_, kImportSoundOrFlash, page, {}, nullptr, &added), kErrNone);
    EXPECT_EQ(added, nullptr) << "cancelled";
    EXPECT_EQ(page.ObjectCount(), 1u);
}

}  // namespace
