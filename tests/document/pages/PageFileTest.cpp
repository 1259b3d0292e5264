// Pages saved to real files: the first save makes the file, a later one replaces it whole,
// and no replacement is left beside it.
#include <gtest/gtest.h>

#include "document/import/FileImport.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/objects/RNotePageObject.h"
#include "document/pages/RPage.h"
#include "document/pages/RPageData.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/document/pages/PageSamples.h"

namespace {

using namespace Ostrel;
using PageFile = testdoc::DocumentFolderFixture;

TEST_F(PageFile, SavedTwiceThenReopened) {
    EnginePath path(engineTextOfHostFolder(root_) + "\\Cat.tbx");
    ASSERT_FALSE(path.empty());
    RPageData page;
    page.AddObject(kTypeText, 1, testdoc::textBytes("first"), {0, 0, 5, 5});
    ASSERT_EQ(page.SaveToFile(path.get()), kErrNone);
    testdoc::fillWithEveryKind(page);
    ASSERT_EQ(page.SaveToFile(path.get()), kErrNone);
    EXPECT_FALSE(page.IsDirty());

    RPageData back;
    ASSERT_EQ(back.OpenAndLoad(path.get()), kErrNone);
    EXPECT_EQ(testdoc::contentOf(back), testdoc::contentOf(page));
    EXPECT_FALSE(std::filesystem::exists(root_ + "/Cat.tbx.tmp"));
}

// A first save shows no file until it is whole: one cut short (a kill, the power) leaves none.
TEST_F(PageFile, FailedFirstSaveLeavesNoFile) {
    EnginePath path(engineTextOfHostFolder(root_) + "\\New.tbx");
    RPageData page;
    page.AddObject(kTypeText, 1, testdoc::textBytes("x"), {});
    bool shown = false;
    EXPECT_NE(page.SaveToFile(path.get(), [&] { return shown = std::filesystem::exists(root_ + "/New.tbx"), false; }), kErrNone);
    EXPECT_FALSE(shown) << "nothing under the name while it is written";
    EXPECT_TRUE(page.IsDirty());
    EXPECT_FALSE(std::filesystem::exists(root_ + "/New.tbx"));
    EXPECT_FALSE(std::filesystem::exists(root_ + "/New.tbx.tmp"));
}

// A note without text (what a cancelled note dialog leaves) is not written; the objects
// around it keep their order.
TEST_F(PageFile, AnEmptyNoteIsNotWritten) {
    EnginePath path(engineTextOfHostFolder(root_) + "\\Note.tbx");
    RPageData page;
    page.AddObject(kTypeText, 1, testdoc::textBytes("before"), {0, 0, 5, 5});
    ASSERT_NE(page.GetNote(), nullptr);
    page.AddObject(kTypeText, 2, testdoc::textBytes("after"), {0, 0, 5, 5});
    ASSERT_EQ(page.SaveToFile(path.get()), kErrNone);

    RPageData back;
    ASSERT_EQ(back.OpenAndLoad(path.get()), kErrNone);
    EXPECT_FALSE(back.HasNote());
    ASSERT_EQ(back.ObjectCount(), 2u);
    RPageData expected;
    expected.AddObject(kTypeText, 1, testdoc::textBytes("before"), {0, 0, 5, 5});
    expected.AddObject(kTypeText, 2, testdoc::textBytes("after"), {0, 0, 5, 5});
    EXPECT_EQ(testdoc::contentOf(back), testdoc::contentOf(expected));

    page.GetNote()->SetText("Feed the cat");
    ASSERT_EQ(page.SaveToFile(path.get()), kErrNone);
    RPageData withNote;
    ASSERT_EQ(withNote.OpenAndLoad(path.get()), kErrNone);
    ASSERT_TRUE(withNote.HasNote());
    EXPECT_EQ(withNote.GetNote()->GetText(), "Feed the cat");
}

// A page saved through its slide and read back through the slide's file; marking it modified
// keeps the objects' change marks, marking it clean clears them.
TEST_F(PageFile, SlideSavesAndReadsItsFile) {
    const std::string text = engineTextOfHostFolder(root_) + "\\Dog.tbx";
    EnginePath path(text);
    RPage slide(PageSettings{}, "Dog.tbx", 1);
    RPageObject* object = slide.Data().AddObject(kTypeText, 1, testdoc::textBytes("woof"), {0, 0, 9, 9});
    ASSERT_EQ(slide.SaveToFile(path.get()), kErrNone);
    EXPECT_FALSE(slide.Data().IsDirty());
    object->changed = true;
    EXPECT_FALSE(slide.Data().SetModified(true));
    EXPECT_TRUE(object->changed);
    EXPECT_TRUE(slide.Data().SetDirtyState(false));
    EXPECT_FALSE(object->changed);

    RPage again(PageSettings{}, "Dog.tbx", 1);
    again.SetFilePath(text);
    EXPECT_EQ(testdoc::contentOf(again.Data()), testdoc::contentOf(slide.Data()));
    RPage missing(PageSettings{}, "Cat.tbx", 2);
    missing.SetFilePath(engineTextOfHostFolder(root_) + "\\Cat.tbx");
    EXPECT_EQ(missing.Data().ObjectCount(), 0u) << "a file that cannot be read gives an empty page";
}

// A movie saved into a page's file (in pieces) is read from there, also after a save moved it.
TEST_F(PageFile, AMovieStaysInItsFileThroughSaves) {
    std::string film(3u << 20, '\0');
    for (size_t i = 0; i < film.size(); ++i) film[i] = char(i % 251);
    write("film.mov", film);
    const EnginePath path(engineTextOfHostFolder(root_) + "\\Film.tbx");
    RPageData page, back;
    RPageObject* movie = nullptr;
    ASSERT_EQ(ImportFileIntoPage(page, EnginePath(engineTextOfHostFolder(root_) + "\\film.mov").get(), kFileTypeMovie, {},
                                 nullptr, &movie), kErrNone);
    ASSERT_EQ(page.SaveToFile(path.get()), kErrNone);
    std::filesystem::remove(root_ + "/film.mov");
    ASSERT_EQ(back.OpenAndLoad(path.get()), kErrNone);
    ASSERT_EQ(back.EnsureBackground(), kErrNone);  // saved before the movie, moving it on
    ASSERT_EQ(back.SaveToFile(path.get()), kErrNone);
    ASSERT_EQ(back.FindObject(kTypeMovie, -1, &movie), 0);
    std::vector<u8> read;
    EXPECT_TRUE(static_cast<RMediaFilePageObject*>(movie)->media.empty()) << "not in memory";
    ASSERT_EQ(static_cast<RMediaFilePageObject*>(movie)->Bytes(&read), kErrNone);
    EXPECT_EQ(std::string(read.begin(), read.end()), film);
}

}  // namespace
