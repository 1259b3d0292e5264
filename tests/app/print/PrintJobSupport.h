#pragma once
// Fixtures for the print job tests: the graphics engine started, the "PDF file" printer on a
// small paper writing into a scratch folder, and slides of one colour each with a black
// bottom-right quarter, so that a picture's place, mirroring and turning show on the sheet.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/print/PrintLayout.h"
#include "app/print/RPrintJob.h"
#include "document/project/RDocument.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PictureRecord.h"
#include "platform/print/choice/PrintChoice.h"
#include "platform/print/headless/HeadlessPrint.h"
#include "tests/engine/gfx/GfxTestSupport.h"
#include "tests/platform/print/PdfPages.h"

namespace testapp {

using namespace Ostrel;

// The colour of a slide; its channels are multiples of 8, which 16-bit ports hold exactly.
inline plat::gdi::Rgb slideColour(u16 n) { return {u8((n * 53 + 40) & 0xF8), u8((n * 97 + 64) & 0xF8), u8((n * 151 + 128) & 0xF8)}; }
inline u32 packed(plat::gdi::Rgb c) { return u32(c.red) << 16 | u32(c.green) << 8 | c.blue; }
constexpr u32 kWhite = 0xFFFFFF;
constexpr u32 kBlack = 0x000000;

// A 2 x 2 picture: the slide's colour with a black bottom-right pixel.
inline std::vector<u8> slidePicture(u16 n) {
    const plat::gdi::Rgb c = slideColour(n);
    PictureRecord picture{2, 2, {}, {}};
    for (int i = 0; i < 4; ++i) {
        const bool black = i == 3;
        picture.pixels.insert(picture.pixels.end(), {u8(black ? 0 : c.red), u8(black ? 0 : c.green), u8(black ? 0 : c.blue), 255});
    }
    std::vector<u8> bytes;
    EXPECT_EQ(writePictureRecord(picture, false, &bytes), kErrNone);
    return bytes;
}

inline void paintSlide(RPage& page, u16 n) {
    ASSERT_NE(page.Data().AddObject(kTypeBitmap, kBackgroundId, slidePicture(n), {0, 0, i16(kPageWidth), i16(kPageHeight)}), nullptr);
}

// The "PDF file" printer on a paper of 4 x 6 inches (unless a test gives another) at 50 pixels per
// inch, writing to one file.
class SmallPdfPrinter : public plat::print::HeadlessPrintBackend {
public:
    bool defaultPrinter(plat::print::PrinterSettings* out) override {
        if (!HeadlessPrintBackend::defaultPrinter(out)) return false;
        out->paper = paper;
        out->resolution = dpi;
        out->outputPath = outputPath;
        return true;
    }
    plat::print::Paper paper{"Small", 1016, 1524};
    u16 dpi = 50;
    std::string outputPath;
};

class PrintJobTest : public GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        printer.outputPath = scratch.file("sheets.pdf");
        plat::print::setPrintBackend(&printer);
        project = std::make_unique<RDocument>(nullptr);
        sources.project = project.get();
    }
    void TearDown() override {
        plat::print::setPrintBackend(nullptr);
        project.reset();
        gfxSetPort(nullptr);
        GfxTest::TearDown();
    }
    void addSlides(u16 count) {
        for (u16 n = 1; n <= count; ++n) {
            ASSERT_EQ(project->AppendPage(std::make_unique<RPage>(PageSettings{}, "", 0)), kErrNone);
            paintSlide(*project->GetPage(kLastPageNumber), n);
        }
    }
    std::vector<testprint::RenderedPage> sheets() { return testprint::renderPdf(printer.outputPath, printer.dpi, scratch); }
    // The colour on the sheet at a point in job units.
    u32 colourAt(const testprint::RenderedPage& sheet, i32 x, i32 y) const {
        return sheet.at(x * printer.dpi / kPrintResolution, y * printer.dpi / kPrintResolution);
    }

    SmallPdfPrinter printer;
    testprint::ScratchFolder scratch;
    std::unique_ptr<RDocument> project;
    PrintSources sources;
};

// Whether two colours are alike, allowing for the widening of 5-bit channels.
inline bool alike(u32 a, u32 b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d > 12 || d < -12) return false;
    }
    return true;
}

}  // namespace testapp
