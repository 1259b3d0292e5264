// Slides made of files from outside, through Add > Add Graphic (pictures) and Add > Add Movie
// (pictures, movies, animations and sounds) on the picker, with the media runtime: each file
// becomes a page file of its own beside the project, named after it, at the first free place;
// a picture is the page's picture, a movie or an animation an object centred in the canvas,
// and the cell shows what the page holds. A file the slide cannot be made of is a file error
// and adds nothing. The step is undoable like any other.
#include "document/filetypes/RFileTypes.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "framework/language/LanguageTexts.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "media/quicktime/QtConnection.h"
#include "platform/files/Files.h"
#include "tests/media/objects/PageMediaFiles.h"
#include "tests/screens/picker/PickerSessionHarness.h"
#include "tools/base/PixelView.h"

namespace {

using namespace Ostrel;
using testpicker::kModelCells;

constexpr u32 k12Fps = 12u << 16;

class PickerMediaSlides : public testpicker::PickerSession {
protected:
    void SetUp() override {
        PickerSession::SetUp();
        qtSetSearchFolders({TUMBLO_TEST_PROGRAM_DIR});
    }
    void TearDown() override {
        PickerSession::TearDown();
        qtSetSearchFolders({});
    }
    std::string hostFolder(u16 folder) const { return plat::hostPathOfText(app->GetPaths()->BuildPath(folder, false)); }
    std::string slideShows() const { return hostFolder(kFolderProjects); }
    // A picture red on its left half and blue on its right, in the user's Pictures.
    std::string writePng(const std::string& name, i16 width, i16 height) {
        GfxPort* port = gfxNewOffscreenPort(u16(width), u16(height), 16, nullptr);
        EXPECT_NE(port, nullptr);
        if (!port) return {};
        gfxLockPort(port);
        const PixelView view = pixelViewOfPort(*static_cast<GfxOffscreenPort*>(port));
        for (i32 y = 0; y < height; ++y) {
            view.FillSpan(y, 0, width / 2, rgb555(255, 0, 0));
            view.FillSpan(y, width / 2, width, rgb555(0, 0, 255));
        }
        const std::string path = app->GetPaths()->BuildPath(kFolderPictures, true) + name;
        EXPECT_EQ(imgExportPicture(path, port, Rect16{0, 0, width, height}, fourCC("PNGf")), 0);
        gfxUnlockPort(port);
        gfxDisposePort(port);
        return path;
    }
    std::string writeBytes(const std::string& name, const std::vector<u8>& bytes) {
        std::ofstream(hostFolder(kFolderPictures) + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return app->GetPaths()->BuildPath(kFolderPictures, true) + name;
    }
    // The file given to the dialog the command opens, and the import kind it was asked for.
    void addThrough(u16 command, const std::string& path) {
        PickerFileUi files = ui();
        files.chooseMedia = [this, path](u16 kind) {
            asked.push_back(kind);
            return path;
        };
        picker->SetFileUi(files);
        mainWindow->OnCommand(command);
        settle();
    }
    // What the page of the place holds besides its picture.
    std::vector<RPageObject*> objectsAt(u16 place) {
        std::vector<RPageObject*> found;
        RPage* page = app->GetPortfolio()->Document()->GetPage(place);
        u32 iterator = 0;
        RPageObject* object = nullptr;
        while (page->Data().NextObject(&iterator, &object, kTypeAnyObject))
            if (!(object->Type() == kTypeBitmap && object->Id() == kBackgroundId)) found.push_back(object);
        return found;
    }
    // The colour of a thumbnail pixel as 0xRRGGBB, from the cell's 16-bit bitmap.
    u32 cellPixel(int cell, int x, int y) const {
        const ScrollerPicture& bitmap = picker->Strip()->Cells()[size_t(cell)].thumbnail;
        const u16 width = readBE16(bitmap.data());
        const u16 p = readLE16(bitmap.data() + kGfxBitmapHeaderSize + (size_t(y) * width + size_t(x)) * 2);
        const auto c = [](u16 v) { return u32(v & 31) * 255 / 31; };
        return c(p >> 10) << 16 | c(p >> 5) << 8 | c(p);
    }
    static bool reddish(u32 rgb) { return (rgb >> 16) > 200 && ((rgb >> 8) & 0xFF) < 60 && (rgb & 0xFF) < 60; }

    std::vector<u16> asked;
};

TEST_F(PickerMediaSlides, EachKindOfFileBecomesASlideOrIsRefused) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(qtConnected());
    EXPECT_TRUE(enabled(kCmdAddGraphic));
    EXPECT_TRUE(enabled(kCmdAddMovie));
    const std::string png = writePng("sun.png", 64, 48);
    const std::string swf = writeBytes("ball.swf", mediatest::animationBytes(4, k12Fps, 64, 48));
    const std::string mov = hostFolder(kFolderPictures) + "/film.mov";
    ASSERT_FALSE(mediatest::movieBytes(mov).empty());
    const std::string silent = hostFolder(kFolderPictures) + "/hum.mov";
    ASSERT_FALSE(mediatest::movieBytes(silent, false).empty());
    const std::string junk = writeBytes("junk.png", {1, 2, 3});
    const std::string text = writeBytes("note.txt", {'h', 'i'});
    const std::string pictures = app->GetPaths()->BuildPath(kFolderPictures, true);
    struct Case {
        u16 command;
        std::string path;
        FourCC object;  // 0: the picture alone; kTypeBitmap: refused
        const char* pageFile;
        const char* model;
    };
    const Case cases[] = {
        {kCmdAddGraphic, png, 0, "sun.tbx", "A....."},
        {kCmdAddGraphic, swf, kTypeBitmap, nullptr, "A....."},
        {kCmdAddGraphic, junk, kTypeBitmap, nullptr, "A....."},
        {kCmdAddMovie, swf, kTypeFlash, "ball.tbx", "AA...."},
        {kCmdAddMovie, pictures + "film.mov", kTypeMovie, "film.tbx", "AAA..."},
        {kCmdAddMovie, pictures + "hum.mov", kTypeBitmap, nullptr, "AAA..."},
        {kCmdAddMovie, text, kTypeBitmap, nullptr, "AAA..."},
        {kCmdAddMovie, png, 0, "sun1.tbx", "AAAA.."},
    };
    (void)alerts();
    u16 place = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        asked.clear();
        addThrough(c.command, c.path);
        EXPECT_EQ(asked, std::vector<u16>{u16(c.command == kCmdAddGraphic ? kImportPicture : kImportMedia)});
        const std::vector<mfxAlertRecord> told = alerts();
        std::string shown;
        for (int cell = 0; cell < int(kModelCells); ++cell)
            shown += app->GetPortfolio()->Document()->GetPage(u16(cell + 1))->Number() == u16(cell + 1) ? 'A' : '.';
        EXPECT_EQ(shown, c.model);
        if (c.object == kTypeBitmap) {
            ASSERT_EQ(told.size(), 1u);
            EXPECT_EQ(told[0].text, std::string(LookupLanguageText("FileStrings", "GeneralFileErr").c_str()));
            continue;
        }
        EXPECT_TRUE(told.empty());
        ++place;
        EXPECT_EQ(picker->Strip()->GetSelected(), place - 1);
        RPage* page = app->GetPortfolio()->Document()->GetPage(place);
        EXPECT_EQ(page->FileName(), c.pageFile);
        EXPECT_TRUE(std::filesystem::exists(slideShows() + "/" + c.pageFile));
        EXPECT_EQ(picker->SlideName(), std::string(c.pageFile).substr(0, std::string(c.pageFile).size() - 4));
        const std::vector<RPageObject*> held = objectsAt(place);
        if (c.object == 0) {
            EXPECT_TRUE(held.empty()) << "the picture is the page's own";
            // The picture's red half, centred in the canvas, in the thumbnail of the page.
            Rect16 canvas{};
            app->GetCanvasRect(&canvas);
            const int x = ((canvas.right - canvas.left - 64) / 2 + 16) * kThumbnailWidth / (canvas.right - canvas.left);
            const int y = kThumbnailHeight / 2;
            EXPECT_TRUE(reddish(cellPixel(place - 1, x, y))) << std::hex << cellPixel(place - 1, x, y);
            continue;
        }
        ASSERT_EQ(held.size(), 1u);
        EXPECT_EQ(held[0]->Type(), c.object);
        // Centred in the easel's canvas at its own size.
        Rect16 canvas{};
        app->GetCanvasRect(&canvas);
        const PageRect& r = held[0]->rect;
        EXPECT_GT(r.right, r.left);
        EXPECT_EQ(r.left + r.right, canvas.right - canvas.left);
        EXPECT_EQ(r.top + r.bottom, canvas.bottom - canvas.top);
    }
    // The animation's and the movie's first pictures show in their cells, read well inside their edges.
    for (const u16 at : {u16(2), u16(3)}) {
        const PageRect& r = objectsAt(at)[0]->rect;
        Rect16 canvas{};
        app->GetCanvasRect(&canvas);
        const int x = (r.left + 8) * kThumbnailWidth / (canvas.right - canvas.left);
        const int y = (r.top + 8) * kThumbnailHeight / (canvas.bottom - canvas.top);
        EXPECT_TRUE(reddish(cellPixel(at - 1, x, y))) << at << ": " << std::hex << cellPixel(at - 1, x, y);
    }
    // Undo takes the last slide away again.
    command(kCmdUndo);
    EXPECT_EQ(app->GetPortfolio()->Document()->GetPage(4)->Number(), kBlankPageNumber);
    EXPECT_TRUE(picker->AddMediaAsSlide(png, MediaSlideKind::AnyMedia));
    EXPECT_FALSE(picker->AddMediaAsSlide(text, MediaSlideKind::AnyMedia));
    (void)alerts();
    EXPECT_TRUE(picker->IsDirty());
}

// With every place taken, Add Graphic adds nothing and leaves no file behind, without a word.
TEST_F(PickerMediaSlides, AFullShowTakesNoMoreSlides) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    RDocument& document = *app->GetPortfolio()->Document();
    for (u16 place = 1; place <= kMaxProjectPages; ++place)
        ASSERT_EQ(document.PlacePage(place, std::make_unique<RPage>(PageSettings{}, "A.tbx", place)), kErrNone);
    const std::string png = writePng("sun.png", 64, 48);
    (void)alerts();
    for (u16 command : {u16(kCmdAddGraphic), u16(kCmdAddMovie)}) {
        addThrough(command, png);
        EXPECT_TRUE(alerts().empty()) << command;
        EXPECT_FALSE(std::filesystem::exists(slideShows() + "/sun.tbx")) << command;
    }
    EXPECT_FALSE(picker->AddMediaAsSlide(png, MediaSlideKind::Picture));
}

// A picture the child saved (a page file) offered by Add a Picture's own-pictures type becomes a
// slide of its own copy, as the picker's picture button makes it.
TEST_F(PickerMediaSlides, AddAPictureTakesThePicturesTheChildSaved) {
    enterPicker();
    ASSERT_NE(picker, nullptr);
    addThrough(kCmdAddGraphic, writePng("sun.png", 64, 48));
    ASSERT_TRUE(alerts().empty());
    const std::string saved = hostFolder(kFolderPictures) + "/cruz.TBX";
    std::filesystem::copy_file(slideShows() + "/sun.tbx", saved);
    addThrough(kCmdAddGraphic, app->GetPaths()->BuildPath(kFolderPictures, true) + "cruz.TBX");
    EXPECT_TRUE(alerts().empty());
    RPage* page = app->GetPortfolio()->Document()->GetPage(2);
    EXPECT_EQ(page->Number(), 2);
    EXPECT_EQ(picker->Strip()->GetSelected(), 1);
    EXPECT_TRUE(std::filesystem::exists(slideShows() + "/" + page->FileName())) << page->FileName();
    EXPECT_TRUE(std::filesystem::exists(saved)) << "the child's picture stays where it was";
}

}  // namespace
