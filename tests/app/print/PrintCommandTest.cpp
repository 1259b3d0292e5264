// The print options dialogs and the print command, driven as the dialog's commands arrive,
// printing to the "PDF file" printer.
#include <filesystem>

#include "PictureBitmaps.h"
#include "PrintJobSupport.h"
#include "app/print/PrintJobHolder.h"
#include "engine/gfx/GfxErrors.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/format/DialogFormat.h"
#include "platform/print/choice/PrintChoice.h"
#include "tests/framework/SystemArchiveFixture.h"
#include "tests/framework/WindowFixture.h"

namespace {

using namespace testapp;
using K = DialogItemKind;

DialogItemTemplate item(u16 id, K kind, i16 top, const char* text, u16 flags = 0) {
    return DialogItemTemplate{id, kind, flags, DialogRect{10, top, 200, i16(top + 18)}, 0, {"", text}};
}

std::string dialogBytes(u16 id) {
    DialogTemplate t;
    t.width = 420;
    t.height = 520;
    t.title = {"", id == kPrintModeSlides ? "Print This SlideShow" : "Print This Picture"};
    i16 top = 4;
    const auto add = [&](u16 itemId, K kind, const char* text, u16 flags = 0) {
        t.items.push_back(item(itemId, kind, top, text, flags));
        top = i16(top + 20);
    };
    add(kPrintFullPage, K::Radio, "Full Page", kDlgItemChecked);
    if (id == kPrintModeSlides) {
        add(kPrintStory, K::Radio, "Storybook");
        add(kPrintCard, K::Radio, "Card / Booklet");
        add(kPrintComic, K::Radio, "Comic Book");
        add(kPrintThumbnail, K::Radio, "Thumbnail");
        add(kPrintLandscapeItem, K::Radio, "Landscape", kDlgItemChecked);
        add(kPrintPortraitItem, K::Radio, "Portrait");
        add(kPrintStartingSlide, K::Edit, "", kDlgItemNumber);
        add(kPrintEndingSlide, K::Edit, "", kDlgItemNumber);
        DialogItemTemplate preview = item(kPrintPreviewPicture, K::Picture, top, "");
        preview.limit = kPreviewFullPage;
        t.items.push_back(preview);
        top = i16(top + 20);
    } else {
        add(kPrintReverse, K::CheckBox, "Reverse");
        add(kPrintPoster, K::Radio, "Poster");
        add(kPrintPoster2x2, K::Radio, "2 x 2 Pages", kDlgItemChecked | kDlgItemDisabled);
        add(kPrintPoster3x3, K::Radio, "3 x 3 Pages", kDlgItemDisabled);
    }
    add(kPrintOptions, K::Button, "Options...");
    add(kPrintOk, K::Button, "OK", kDlgItemDefault);
    add(kPrintCancel, K::Button, "Cancel");
    std::vector<u8> bytes;
    EXPECT_EQ(writeDialogTemplate(t, &bytes), kErrNone);
    return testfw::asText(bytes);
}

class PrintCommandTest : public testfw::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        plat::gdi::DisplayPalette::instance().restoreDefaults();
        gfxSetReservedColors(0);
        gfxSetNoStaticColors(0);
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        std::vector<testres::ResContent> contents{{fourCC("DLOG"), u16(kPrintModeEasel), dialogBytes(kPrintModeEasel)},
                                                  {fourCC("DLOG"), u16(kPrintModeSlides), dialogBytes(kPrintModeSlides)}};
        // The preview pictures, but for the thumbnail's.
        for (u16 id = kPreviewFullPage; id < kPreviewThumbnail; ++id)
            contents.push_back({fourCC("tBMP"), id, testfw::asText(picture24(id, 4, 3))});
        archive.open(contents);
        printer.outputPath = scratch.file("sheets.pdf");
        plat::print::setPrintBackend(&printer);
        project = std::make_unique<RDocument>(nullptr);
        for (u16 n = 1; n <= 8; ++n) {
            ASSERT_EQ(project->AppendPage(std::make_unique<RPage>(PageSettings{}, "", 0)), kErrNone);
            paintSlide(*project->GetPage(kLastPageNumber), n);
        }
        paintSlide(easel, 12);
        sources.project = project.get();
        sources.easelPage = &easel;
    }
    void TearDown() override {
        plat::print::setPrintBackend(nullptr);
        project.reset();
        gfxSetPort(nullptr);
        gfxShutdownPalettes();
        WindowTest::TearDown();
    }
    // Runs the print command with the dialog's commands given in order; the slide fields are
    // typed just before OK, once the layout has set them.
    void print(PrintModule module, const std::vector<u16>& commands, const std::string& starting = "",
               const std::string& ending = "") {
        holder.Print(module, window.get(), sources, [&](RPrintDialog& dialog) {
            for (u16 command : commands) {
                if (command == kPrintOk && !starting.empty()) dialog.SetItemText(kPrintStartingSlide, starting);
                if (command == kPrintOk && !ending.empty()) dialog.SetItemText(kPrintEndingSlide, ending);
                dialog.OnCommand(command, kDlgNotifyClicked, 0);
            }
        });
    }
    std::vector<testprint::RenderedPage> sheets() { return testprint::renderPdf(printer.outputPath, printer.dpi, scratch); }
    u32 colourAt(const testprint::RenderedPage& sheet, i32 x, i32 y) const {
        return sheet.at(x * printer.dpi / kPrintResolution, y * printer.dpi / kPrintResolution);
    }

    testfw::SystemArchive archive;
    SmallPdfPrinter printer;
    testprint::ScratchFolder scratch;
    std::unique_ptr<RDocument> project;
    RPage easel{PageSettings{}, "", 1};
    PrintSources sources;
    PrintJobHolder holder;
};

// The dialog's state after a script of commands.
TEST_F(PrintCommandTest, TheSlideShowDialogFollowsItsCommands) {
    struct Case {
        const char* name;
        std::vector<u16> commands;
        u32 layout, orientation;
        bool landscapeEnabled, portraitEnabled;
        const char* ending;
        bool endingEnabled;
        u16 preview;
    };
    const Case cases[] = {
        {"opened", {}, kLayoutFullPage, kPrintLandscape, false, false, "n/a", false, 900},
        {"comic", {kPrintComic}, kLayoutComic, kPrintLandscape, true, true, "6", true, 905},
        {"card in portrait", {kPrintCard, kPrintPortraitItem}, kLayoutCard, kPrintPortrait, true, true, "4", true, 904},
        {"story", {kPrintStory}, kLayoutStory, kPrintLandscape, true, true, "2", true, 901},
        {"thumbnail forces portrait", {kPrintThumbnail}, kLayoutThumbnail, kPrintPortrait, false, true, "24", true, 907},
        {"comic after thumbnail is landscape again", {kPrintThumbnail, kPrintComic}, kLayoutComic, kPrintLandscape, true,
         true, "6", true, 905},
        {"full page resets", {kPrintStory, kPrintPortraitItem, kPrintFullPage}, kLayoutFullPage, kPrintLandscape, false,
         false, "n/a", false, 900},
    };
    for (const Case& c : cases) {
        RPrintDialog dialog(window.get(), kPrintModeSlides);
        ASSERT_EQ(dialog.LoadError(), kErrNone);
        RPrintJob base(1, sources);
        dialog.SetBaseJob(&base);
        dialog.Initialize();
        for (u16 command : c.commands) dialog.OnCommand(command, kDlgNotifyClicked, 0);
        EXPECT_EQ(dialog.Layout(), c.layout) << c.name;
        EXPECT_EQ(dialog.Orientation(), c.orientation) << c.name;
        EXPECT_EQ(dialog.IsChecked(kPrintLandscapeItem), c.orientation == kPrintLandscape) << c.name;
        EXPECT_EQ(dialog.IsChecked(kPrintPortraitItem), c.orientation == kPrintPortrait) << c.name;
        EXPECT_EQ(dialog.IsItemEnabled(kPrintLandscapeItem), c.landscapeEnabled) << c.name;
        EXPECT_EQ(dialog.IsItemEnabled(kPrintPortraitItem), c.portraitEnabled) << c.name;
        EXPECT_EQ(dialog.GetItemText(kPrintStartingSlide), "1") << c.name;
        EXPECT_EQ(dialog.GetItemText(kPrintEndingSlide), c.ending) << c.name;
        EXPECT_EQ(dialog.IsItemEnabled(kPrintEndingSlide), c.endingEnabled) << c.name;
        EXPECT_EQ(dialog.PreviewShown(), c.preview) << c.name;
        for (u16 button : {kPrintFullPage, kPrintComic, kPrintCard, kPrintThumbnail, kPrintStory})
            EXPECT_EQ(dialog.IsChecked(button), button == c.layout + kPrintFullPage) << c.name << " button " << button;
    }
}

// OK takes the slides when they are sound and keeps the dialog open on the wrong field when not.
// The dialog's preview item, as the dialog box draws it.
class PreviewReader : public RPrintDialog {
public:
    using RPrintDialog::RPrintDialog;
    const plat::gdi::Surface* Drawn() { return Box().find(kPrintPreviewPicture)->picture; }
};

TEST_F(PrintCommandTest, ThePreviewItemDrawsThePictureOfTheLayout) {
    struct Case {
        const char* name;
        std::vector<u16> commands;
        u16 picture;
        bool drawn;
    };
    const Case cases[] = {
        {"opened", {}, kPreviewFullPage, true},
        {"story landscape", {kPrintStory}, 901, true},
        {"story portrait", {kPrintStory, kPrintPortraitItem}, 902, true},
        {"comic", {kPrintComic}, 905, true},
        {"full page again", {kPrintCard, kPrintFullPage}, kPreviewFullPage, true},
        // A picture missing from the archives shows nothing rather than the last one.
        {"thumbnail without its picture", {kPrintThumbnail}, kPreviewThumbnail, false},
    };
    for (const Case& c : cases) {
        PreviewReader dialog(window.get(), kPrintModeSlides);
        dialog.Initialize();
        for (u16 command : c.commands) dialog.OnCommand(command, kDlgNotifyClicked, 0);
        EXPECT_EQ(dialog.PreviewShown(), c.picture) << c.name;
        EXPECT_EQ(dialog.Drawn(), dialog.PreviewPicture()) << c.name;
        if (!c.drawn) {
            EXPECT_EQ(dialog.Drawn(), nullptr) << c.name;
            continue;
        }
        const plat::gdi::Surface* drawn = dialog.Drawn();
        ASSERT_NE(drawn, nullptr) << c.name;
        ASSERT_EQ(drawn->width(), 4) << c.name;
        const plat::gdi::Rgb corner = drawn->rgbOf(drawn->pixel(3, 2));
        EXPECT_EQ(u32(corner.red) << 16 | u32(corner.green) << 8 | corner.blue, pictureColour(c.picture, 3, 2)) << c.name;
    }
}

TEST_F(PrintCommandTest, OkChecksTheSlideNumbers) {
    struct Case {
        const char* name;
        u16 layoutButton;
        const char *starting, *ending;
        u32 result;
        u16 focus;
        u32 first, last;
    };
    const Case cases[] = {
        {"starting 0 is refused", kPrintFullPage, "0", "", kPrintDialogRunning, kPrintStartingSlide, 1, 1},
        {"starting 97 is refused", kPrintFullPage, "97", "", kPrintDialogRunning, kPrintStartingSlide, 1, 1},
        {"starting 96 is taken", kPrintFullPage, "96", "", kPrintDialogOk, 0, 96, 96},
        {"an empty start is refused", kPrintComic, "", "3", kPrintDialogRunning, kPrintStartingSlide, 1, 1},
        {"an end before the start is refused", kPrintComic, "5", "4", kPrintDialogRunning, kPrintEndingSlide, 1, 1},
        {"card 3 to 20 prints 3 to 6", kPrintCard, "3", "20", kPrintDialogOk, 0, 3, 6},
        {"thumbnail 1 to 30 prints one sheet", kPrintThumbnail, "1", "30", kPrintDialogOk, 0, 1, 24},
        {"story 4 to 4", kPrintStory, "4", "4", kPrintDialogOk, 0, 4, 4},
    };
    for (const Case& c : cases) {
        RPrintDialog dialog(window.get(), kPrintModeSlides);
        dialog.Initialize();
        dialog.OnCommand(c.layoutButton, kDlgNotifyClicked, 0);
        dialog.SetItemText(kPrintStartingSlide, c.starting);
        dialog.SetItemText(kPrintEndingSlide, c.ending);
        dialog.SetFocus(kPrintOk);
        dialog.OnCommand(kPrintOk, kDlgNotifyClicked, 0);
        EXPECT_EQ(dialog.PrintResult(), c.result) << c.name;
        EXPECT_EQ(dialog.HasEnded(), c.result == kPrintDialogOk) << c.name;
        if (c.focus) {
            EXPECT_EQ(dialog.GetFocus(), c.focus) << c.name;
        }
        EXPECT_EQ(dialog.FirstSlide(), c.first) << c.name;
        EXPECT_EQ(dialog.LastSlide(), c.last) << c.name;
    }
}

TEST_F(PrintCommandTest, ThePictureDialogSwitchesBetweenFullPageAndPoster) {
    RPrintDialog dialog(window.get(), kPrintModeEasel);
    dialog.Initialize();
    EXPECT_TRUE(dialog.IsChecked(kPrintPoster2x2));
    EXPECT_FALSE(dialog.IsItemEnabled(kPrintPoster2x2));
    dialog.OnCommand(kPrintReverse, kDlgNotifyClicked, 0);
    EXPECT_EQ(dialog.Reverse(), 1);
    EXPECT_TRUE(dialog.IsChecked(kPrintReverse));
    dialog.OnCommand(kPrintPoster, kDlgNotifyClicked, 0);
    EXPECT_EQ(dialog.Layout(), kLayoutPoster);
    EXPECT_EQ(dialog.Reverse(), 0);
    EXPECT_FALSE(dialog.IsChecked(kPrintReverse));
    EXPECT_FALSE(dialog.IsItemEnabled(kPrintReverse));
    EXPECT_FALSE(dialog.IsChecked(kPrintFullPage));
    EXPECT_TRUE(dialog.IsItemEnabled(kPrintPoster3x3));
    dialog.OnCommand(kPrintPoster3x3, kDlgNotifyClicked, 0);
    EXPECT_EQ(dialog.PosterSize(), 1u);
    EXPECT_FALSE(dialog.IsChecked(kPrintPoster2x2));
    dialog.OnCommand(kPrintFullPage, kDlgNotifyClicked, 0);
    EXPECT_EQ(dialog.Layout(), kLayoutFullPage);
    EXPECT_TRUE(dialog.IsItemEnabled(kPrintReverse));
    EXPECT_FALSE(dialog.IsChecked(kPrintPoster));
    EXPECT_FALSE(dialog.IsItemEnabled(kPrintPoster2x2));
    EXPECT_FALSE(dialog.IsItemEnabled(kPrintPoster3x3));
    dialog.OnCommand(kPrintCancel, kDlgNotifyClicked, 0);
    EXPECT_EQ(dialog.PrintResult(), kPrintDialogCancel);
}

// The print command end to end: what the dialog chose is what the sheets show. The full page
// prints with the base job itself, which is deleted once (the sanitizer watches).
TEST_F(PrintCommandTest, ThePrintCommandPrintsTheChosenLayout) {
    const u32 easelColour = packed(slideColour(12));
    struct Case {
        const char* name;
        PrintModule module;
        std::vector<u16> commands;
        const char *starting, *ending;
        size_t sheets;
        // Where the first sheet shows which slide (0: white), in job units.
        std::vector<std::tuple<i32, i32, u32>> samples;
    };
    const i32 sw = kPageWidth, sh = kPageHeight;
    const Rect16 card3 = CardCell(3, Rect16{kSheetMargin, kSheetMargin, 900 - kSheetMargin, 600 - kSheetMargin}, sw, sh);
    const Case cases[] = {
        {"easel full page", PrintModule::Easel, {kPrintOk}, "", "", 1, {{200, 150, easelColour}, {675, 450, kBlack}}},
        {"easel reversed", PrintModule::Easel, {kPrintReverse, kPrintOk}, "", "", 1, {{675, 150, easelColour}, {225, 450, kBlack}}},
        {"easel reverse then poster prints unreversed", PrintModule::Easel, {kPrintReverse, kPrintPoster, kPrintOk}, "", "", 4,
         {{450, 300, easelColour}}},
        {"picker slide 5", PrintModule::Picker, {kPrintOk}, "5", "", 1, {{200, 150, packed(slideColour(5))}}},
        {"picker card 3 to 20", PrintModule::Picker, {kPrintCard, kPrintOk}, "3", "20", 1,
         {{(card3.left + card3.right) / 2 - 50, (card3.top + card3.bottom) / 2 - 50, packed(slideColour(5))}}},
        {"cancel prints nothing", PrintModule::Picker, {kPrintCancel}, "1", "", 0, {}},
        {"another module prints nothing", PrintModule::Other, {kPrintOk}, "1", "", 0, {}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(printer.outputPath);
        print(c.module, c.commands, c.starting, c.ending);
        EXPECT_EQ(holder.PrintMode(), kPrintModeNone) << c.name;
        if (c.sheets == 0) {
            EXPECT_FALSE(holder.Printed()) << c.name;
            EXPECT_FALSE(std::filesystem::exists(printer.outputPath)) << c.name;
            continue;
        }
        EXPECT_TRUE(holder.Printed()) << c.name;
        EXPECT_EQ(holder.LastResult(), kErrNone) << c.name;
        const std::vector<testprint::RenderedPage> pages = sheets();
        ASSERT_EQ(pages.size(), c.sheets) << c.name;
        for (const auto& [x, y, colour] : c.samples)
            EXPECT_TRUE(alike(colourAt(pages[0], x, y), colour)) << c.name << " at " << x << "," << y;
    }
}

// A story book in portrait is refused while the dialog is still open: the child is told and
// can choose landscape, and then it prints.
TEST_F(PrintCommandTest, AStoryBookInPortraitIsRefusedBeforeTheDialogCloses) {
    mfxTakeAlertRecords();
    std::vector<mfxAlertRecord> refusal;
    u32 resultAfterRefusal = kPrintDialogOk;
    u16 focusAfterRefusal = 0;
    holder.Print(PrintModule::Picker, window.get(), sources, [&](RPrintDialog& dialog) {
        dialog.OnCommand(kPrintStory, kDlgNotifyClicked, 0);
        dialog.OnCommand(kPrintPortraitItem, kDlgNotifyClicked, 0);
        dialog.OnCommand(kPrintOk, kDlgNotifyClicked, 0);
        resultAfterRefusal = dialog.PrintResult();
        focusAfterRefusal = dialog.GetFocus();
        refusal = mfxTakeAlertRecords();
        dialog.OnCommand(kPrintLandscapeItem, kDlgNotifyClicked, 0);
        dialog.OnCommand(kPrintOk, kDlgNotifyClicked, 0);
    });
    EXPECT_EQ(resultAfterRefusal, kPrintDialogRunning);
    EXPECT_EQ(focusAfterRefusal, kPrintLandscapeItem);
    ASSERT_EQ(refusal.size(), 1u);
    EXPECT_EQ(refusal[0].text, "Please choose the Landscape orientation to print this project.");
    // After the print, only where the "PDF file" printer put the file.
    const std::vector<mfxAlertRecord> after = mfxTakeAlertRecords();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_NE(after[0].text.find("\"sheets.pdf\""), std::string::npos) << after[0].text;
    // Written where the printer was told, a folder the job was not given: named by its own name.
    const std::string folder = std::filesystem::path(printer.outputPath).parent_path().filename().string();
    EXPECT_NE(after[0].text.find(" in " + folder + "."), std::string::npos) << after[0].text;
    EXPECT_TRUE(holder.Printed());
    EXPECT_EQ(holder.LastResult(), kErrNone);
    EXPECT_EQ(sheets().size(), 1u);
}

}  // namespace
