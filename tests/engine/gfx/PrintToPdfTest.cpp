#include "PrintTestSupport.h"

#include "platform/print/choice/PrintChoice.h"
#include "platform/print/headless/HeadlessPrint.h"
#include "tests/platform/print/PdfPages.h"

namespace {

namespace pp = plat::print;

// Prints through the "PDF file" printer of the headless backend, on a paper of 2 x 3 inches
// at 50 pixels per inch (100 x 150 pixels: more than two bands a page).
class PrintToPdfTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        pp::setPrintBackend(&pdf);
    }
    void prepare(GfxPrintSetup& setup) {
        ASSERT_EQ(setup.valid, 1u);
        ASSERT_STREQ(setup.deviceName.data(), pp::kPdfPrinterName);
        setup.dialog.printer->paper = pp::Paper{"Card", 508, 762};
        setup.dialog.printer->resolution = 50;
        setup.dialog.printer->outputPath = scratch.file("picture.pdf");
    }
    // The open page's pixels as red, green, blue words.
    std::vector<u32> pagePixels(GfxPort* port) {
        const pp::PageImage page = static_cast<GfxPrinterPort*>(port)->Page();
        std::vector<u32> out;
        for (i32 y = 0; y < page.height; ++y)
            for (i32 x = 0; x < page.width; ++x) {
                const u8* p = page.pixels + size_t(y) * size_t(page.stride) + size_t(x) * 3;
                out.push_back(u32(p[2]) << 16 | u32(p[1]) << 8 | p[0]);
            }
        return out;
    }

    pp::HeadlessPrintBackend pdf;
    testprint::ScratchFolder scratch;
};

TEST_F(PrintToPdfTest, ATwoPagePictureReadsBackAsThePortsPixels) {
    GfxPrintSetup& setup = newSetup("Two pages", 1, 2, 2, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    prepare(setup);
    GfxPort* port = makePrinterPort(setup);
    ASSERT_NE(port, nullptr);
    ASSERT_TRUE(rectEqual(setup.printable, Rect16{0, 0, 100, 150}));
    ProgressLog log;
    ASSERT_EQ(gfxPrintStartDoc(port, plat::kNoWindow, logProgress, &log), kErrNone);
    std::vector<std::vector<u32>> drawn;
    for (u16 page = 1; page <= 2; ++page) {
        ASSERT_EQ(gfxPrintStartPage(port), kErrNone);
        ASSERT_EQ(setup.state.currentPage, page);
        gfxFillRect(Rect16{0, 0, 100, 150}, GfxColor::rgb(250, 240, 10, kGfxColorFlagPortRgb), 0);
        gfxFillOval(Rect16{10, i16(10 * page), 90, 120}, pageColour(page), 0);
        gfxFillRect(Rect16{i16(5 * page), 130, 60, 145}, GfxColor::rgb(0, 0, 200, kGfxColorFlagPortRgb), 0);
        drawn.push_back(pagePixels(port));
        const EngineErr ended = gfxPrintEndPage(port, 0);
        EXPECT_EQ(ended, page == 2 ? kGfxErrPrintDone : kErrNone);
    }
    ASSERT_EQ(gfxPrintEndDoc(port), kErrNone);
    EXPECT_NE(drawn[0], drawn[1]);
    const std::vector<testprint::RenderedPage> shown = testprint::renderPdf(scratch.file("picture.pdf"), 50, scratch);
    ASSERT_EQ(shown.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i + 1);
        ASSERT_EQ(shown[i].width, 100);
        ASSERT_EQ(shown[i].height, 150);
        int wrong = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 100; ++x) wrong += shown[i].at(x, y) != drawn[i][size_t(y) * 100 + size_t(x)];
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(PrintToPdfTest, CancelInTheMiddleOfAPageLeavesNoFile) {
    GfxPrintSetup& setup = newSetup("Cancelled", 1, 3, 3, 1, kGfxPrintNotSet, kGfxPrintNotSet);
    prepare(setup);
    GfxPort* port = makePrinterPort(setup);
    ProgressLog log;
    // Two polls a page (between its three bands): the fourth poll comes inside page 2.
    log.pollsBeforeCancel = 3;
    const PrintRun run = print(port, setup, &log);
    EXPECT_EQ(run.pages, (std::vector<u16>{1, 2}));
    EXPECT_EQ(run.stoppedWith, kGfxErrPrintAborted);
    EXPECT_EQ(run.endDoc, kGfxErrPrintAborted);
    EXPECT_EQ(log.polls, 4);
    EXPECT_TRUE(scratch.names().empty());
}

TEST_F(PrintToPdfTest, CopiesOfTheFilePrinterAreInTheFile) {
    GfxPrintSetup& setup = newSetup("Copies", 1, 2, 2, 2, kGfxPrintNotSet, kGfxPrintNotSet);
    prepare(setup);
    setup.dialog.flags |= kGfxPrintCollate;
    GfxPort* port = makePrinterPort(setup);
    ProgressLog log;
    const PrintRun run = print(port, setup, &log);
    EXPECT_EQ(run.endDoc, kErrNone);
    const std::vector<testprint::RenderedPage> shown = testprint::renderPdf(scratch.file("picture.pdf"), 50, scratch);
    ASSERT_EQ(shown.size(), 4u);
    const u16 order[] = {1, 2, 1, 2};
    for (size_t i = 0; i < 4; ++i) {
        const GfxColor c = pageColour(order[i]);
        EXPECT_EQ(shown[i].at(50, 75), u32(c.red) << 16 | u32(c.green) << 8 | c.blue) << i;
    }
}

}  // namespace
