// Saving and opening pictures on the easel, with the failures a child can meet: a full disc,
// a write-protected folder, a cancelled dialog and an unreadable file.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/files/OsServices.h"
#include "screens/easel/PictureFiles.h"
#include "tests/screens/easel/CanvasFixture.h"
#include "tools/pencils/RCircle.h"

namespace {

using namespace Ostrel;

class PictureFilesTest : public easeltest::CanvasFixture {
protected:
    void SetUp() override {
        easeltest::CanvasFixture::SetUp();
        PictureFileUi ui;
        ui.askSaveName = [this](u16 kind, const std::string& defaultName) {
            askedKind = kind;
            offered = defaultName;
            return answer;
        };
        ui.askOpenName = [this](u16) { return answer; };
        ui.alert = [this](const char* key, const std::string& fill) {
            alerts.push_back(key);
            filled = fill;
        };
        files = std::make_unique<PictureFiles>(*canvas_, easel_, &undo_, ui);
    }
    void TearDown() override {
        files.reset();
        easeltest::CanvasFixture::TearDown();
    }
    void paintStroke(u8 r, u8 g, u8 b, i16 y) {
        easel_.paintColor = GfxColor::rgb(r, g, b);
        pencil.Activate(screen_, -1, kCanvas);
        RMessage born(kToolMsgBorn, reinterpret_cast<uintptr_t>(&pencil), 0);
        canvas_->ToolManager()->HandleMessage(&born, 0);
        drag({150, y}, {300, y});
    }
    std::string fileBytes(const std::string& name) const {
        std::ifstream in(hostPath(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<u16> pictureCopy() const {
        std::vector<u16> out;
        for (i32 y = 0; y < canvas_->Picture().height; ++y)
            out.insert(out.end(), canvas_->Picture().Row(y), canvas_->Picture().Row(y) + canvas_->Picture().width);
        return out;
    }

    RCircle pencil;
    std::unique_ptr<PictureFiles> files;
    std::string answer;
    u16 askedKind = 0;
    std::string offered;
    std::vector<std::string> alerts;
    std::string filled;
};

TEST_F(PictureFilesTest, SavedPictureReopensWithTheSamePixels) {
    paintStroke(255, 0, 0, 100);
    const std::vector<u16> painted = pictureCopy();
    answer = picturePath("cat.tbx");
    ASSERT_TRUE(files->SavePicture(easel_.page.get(), 1));
    EXPECT_EQ(askedKind, 1);
    EXPECT_TRUE(alerts.empty());
    EXPECT_FALSE(easel_.page->Data().IsDirty());
    EXPECT_EQ(easel_.page->FileName(), answer);
    EXPECT_TRUE(easel_.attachedNow);

    RMessage fresh(6603, 2, 0);
    canvas_->HandleMessage(&fresh, 0);
    ASSERT_NE(pictureCopy(), painted);
    ASSERT_TRUE(files->OpenPicture(answer));
    EXPECT_EQ(pictureCopy(), painted);
    EXPECT_EQ(onScreen(200, 100), rgb555(255, 0, 0));
    EXPECT_FALSE(easel_.page->Data().IsDirty());
}

TEST_F(PictureFilesTest, SaveOffersThePagesOwnName) {
    for (const char* name : {"dog.tbx", "Bego\xF1" "a.tbx"}) {
        answer = picturePath(name);
        ASSERT_TRUE(files->SavePicture(easel_.page.get(), 1));
        answer.clear();
        files->SavePicture(easel_.page.get(), 13);
        EXPECT_EQ(offered, picturePath(name));
        EXPECT_EQ(askedKind, 13);
    }
    EXPECT_TRUE(std::filesystem::exists(hostPath("Begoña.tbx"))) << "named in UTF-8 on the disc";
}

TEST_F(PictureFilesTest, CancelledSaveWritesNothingAndTellsNothing) {
    paintStroke(0, 0, 255, 120);
    answer.clear();
    EXPECT_FALSE(files->SavePicture(easel_.page.get(), 1));
    EXPECT_TRUE(alerts.empty());
    EXPECT_TRUE(easel_.page->Data().IsDirty());
    EXPECT_TRUE(std::filesystem::is_empty(root_ + "/disc/Pictures"));
}

// A failed save over an earlier one: the earlier file keeps its bytes, the page stays unsaved
// and keeps its painting, the panel has the canvas again, and the alert names the cause.
TEST_F(PictureFilesTest, FailedSaveKeepsThePreviousFileAndThePicture) {
    answer = picturePath("cat.tbx");
    paintStroke(255, 0, 0, 100);
    ASSERT_TRUE(files->SavePicture(easel_.page.get(), 1));
    const std::string saved = fileBytes("cat.tbx");
    ASSERT_FALSE(saved.empty());

    struct Case {
        const char* name;
        std::function<void(plat::FakeDrive&)> fault;
        const char* key;
    };
    const Case cases[] = {
        {"full disc", [](plat::FakeDrive& d) { d.failNext(plat::kSysDiskFull, 1000); }, "VolumeFull"},
        {"write-protected disc", [](plat::FakeDrive& d) { d.setWriteProtected(true); }, "GeneralFileErr"},
        {"folder refusing access", [](plat::FakeDrive& d) { d.failNext(plat::kSysAccessDenied, 1000); }, "FileLocked"},
        {"device error", [](plat::FakeDrive& d) { d.failNext(plat::kSysGeneralFailure, 1000); }, "GeneralFileErr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        paintStroke(0, 255, 0, 150);
        const std::vector<u16> painted = pictureCopy();
        alerts.clear();
        c.fault(*drive_);
        EXPECT_FALSE(files->SavePicture(easel_.page.get(), 1));
        drive_->failNext(plat::kSysOk, 0);
        drive_->setWriteProtected(false);
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0], c.key);
        EXPECT_EQ(fileBytes("cat.tbx"), saved);
        EXPECT_TRUE(easel_.page->Data().IsDirty());
        EXPECT_EQ(pictureCopy(), painted);
        EXPECT_TRUE(easel_.attachedNow);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_ + "/disc/Pictures"),
                                std::filesystem::directory_iterator{}),
                  1)
            << "no half-written file is left beside it";
    }
}

TEST_F(PictureFilesTest, SaveFailureKeysByEngineError) {
    struct Case {
        EngineErr err;
        const char* key;
    };
    const Case cases[] = {{10300, "FileLocked"}, {10103, "NotEnoughMemoryToSave"}, {10313, "VolumeFull"},
                          {10312, "GeneralFileErr"}, {10314, "GeneralFileErr"}};
    for (const Case& c : cases) EXPECT_STREQ(saveFailureKey(c.err), c.key) << c.err;
}

TEST_F(PictureFilesTest, UnreadablePictureKeepsThePreviousPage) {
    std::ofstream(hostPath("junk.tbx"), std::ios::binary) << "not a picture";
    paintStroke(255, 0, 0, 100);
    RPage* before = easel_.page.get();
    EXPECT_FALSE(files->OpenPicture(picturePath("junk.tbx")));
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], "CantOpenPictureFile");
    EXPECT_EQ(filled, picturePath("junk.tbx"));
    EXPECT_EQ(easel_.page.get(), before);
    EXPECT_EQ(inPicture(200, 100), rgb555(255, 0, 0));
}

TEST_F(PictureFilesTest, ReopeningTheShownPictureReadsItFromDisc) {
    answer = picturePath("cat.tbx");
    ASSERT_TRUE(files->SavePicture(easel_.page.get(), 1));
    paintStroke(0, 0, 255, 200);  // not saved
    ASSERT_TRUE(files->OpenPicture(answer));
    EXPECT_EQ(inPicture(200, 200), kRgb555White);
}

TEST_F(PictureFilesTest, ShownPictureThatBecameUnreadableLeavesABlankPage) {
    answer = picturePath("cat.tbx");
    paintStroke(255, 0, 0, 100);
    ASSERT_TRUE(files->SavePicture(easel_.page.get(), 1));
    std::ofstream(hostPath("cat.tbx"), std::ios::binary | std::ios::trunc) << "broken";
    EXPECT_FALSE(files->OpenPicture(answer));
    ASSERT_NE(easel_.page, nullptr);
    EXPECT_EQ(easel_.page->FileName(), "");
    EXPECT_EQ(inPicture(200, 100), kRgb555White);
}

TEST_F(PictureFilesTest, ChoosingNoPictureOpensNothing) {
    RPage* before = easel_.page.get();
    answer.clear();
    EXPECT_EQ(files->AskOpenName(3), "");
    EXPECT_EQ(easel_.page.get(), before);
    EXPECT_TRUE(alerts.empty());
}

}  // namespace
