// Print jobs printed to the "PDF file" printer and read back with pdftoppm: every layout puts
// each slide in the cell its geometry predicts, turned as the layout turns it.
#include <fstream>
#include <functional>
#include <iterator>

#include "PrintJobSupport.h"
#include "app/print/RCardJob.h"
#include "app/print/RComicJob.h"
#include "app/print/RPosterJob.h"
#include "app/print/RStoryJob.h"
#include "app/print/RThumbnailJob.h"
#include "engine/gfx/GfxErrors.h"
#include "framework/dialogs/mfxAlert.h"
#include "platform/print/choice/PrintChoice.h"
#include "platform/print/pdf/PdfFilePrinter.h"

namespace {

using namespace testapp;

// The test's paper has no unprintable margins: the page area keeps its own off the edges.
const Rect16 kLandscapeArea{kSheetMargin, kSheetMargin, 900 - kSheetMargin, 600 - kSheetMargin};
const Rect16 kPortraitArea{kSheetMargin, kSheetMargin, 600 - kSheetMargin, 900 - kSheetMargin};

// A picture expected on a sheet: the slide, where it lies, and how it is turned.
struct Placed {
    u16 slide;
    Rect16 cell;
    bool mirrored = false;
    bool upsideDown = false;
};
using Sheet = std::vector<Placed>;

// Checks the four quarters of each placed picture: the slide's colour, with the black quarter
// where the turning puts it.
void expectSheet(const PrintJobTest* test, const testprint::RenderedPage& page, const Sheet& sheet, const std::string& what,
                 const std::function<u32(const testprint::RenderedPage&, i32, i32)>& colourAt) {
    for (const Placed& p : sheet) {
        const i32 w = p.cell.right - p.cell.left, h = p.cell.bottom - p.cell.top;
        for (int qy = 0; qy < 2; ++qy)
            for (int qx = 0; qx < 2; ++qx) {
                const bool blackX = (qx == 1) != p.mirrored, blackY = (qy == 1) != p.upsideDown;
                const u32 want = blackX && blackY ? kBlack : packed(slideColour(p.slide));
                const i32 x = p.cell.left + w / 4 + qx * (w / 2), y = p.cell.top + h / 4 + qy * (h / 2);
                const u32 got = colourAt(page, x, y);
                EXPECT_TRUE(alike(got, want)) << what << ": slide " << p.slide << " quarter " << qx << "," << qy << " at "
                                              << x << "," << y << " is " << std::hex << got << " not " << want;
            }
    }
    (void)test;
}

class LayoutsOnPdf : public PrintJobTest {
public:
    u32 at(const testprint::RenderedPage& page, i32 x, i32 y) const { return colourAt(page, x, y); }
};

TEST_F(LayoutsOnPdf, EverySlideLandsInItsPredictedCell) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<RPrintJob>(const PrintSources&)> make;
        u16 first, last;
        u32 orientation;
        u16 reverse;
        std::vector<Sheet> sheets;
    };
    const i32 sw = kPageWidth, sh = kPageHeight;
    const Rect16 fullPage = FitInside(kLandscapeArea, sw, sh);
    const auto card = [&](u16 k, u16 slide) { return Placed{slide, CardCell(k, kLandscapeArea, sw, sh), k == 1 || k == 4, k == 1 || k == 4}; };
    const auto comic = [&](u16 k, u16 slide, const Rect16& a) { return Placed{slide, ComicCell(k, a, sw, sh)}; };
    std::vector<Case> cases = {
        {"full page", [](const PrintSources& s) { return std::make_unique<RPrintJob>(1, s); }, 2, 3, kPrintLandscape, 0,
         {{{2, fullPage}}, {{3, fullPage}}}},
        {"full page reversed", [](const PrintSources& s) { return std::make_unique<RPrintJob>(1, s); }, 1, 1, kPrintLandscape, 1,
         {{{1, fullPage, true}}}},
        {"card of five slides: the fifth starts a second sheet",
         [](const PrintSources& s) { return std::make_unique<RCardJob>(s); }, 1, 5, kPrintLandscape, 0,
         {{card(1, 1), card(2, 2), card(3, 3), card(4, 4)}, {card(1, 5)}}},
        {"comic in portrait", [](const PrintSources& s) { return std::make_unique<RComicJob>(s); }, 1, 6, kPrintPortrait, 0,
         {{comic(1, 1, kPortraitArea), comic(2, 2, kPortraitArea), comic(3, 3, kPortraitArea), comic(4, 4, kPortraitArea),
           comic(5, 5, kPortraitArea), comic(6, 6, kPortraitArea)}}},
        {"comic ending mid-sheet", [](const PrintSources& s) { return std::make_unique<RComicJob>(s); }, 2, 4, kPrintLandscape, 0,
         {{comic(1, 2, kLandscapeArea), comic(2, 3, kLandscapeArea), comic(3, 4, kLandscapeArea)}}},
        {"story in landscape", [](const PrintSources& s) { return std::make_unique<RStoryJob>(s); }, 3, 4, kPrintLandscape, 0,
         {{{3, StoryCell(1, kLandscapeArea, true, sw, sh)}, {4, StoryCell(2, kLandscapeArea, true, sw, sh)}}}},
        {"story in portrait", [](const PrintSources& s) { return std::make_unique<RStoryJob>(s); }, 1, 2, kPrintPortrait, 0,
         {{{1, StoryCell(1, kPortraitArea, false, sw, sh)}, {2, StoryCell(2, kPortraitArea, false, sw, sh)}}}},
    };
    Sheet thumbnails;
    for (u16 k = 1; k <= 24; ++k) thumbnails.push_back({k, ThumbnailCell(k, kPortraitArea, sw, sh)});
    cases.push_back({"thumbnails", [](const PrintSources& s) { return std::make_unique<RThumbnailJob>(s); }, 1, 24,
                     kPrintPortrait, 0, {thumbnails}});
    addSlides(24);
    for (const Case& c : cases) {
        std::unique_ptr<RPrintJob> job = c.make(sources);
        job->SetFirstPage(c.first);
        job->SetLastPage(c.last);
        job->SetMode(c.orientation);
        job->SetReverse(c.reverse);
        ASSERT_EQ(job->Run(kPrintModeSlides), kErrNone) << c.name;
        const std::vector<testprint::RenderedPage> pages = sheets();
        ASSERT_EQ(pages.size(), c.sheets.size()) << c.name;
        for (size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(pages[i].width > pages[i].height, c.orientation == kPrintLandscape) << c.name;
            expectSheet(this, pages[i], c.sheets[i], c.name + std::string(" sheet ") + std::to_string(i + 1),
                        [this](const testprint::RenderedPage& p, i32 x, i32 y) { return at(p, x, y); });
        }
    }
}

// A full page keeps the picture's 4:3: on the 3:2 sheet the paper beside it stays white, in
// both orientations.
TEST_F(LayoutsOnPdf, AFullPageLeavesThePaperBesideThePictureWhite) {
    RPage easel(PageSettings{}, "", 1);
    paintSlide(easel, 5);
    sources.easelPage = &easel;
    for (const u32 orientation : {kPrintLandscape, kPrintPortrait}) {
        SCOPED_TRACE(orientation);
        RPrintJob job(1, sources);
        job.SetMode(orientation);
        ASSERT_EQ(job.Run(kPrintModeEasel), kErrNone);
        const std::vector<testprint::RenderedPage> pages = sheets();
        ASSERT_EQ(pages.size(), 1u);
        const bool landscape = orientation == kPrintLandscape;
        // Landscape: the picture spans 99..800 across; portrait: 253..647 down.
        const i32 beside = 20, inside = landscape ? 150 : 350;
        EXPECT_TRUE(alike(landscape ? colourAt(pages[0], beside, 300) : colourAt(pages[0], 300, beside), kWhite));
        EXPECT_TRUE(alike(landscape ? colourAt(pages[0], inside, 100) : colourAt(pages[0], 100, inside),
                          packed(slideColour(5))));
    }
}

// What is white on the page prints as the paper's white, and a printer that prints to the very
// edges (the built-in "PDF file" printer on A4) still leaves a margin all round, as paper
// printers do: a full page in landscape, which takes the page area's whole height, stays off
// the sheet's top and bottom edges.
TEST_F(LayoutsOnPdf, WhiteStaysWhiteAndThePdfPrinterKeepsItsMargins) {
    PictureRecord white{2, 2, std::vector<u8>(16, 255), {}};
    std::vector<u8> whiteBytes;
    ASSERT_EQ(writePictureRecord(white, false, &whiteBytes), kErrNone);
    printer.paper = plat::print::pdfPrinterSettings(true).paper;
    for (const bool whitePage : {true, false}) {
        SCOPED_TRACE(whitePage ? "white page" : "coloured page");
        RPage easel(PageSettings{}, "", 1);
        if (whitePage)
            ASSERT_NE(easel.Data().AddObject(kTypeBitmap, kBackgroundId, whiteBytes, {0, 0, i16(kPageWidth), i16(kPageHeight)}),
                      nullptr);
        else
            paintSlide(easel, 6);
        sources.easelPage = &easel;
        RPrintJob job(1, sources);
        job.SetMode(kPrintLandscape);
        ASSERT_EQ(job.Run(kPrintModeEasel), kErrNone);
        const std::vector<testprint::RenderedPage> pages = sheets();
        ASSERT_EQ(pages.size(), 1u);
        const testprint::RenderedPage& sheet = pages[0];
        // In the picture's top left quarter (the slide's bottom right one is black).
        const u32 inside = sheet.at(sheet.width * 3 / 10, sheet.height * 3 / 10);
        if (whitePage) {
            for (int shift : {0, 8, 16}) EXPECT_GE((inside >> shift) & 0xFF, 252u) << std::hex << inside;
            continue;
        }
        EXPECT_TRUE(alike(inside, packed(slideColour(6))));
        EXPECT_TRUE(alike(sheet.at(sheet.width / 2, 1), kWhite)) << "the top edge";
        EXPECT_TRUE(alike(sheet.at(sheet.width / 2, sheet.height - 2), kWhite)) << "the bottom edge";
    }
}

TEST_F(LayoutsOnPdf, PostersSpreadTheEaselsPictureOverTheirSheets) {
    RPage easel(PageSettings{}, "", 1);
    paintSlide(easel, 9);
    sources.easelPage = &easel;
    const u32 colour = packed(slideColour(9));
    struct Case {
        u16 kind;
        // Each sheet's colour three quarters across and down, where the picture's black
        // bottom-right quarter shows on the tiles it reaches.
        std::vector<u32> samples;
    };
    const Case cases[] = {
        {kPoster2x2, {colour, colour, colour, kBlack}},
        {kPoster3x3, {colour, colour, colour, colour, kBlack, kBlack, colour, kBlack, kBlack}},
    };
    for (const Case& c : cases) {
        RPosterJob job(c.kind, sources);
        job.SetFirstPage(1);
        job.SetLastPage(1);
        EXPECT_EQ(job.LastPage(), c.samples.size());
        ASSERT_EQ(job.Run(kPrintModeEasel), kErrNone);
        const std::vector<testprint::RenderedPage> pages = sheets();
        ASSERT_EQ(pages.size(), c.samples.size()) << c.kind;
        for (size_t i = 0; i < pages.size(); ++i) {
            EXPECT_TRUE(alike(colourAt(pages[i], 675, 450), c.samples[i])) << "poster " << c.kind << " sheet " << i + 1;
        }
    }
}

// Each copy starts in the first cell of a fresh sheet: the second copy of five card slides
// repeats the first copy's sheets exactly.
TEST_F(LayoutsOnPdf, EachCopyStartsInTheFirstCell) {
    addSlides(5);
    gfxSetPrintDialogProc([](GfxPrintDialogRecord& record, const GfxPrintDialogTexts*) {
        record.printer->copies = 2;
        return 1;
    });
    RCardJob job(sources);
    job.SetFirstPage(1);
    job.SetLastPage(5);
    ASSERT_EQ(job.ShowPrintDialog(plat::kNoWindow), 1);
    ASSERT_EQ(job.Run(kPrintModeSlides), kErrNone);
    gfxSetPrintDialogProc(nullptr);
    const std::vector<testprint::RenderedPage> pages = sheets();
    ASSERT_EQ(pages.size(), 4u);
    const auto at = [this](const testprint::RenderedPage& p, i32 x, i32 y) { return colourAt(p, x, y); };
    const i32 sw = kPageWidth, sh = kPageHeight;
    for (size_t copy = 0; copy < 2; ++copy) {
        expectSheet(this, pages[2 * copy],
                    {{1, CardCell(1, kLandscapeArea, sw, sh), true, true}, {2, CardCell(2, kLandscapeArea, sw, sh)},
                     {3, CardCell(3, kLandscapeArea, sw, sh)}, {4, CardCell(4, kLandscapeArea, sw, sh), true, true}},
                    "copy " + std::to_string(copy + 1), at);
        expectSheet(this, pages[2 * copy + 1], {{5, CardCell(1, kLandscapeArea, sw, sh), true, true}},
                    "copy " + std::to_string(copy + 1) + " second sheet", at);
    }
}

// The range asks for slides 1 to 3 of a project of two: the third is missing, yet the sheet
// begun with the first two is ended and printed.
TEST_F(LayoutsOnPdf, ASheetEndsWhenTheRangesLastPageIsMissing) {
    addSlides(2);
    RComicJob job(sources);
    job.SetFirstPage(1);
    job.SetLastPage(3);
    ASSERT_EQ(job.Run(kPrintModeSlides), kErrNone);
    const std::vector<testprint::RenderedPage> pages = sheets();
    ASSERT_EQ(pages.size(), 1u);
    const i32 sw = kPageWidth, sh = kPageHeight;
    expectSheet(this, pages[0], {{1, ComicCell(1, kLandscapeArea, sw, sh)}, {2, ComicCell(2, kLandscapeArea, sw, sh)}},
                "two of three", [this](const testprint::RenderedPage& p, i32 x, i32 y) { return colourAt(p, x, y); });
    const Rect16 third = ComicCell(3, kLandscapeArea, sw, sh);
    EXPECT_TRUE(alike(colourAt(pages[0], (third.left + third.right) / 2, (third.top + third.bottom) / 2), kWhite));
}

// A range the project has no slides for prints nothing: no empty document goes to the
// printer, and the file an earlier print wrote stays as it was.
TEST_F(LayoutsOnPdf, ARangeWithoutSlidesSendsNoDocument) {
    addSlides(2);
    std::ofstream(printer.outputPath) << "an earlier print";
    for (const u32 copies : {1u, 3u}) {
        SCOPED_TRACE(copies);
        gfxSetPrintDialogProc([copies](GfxPrintDialogRecord& record, const GfxPrintDialogTexts*) {
            record.printer->copies = u16(copies);
            return 1;
        });
        RComicJob job(sources);
        job.SetFirstPage(5);
        job.SetLastPage(7);
        ASSERT_EQ(job.ShowPrintDialog(plat::kNoWindow), 1);
        EXPECT_EQ(job.Run(kPrintModeSlides), kErrNone);
        gfxSetPrintDialogProc(nullptr);
        std::ifstream in(printer.outputPath);
        const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(kept, "an earlier print");
    }
}

// With both a project and an easel picture at hand, the print mode alone chooses what prints.
TEST_F(LayoutsOnPdf, ThePagePrintedFollowsThePrintMode) {
    addSlides(3);
    RPage easel(PageSettings{}, "", 1);
    paintSlide(easel, 7);
    sources.easelPage = &easel;
    project->SetCurrentPage(project->GetPage(3));
    const struct {
        u32 mode;
        u16 slide;
    } cases[] = {{kPrintModeEasel, 7}, {kPrintModeSlides, 2}};
    for (const auto& c : cases) {
        RPrintJob job(1, sources);
        job.SetFirstPage(2);
        job.SetLastPage(2);
        ASSERT_EQ(job.Run(c.mode), kErrNone);
        const std::vector<testprint::RenderedPage> pages = sheets();
        ASSERT_EQ(pages.size(), 1u);
        expectSheet(this, pages[0], {{c.slide, kLandscapeArea}}, "mode " + std::to_string(c.mode),
                    [this](const testprint::RenderedPage& p, i32 x, i32 y) { return colourAt(p, x, y); });
    }
}

TEST_F(PrintJobTest, WithoutAPrinterTheUserIsToldAndNothingPrints) {
    struct NoPrinter : SmallPdfPrinter {
        bool defaultPrinter(plat::print::PrinterSettings*) override { return false; }
    } none;
    plat::print::setPrintBackend(&none);
    addSlides(1);
    mfxTakeAlertRecords();
    RPrintJob job(1, sources);
    EXPECT_EQ(job.Run(kPrintModeSlides), kGfxErrNoPrinter);
    const std::vector<mfxAlertRecord> alerts = mfxTakeAlertRecords();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].style & kAlertButtonsMask, kAlertOk);
    EXPECT_FALSE(std::filesystem::exists(printer.outputPath));
}

TEST_F(PrintJobTest, EachLayoutRefusesTheOrientationItCannotPrint) {
    struct Case {
        const char* name;
        std::unique_ptr<RPrintJob> job;
        u16 refusesLandscape, refusesPortrait;
        const char* message;
    };
    Case cases[] = {
        {"full page", std::make_unique<RPrintJob>(1, sources), 0, 1, "Please choose the Landscape orientation to print this project."},
        {"story", std::make_unique<RStoryJob>(sources), 0, 1, "Please choose the Landscape orientation to print this project."},
        {"thumbnail", std::make_unique<RThumbnailJob>(sources), 1, 0, "Please choose the Portrait orientation to print this project."},
        {"card", std::make_unique<RCardJob>(sources), 0, 0, ""},
        {"comic", std::make_unique<RComicJob>(sources), 0, 0, ""},
        {"poster", std::make_unique<RPosterJob>(kPoster2x2, sources), 0, 0, ""},
    };
    mfxTakeAlertRecords();
    for (Case& c : cases) {
        EXPECT_EQ(c.job->CheckOrientation(true), c.refusesLandscape) << c.name;
        EXPECT_EQ(c.job->CheckOrientation(false), c.refusesPortrait) << c.name;
        const std::vector<mfxAlertRecord> alerts = mfxTakeAlertRecords();
        ASSERT_EQ(alerts.size(), size_t(c.refusesLandscape + c.refusesPortrait)) << c.name;
        for (const mfxAlertRecord& a : alerts) {
            EXPECT_EQ(a.text, c.message) << c.name;
            EXPECT_EQ(a.style, kAlertIconExclamation | kAlertOk) << c.name;
        }
    }
}

TEST_F(PrintJobTest, RangesKeepInOrderAndPostersKeepTheirSheets) {
    RPrintJob job(1, sources);
    job.SetFirstPage(5);
    EXPECT_EQ(job.LastPage(), 5);
    EXPECT_EQ(job.PageCount(), 1);
    job.SetLastPage(3);
    EXPECT_EQ(job.FirstPage(), 3);
    EXPECT_EQ(job.CurrentPage(), 3);
    EXPECT_EQ(job.PageCount(), 1);
    job.SetLastPage(9);
    EXPECT_EQ(job.PageCount(), 7);
    RPosterJob poster(kPoster2x2, sources);
    poster.SetLastPage(40);
    EXPECT_EQ(poster.LastPage(), 4);
    poster.SetPosterSize(kPoster3x3);
    poster.SetLastPage(1);
    EXPECT_EQ(poster.LastPage(), 9);
    EXPECT_EQ(poster.PageCount(), 9);
    EXPECT_EQ(poster.TilesPerSide(), 3);
}

}  // namespace
