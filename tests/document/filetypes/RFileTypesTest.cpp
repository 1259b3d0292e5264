#include "document/filetypes/RFileTypes.h"

#include "document/import/FileImport.h"
#include "tests/document/filedialogs/DocumentDialogFixture.h"

namespace {

using namespace Ostrel;

TEST(FileTypes, OutsideFilesAreKnownByTheirExtension) {
    struct Case {
        const char* name;
        FourCC type;
    };
    const Case cases[] = {{"moo.wav", kFileTypeSound}, {"MOO.WAV", kFileTypeSound}, {"film.mov", kFileTypeMovie},
                          {"cat.JPEG", kFileTypeJpeg},  {"anim.swf", kFileTypeFlash}, {"dog.gif", kFileTypeGif},
                          {"old.pct", kFileTypePict},   {"notes.txt", 0},            {"noextension", 0},
                          {"wav", 0}};
    for (const Case& c : cases) EXPECT_EQ(FileTypeOfName(c.name), c.type) << c.name;
}

TEST(FileTypes, ExtensionsAreAddedOnce) {
    EXPECT_EQ(WithExtension("Show", "tbp"), "Show.tbp");
    EXPECT_EQ(WithExtension("Show.TBP", "tbp"), "Show.TBP");
    EXPECT_EQ(WithExtension("Show.tbp.old", "tbp"), "Show.tbp.old.tbp");
}

using FileTypeSettings = testdoc::DocumentDialogFixture;

// The profile module keeps a settings file loaded, so each test reads one.
void expectExtensions(const std::string& picture, const std::string& project) {
    EXPECT_EQ(PictureExtension(), picture);
    EXPECT_EQ(ProjectExtension(), project);
    EXPECT_EQ(SaveFilters(kSaveProject).at(0).patterns, "*." + project);
    EXPECT_EQ(SaveFilters(kSavePicture).at(0).patterns, "*." + picture);
}

TEST_F(FileTypeSettings, ExtensionsComeFromTheSettingsFile) {
    settings("[FileExtensions]\r\nPicture=tbi\r\nProject=.show\r\n");
    expectExtensions("tbi", "show");
}

TEST_F(FileTypeSettings, WithoutSettingsTheDocumentFormatsOwnExtensionsCount) {
    settings("[TOC]\r\nDebug=0\r\n");
    expectExtensions("tbx", "tbp");
}

TEST_F(FileTypeSettings, EachImportKindShowsItsFiles) {
    settings("[TOC]\r\n");
    struct Case {
        u16 kind;
        const char* name;
        bool shown;
    };
    const Case cases[] = {
        {kImportSoundOrFlash, "moo.wav", true}, {kImportSoundOrFlash, "cat.jpg", false},
        {kImportMovie, "film.mov", true},       {kImportMovie, "moo.wav", false},
        {kImportMovie, "hop.swf", true},
        {kImportPictures, "cat.jpg", true},     {kImportPictures, "moo.wav", false},
        {kImportMedia, "film.mov", true},       {kImportMedia, "notes.txt", false},
        {kImportProject, "show.tbp", true},     {kImportProject, "cat.tbx", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + " " + c.name);
        bool shown = false;
        for (const mfxFileFilter& filter : ImportFilters(c.kind)) shown = shown || mfxFilterMatches(filter, c.name);
        EXPECT_EQ(shown, c.shown);
    }
    // Opening a picture lists the program's own pictures before any other type is chosen.
    for (u16 kind : {kImportPictures, kImportPicturesToo}) {
        EXPECT_TRUE(mfxFilterMatches(ImportFilters(kind).at(0), "cat." + PictureExtension())) << kind;
        EXPECT_FALSE(mfxFilterMatches(ImportFilters(kind).at(0), "dog.jpg")) << kind;
    }
}

}  // namespace
