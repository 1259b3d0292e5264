// A new page has its white background and a free name in the user's pictures folder.
#include <gtest/gtest.h>

#include "document/project/CreateNewPage.h"
#include "document/storage/ObjectTypes.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;
using NewPage = testdoc::DocumentFolderFixture;

TEST_F(NewPage, TakesAFreeNameInThePicturesFolder) {
    Paths paths(roots());
    RPortfolio nobody(paths, "");
    EXPECT_EQ(CreateNewPage(nobody), nullptr) << "no user, no pictures folder";
    RPortfolio portfolio(paths, "Ann");
    write("data/tumblo4/Users/Ann/Pictures/Picture.tbx", "taken");
    std::unique_ptr<RPage> page = CreateNewPage(portfolio);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->FileName(), "Picture1.tbx");
    EXPECT_EQ(page->FilePath(), paths.GetPicturesDir() + "\\Picture1.tbx");
    EXPECT_EQ(page->settings, PageSettings{});
    RPageObject* background = nullptr;
    EXPECT_EQ(page->Data().FindObject(kTypeBitmap, kBackgroundId, &background), 0);
    EXPECT_EQ(read("data/tumblo4/Users/Ann/Pictures/Picture.tbx"), "taken");
}

}  // namespace
