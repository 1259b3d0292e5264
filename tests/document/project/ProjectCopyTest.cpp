// A project saved into another folder names its pages from there, and never by a name that
// leaves its folder; page files moved to a new folder are mapped once; page runs renumbered.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/project/ProjectCopy.h"
#include "document/project/RDocument.h"
#include "document/users/FolderListing.h"
#include "engine/files/OsFiles.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/document/pages/PageSamples.h"

namespace {

using namespace Ostrel;
using ProjectCopy = testdoc::DocumentFolderFixture;

std::string entryOf(RDocument& doc, u16 number) {
    const INI_LIST_NODE* node = doc.Config().pages.FindNode(number);
    return node && node->Value() ? node->Value() : "";
}

class ProjectCopyFiles : public ProjectCopy {
protected:
    // A project "Zoo.tbp" in folder a/ with its pages a/Lion.tbx and a/sub/Owl.tbx.
    void SetUp() override {
        ProjectCopy::SetUp();
        write("a/Lion.tbx", "lion");
        write("a/sub/Owl.tbx", "owl");
        write("a/Zoo.tbp", "[Pages]\r\nPage_highnumber=2\r\nPage1=Lion.tbx,1,1,4,4,3,0,0\r\nPage2=sub/Owl.tbx,1,1,4,4,7,1,0\r\n");
    }
    std::string folder(const std::string& relative) const { return engineTextOfHostFolder(root_ + "/" + relative); }
};

TEST_F(ProjectCopyFiles, IntoTheSameFolderNoEntryChanges) {
    EnginePath from(folder("a") + "\\Zoo.tbp"), to(folder("a") + "\\Zoo2.tbp");
    RDocument doc(from.get());
    doc.LoadPages();
    ASSERT_EQ(doc.SaveAs(to.get()), kErrNone);
    EXPECT_EQ(entryOf(doc, 1), "Lion.tbx,1,1,4,4,3,0,0");
    EXPECT_EQ(entryOf(doc, 2), "sub/Owl.tbx,1,1,4,4,7,1,0");
    EXPECT_NE(read("a/Zoo2.tbp").find("Page2=sub/Owl.tbx,1,1,4,4,7,1,0"), std::string::npos);
    EXPECT_NE(read("a/Zoo.tbp").find("Page1=Lion.tbx"), std::string::npos) << "the old project stays";
}

// Pages outside the new folder are copied into it: no entry climbs out with ".." and none is
// a full path (as one on another volume would have to be); the old files stay untouched.
TEST_F(ProjectCopyFiles, IntoAnotherFolderPagesComeAlongUnderNamesInside) {
    write("b/Lion.tbx", "another lion");
    EnginePath from(folder("a") + "\\Zoo.tbp"), to(folder("b") + "\\Zoo.tbp");
    RDocument doc(from.get());
    doc.LoadPages();
    ASSERT_EQ(doc.SaveAs(to.get()), kErrNone);
    EXPECT_EQ(entryOf(doc, 1), "Lion1.tbx,1,1,4,4,3,0,0") << "a free name beside the file there";
    EXPECT_EQ(entryOf(doc, 2), "Owl.tbx,1,1,4,4,7,1,0");
    EXPECT_EQ(read("b/Lion1.tbx"), "lion");
    EXPECT_EQ(read("b/Lion.tbx"), "another lion");
    EXPECT_EQ(read("b/Owl.tbx"), "owl");
    EXPECT_EQ(read("a/Lion.tbx"), "lion");
    EXPECT_FALSE(std::filesystem::exists(root_ + "/b/Lion1.tbx.~tumblo.tmp"));
    RDocument back(to.get());
    back.LoadPages();
    EXPECT_EQ(back.GetPage(2)->FilePath(), folder("b") + "\\Owl.tbx");
    EXPECT_EQ(back.GetPage(2)->settings, (PageSettings{1, 1, 4, 4, 7, 1, 0}));
}

// Two pages of one file: the copy in another folder holds it once, and reopens with both.
TEST_F(ProjectCopyFiles, ASharedPageFileIsCopiedOnce) {
    write("a/Zoo.tbp", "[Pages]\r\nPage_highnumber=3\r\nPage1=Lion.tbx\r\nPage2=Lion.tbx\r\nPage3=sub/Owl.tbx\r\n");
    std::filesystem::create_directories(root_ + "/b");
    EnginePath from(folder("a") + "\\Zoo.tbp"), to(folder("b") + "\\Zoo.tbp");
    RDocument doc(from.get());
    doc.LoadPages();
    ASSERT_EQ(doc.SaveAs(to.get()), kErrNone);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ + "/b"), {}), 3) << "Zoo, Lion and Owl";
    RDocument back(to.get());
    back.LoadPages();
    ASSERT_EQ(back.PageCount(), 3u);
    for (u16 n : {1, 2}) EXPECT_EQ(back.GetPage(n)->FilePath(), folder("b") + "\\Lion.tbx");
    EXPECT_EQ(back.GetPage(3)->FilePath(), folder("b") + "\\Owl.tbx");
}

TEST_F(ProjectCopyFiles, MappedPagesAreNamedFromTheirNewPlace) {
    write("b/moved/Owl.tbx", "owl");
    EnginePath from(folder("a") + "\\Zoo.tbp"), to(folder("b") + "\\Zoo.tbp");
    StringMap map{{folder("a") + "\\sub\\Owl.tbx", folder("b") + "\\moved\\Owl.tbx"}};
    RDocument doc(from.get());
    doc.LoadPages();
    ASSERT_EQ(doc.SaveAs(to.get(), &map, 1), kErrNone);
    EXPECT_EQ(entryOf(doc, 2), "moved/Owl.tbx,1,1,4,4,7,1,0");
    EXPECT_FALSE(std::filesystem::exists(root_ + "/b/Owl.tbx")) << "a mapped page is not copied";
}

// An entry whose name forms no path: kept, and the copy still succeeds when lenient; else its
// refusal is the answer.
TEST_F(ProjectCopyFiles, AnEntryNamingNoPathIsKeptWhenLenient) {
    write("a/Zoo.tbp", "[Pages]\r\nPage_highnumber=2\r\nPage1=Lion.tbx\r\nPage2=../escape.tbx\r\n");
    std::filesystem::create_directories(root_ + "/b");
    for (u16 lenient : {1, 0}) {
        EnginePath from(folder("a") + "\\Zoo.tbp"), to(folder("b") + "\\Zoo" + std::to_string(lenient) + ".tbp");
        ProjectConfigFile config(from.get(), true);
        EXPECT_EQ(config.CopyTo(to.get(), nullptr, lenient), lenient ? kErrNone : kDocErrBadPageName);
        EXPECT_EQ(std::string(config.pages.FindNode(2)->Value()), "../escape.tbx") << lenient;
        EXPECT_EQ(pathCompare(config.GetPath(), to.get()), kErrNone);
    }
}

// A page that cannot come along fails the copy wherever it stands in the list: a later page
// that does come along must not hide it, or the new project would name a file it does not have.
TEST_F(ProjectCopyFiles, APageThatCannotComeAlongFailsTheCopyWhereverItStands) {
    write("a/Zoo.tbp", "[Pages]\r\nPage_highnumber=2\r\nPage1=Gone.tbx\r\nPage2=Lion.tbx\r\n");
    EnginePath from(folder("a") + "\\Zoo.tbp"), to(folder("b") + "\\Zoo.tbp");
    std::filesystem::create_directories(root_ + "/b");
    RDocument doc(from.get());
    doc.LoadPages();
    EXPECT_NE(doc.SaveAs(to.get()), kErrNone);
    EXPECT_FALSE(std::filesystem::exists(root_ + "/b/Zoo.tbp"));
}

// A copy that fails leaves the project where it was: a later save writes the old file, not
// a new one whose pages were never brought along.
TEST_F(ProjectCopyFiles, AFailedCopyLeavesTheProjectWhereItWas) {
    write("a/Zoo.tbp", "[Pages]\r\nPage_highnumber=2\r\nPage1=Lion.tbx\r\nPage2=Gone.tbx\r\n");
    EnginePath from(folder("a") + "\\Zoo.tbp"), to(folder("b") + "\\Zoo.tbp");
    std::filesystem::create_directories(root_ + "/b");
    RDocument doc(from.get());
    doc.LoadPages();
    ASSERT_NE(doc.SaveAs(to.get()), kErrNone);
    EXPECT_EQ(pathCompare(doc.Config().GetPath(), from.get()), kErrNone);
    doc.Config().backgroundColor.SetValue(7, 0);
    EXPECT_EQ(doc.Config().Save(), kErrNone);
    EXPECT_FALSE(std::filesystem::exists(root_ + "/b/Zoo.tbp"));
    EXPECT_NE(read("a/Zoo.tbp").find("Page2=Gone.tbx"), std::string::npos);
}

TEST_F(ProjectCopy, MigrationMapsEachFileBelowTheSourceOnce) {
    const std::string source = engineTextOfHostFolder(root_ + "/old"), target = engineTextOfHostFolder(root_ + "/new");
    EnginePath from(source), to(target);
    StringMap map;
    PageRelocationContext context{kErrNone, &map, from.get(), to.get()};
    for (const std::string& file : {source + "\\Cat.tbx", source + "\\kids\\Dog.tbx", engineTextOfHostFolder(root_ + "/else") + "\\Cow.tbx",
                                    source + "\\CAT.tbx"}) {
        EnginePath path(file);
        MapRelocatedPageFile(path.get(), PageSettings{}, 1, context);
        EXPECT_EQ(context.result, kErrNone) << file;
    }
    EXPECT_EQ(map, (StringMap{{source + "\\Cat.tbx", target + "\\Cat.tbx"}, {source + "\\kids\\Dog.tbx", target + "\\kids\\Dog.tbx"}}));
}

// A file whose new place no path can name fails the mapping; a later file that maps well does
// not hide that failure.
TEST_F(ProjectCopy, MigrationKeepsTheFirstFailure) {
    const std::string source = engineTextOfHostFolder(root_ + "/old");
    const std::string target = engineTextOfHostFolder(root_ + "/" + std::string(150, 'n'));
    EnginePath from(source), to(target);
    StringMap map;
    PageRelocationContext context{kErrNone, &map, from.get(), to.get()};
    EnginePath tooLong(source + "\\" + std::string(120, 'x') + ".tbx"), cat(source + "\\Cat.tbx");
    ASSERT_FALSE(tooLong.empty());
    MapRelocatedPageFile(tooLong.get(), PageSettings{}, 1, context);
    const EngineErr failure = context.result;
    EXPECT_NE(failure, kErrNone);
    MapRelocatedPageFile(cat.get(), PageSettings{}, 2, context);
    EXPECT_EQ(context.result, failure);
    EXPECT_EQ(map.size(), 1u);
}

TEST_F(ProjectCopy, FolderListingKeepsEveryNameInOrder) {
    FolderListing listing;
    EXPECT_TRUE(listing.names.empty());
    for (const char* name : {"b.tbx", "", "a long name.tbx"}) EXPECT_EQ(AppendFoundName(name, &listing), 0);
    EXPECT_EQ(listing.names, (std::vector<std::string>{"b.tbx", "", "a long name.tbx"}));
}

std::vector<std::pair<u16, std::string>> arrangement(RDocument& doc) {
    std::vector<std::pair<u16, std::string>> seen;
    for (u16 n = 1; n <= kMaxProjectPages; ++n)
        if (RPage* page = doc.GetPage(n); page->Number() == n) seen.emplace_back(n, page->FileName());
    return seen;
}

struct ShiftCase {
    const char* name;
    std::vector<u16> pages;
    i16 first, last;
    i32 step;
    EngineErr result;
    std::vector<std::pair<u16, std::string>> after;
};

TEST_F(ProjectCopy, RunsOfPagesRenumberAsOneUndoableStep) {
    const ShiftCase cases[] = {
        {"UpIntoAGap", {3, 4, 5}, 3, 5, 1, kErrNone, {{4, "p3"}, {5, "p4"}, {6, "p5"}}},
        {"UpOverAPage", {3, 4, 6}, 3, 5, 1, kErrNone, {{4, "p3"}, {5, "p4"}}},
        {"Down", {2, 5, 6}, 5, 6, -1, kErrNone, {{2, "p2"}, {4, "p5"}, {5, "p6"}}},
        {"MissingOneClearsItsTarget", {3, 5}, 3, 4, 1, kErrNone, {{4, "p3"}}},
        {"NoStep", {3}, 3, 5, 0, kErrNone, {{3, "p3"}}},
        {"FirstAboveLast", {3}, 5, 3, 1, kErrNone, {{3, "p3"}}},
        {"ToTheLastPlace", {98}, 98, 98, 1, kErrNone, {{99, "p98"}}},
        {"PastTheLastPlace", {99}, 99, 99, 1, kDocErrNoPlace, {{99, "p99"}}},
        {"BeforeTheFirstPlace", {1}, 1, 1, -1, kDocErrNoPlace, {{1, "p1"}}},
        {"OntoTheBlankPageMarker", {5}, 5, 5, 65530, kDocErrNoPlace, {{5, "p5"}}},
        {"WrappingRoundTheNumbers", {5}, 5, 5, 65536, kDocErrNoPlace, {{5, "p5"}}},
    };
    for (const ShiftCase& c : cases) {
        RDocument doc(nullptr);
        for (u16 n : c.pages) doc.AddPage(n, RPage(PageSettings{}, "", n))->SetFileName("p" + std::to_string(n));
        const auto before = arrangement(doc);
        EXPECT_EQ(doc.ShiftPageRange(c.first, c.last, c.step), c.result) << c.name;
        EXPECT_EQ(arrangement(doc), c.after) << c.name;
        EXPECT_EQ(doc.GetPage(kBlankPageNumber)->Number(), kBlankPageNumber) << c.name;
        ASSERT_TRUE(doc.UndoArrangement()) << c.name;
        EXPECT_EQ(arrangement(doc), before) << c.name;
    }
}

// A slide dragged to another place: the run it passes over steps toward its old place, a
// gap stops nothing, the page stays the current one, and undo takes the whole move back.
TEST_F(ProjectCopy, AMovedPageTakesThePlaceItsRunOpens) {
    const struct {
        const char* name;
        std::vector<u16> pages;
        u16 from, to;
        bool moved;
        std::vector<std::pair<u16, std::string>> after;
    } cases[] = {
        {"Down", {1, 2, 3, 4}, 1, 3, true, {{1, "p2"}, {2, "p3"}, {3, "p1"}, {4, "p4"}}},
        {"Up", {1, 2, 3, 4}, 4, 2, true, {{1, "p1"}, {2, "p4"}, {3, "p2"}, {4, "p3"}}},
        {"UpUnderAPage", {1, 2, 3}, 2, 1, true, {{1, "p2"}, {2, "p1"}, {3, "p3"}}},
        {"UpOverAGap", {1, 2, 4}, 4, 1, true, {{1, "p4"}, {2, "p1"}, {3, "p2"}}},
        {"DownOverAGap", {1, 2, 4, 5}, 1, 5, true, {{1, "p2"}, {3, "p4"}, {4, "p5"}, {5, "p1"}}},
        {"PastThePages", {1, 2}, 1, 6, true, {{1, "p2"}, {6, "p1"}}},
        {"OntoItself", {1, 2}, 2, 2, true, {{1, "p1"}, {2, "p2"}}},
        {"FromABlankPlace", {1, 2}, 3, 1, false, {{1, "p1"}, {2, "p2"}}},
        {"ToTheLastPlace", {1, 2}, 2, 99, true, {{1, "p1"}, {99, "p2"}}},
        {"PastTheLastPlace", {1, 2}, 2, 100, false, {{1, "p1"}, {2, "p2"}}},
        {"ToNoPlace", {1, 2}, 2, 0, false, {{1, "p1"}, {2, "p2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RDocument doc(nullptr);
        for (u16 n : c.pages) doc.AddPage(n, RPage(PageSettings{}, "", n))->SetFileName("p" + std::to_string(n));
        const auto before = arrangement(doc);
        RPage* moving = doc.GetPage(c.from);
        doc.SetCurrentPage(moving);
        EXPECT_EQ(doc.MovePageTo(c.from, c.to), c.moved);
        EXPECT_EQ(arrangement(doc), c.after);
        EXPECT_EQ(doc.PageCount(), c.after.size());
        if (!c.moved) continue;
        EXPECT_EQ(doc.CurrentPage(), moving);
        EXPECT_EQ(moving->Number(), c.to);
        ASSERT_TRUE(doc.UndoArrangement());
        EXPECT_EQ(arrangement(doc), before);
    }
}

}  // namespace

