#include "platform/print/pdf/PdfWriter.h"

#include <gtest/gtest.h>

#include "platform/print/pdf/PdfFileJob.h"
#include "tests/platform/print/PdfPages.h"

namespace {

using namespace plat::print;

// A 24-bit page, blue-green-red in memory, of quarters in four colours so any misplaced row,
// column or swapped channel shows.
struct TestPage {
    TestPage(int32_t w, int32_t h, uint16_t dpi, bool noise = false)
        : width(w), height(h), stride((w * 3 + 3) & ~3), dpi(dpi) {
        pixels.resize(size_t(stride) * size_t(h));
        uint32_t seed = 12345;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) set(x, y, noise ? (seed = seed * 1103515245u + 12345u) >> 8 : colourAt(x, y));
    }
    uint32_t colourAt(int32_t x, int32_t y) const {
        static const uint32_t quarters[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
        return quarters[(x >= width / 2 ? 1 : 0) + (y >= height / 2 ? 2 : 0)];
    }
    void set(int32_t x, int32_t y, uint32_t rgb) {
        uint8_t* p = &pixels[size_t(y) * size_t(stride) + size_t(x) * 3];
        p[0] = uint8_t(rgb), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb >> 16);
    }
    PageImage image() const { return PageImage{pixels.data(), width, height, stride, dpi, dpi}; }
    int32_t width, height, stride;
    uint16_t dpi;
    std::vector<uint8_t> pixels;
};

// The pixels that differ, with the first of them named.
std::string mismatches(const TestPage& page, const testprint::RenderedPage& shown) {
    if (shown.width != page.width || shown.height != page.height)
        return "size " + std::to_string(shown.width) + "x" + std::to_string(shown.height);
    int wrong = 0;
    std::string first;
    for (int32_t y = 0; y < page.height; ++y)
        for (int32_t x = 0; x < page.width; ++x)
            if (shown.at(x, y) != page.colourAt(x, y) && wrong++ == 0)
                first = " first at " + std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(shown.at(x, y));
    return std::to_string(wrong) + first;
}

TEST(PdfWriter, PagesReadBackByPopplerAtTheirOwnResolution) {
    testprint::ScratchFolder scratch;
    // Sizes whose points are whole, and heights on both sides of a band.
    const TestPage pages[] = {TestPage(50, PdfWriter::kBandRows, 150), TestPage(75, PdfWriter::kBandRows + 1, 150),
                              TestPage(72, 144, 72)};
    int error = 0;
    auto job = PdfFileJob::create(scratch.file("out.pdf"), "Quarters (1)", nullptr, &error);
    ASSERT_TRUE(job) << error;
    for (const TestPage& page : pages) ASSERT_EQ(job->addPage(page.image()), kSpoolOk);
    ASSERT_EQ(job->finish(), kSpoolOk);
    // Each page is rendered at its own resolution so one image pixel is one rendered pixel.
    const uint16_t dpis[] = {150, 150, 72};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::vector<testprint::RenderedPage> shown = testprint::renderPdf(scratch.file("out.pdf"), dpis[i], scratch);
        ASSERT_EQ(shown.size(), 3u);
        EXPECT_EQ(mismatches(pages[i], shown[i]), "0");
    }
}

// Readers that trust the file (rather than rebuild a broken one, as poppler does) need every
// cross-reference offset to land on its object and every stream to be as long as it says.
TEST(PdfWriter, CrossReferencesAndStreamLengthsPointAtWhatTheyName) {
    std::string pdf;
    PdfWriter writer([&](const uint8_t* data, size_t size) {
        pdf.append(reinterpret_cast<const char*>(data), size);
        return kSpoolOk;
    });
    ASSERT_EQ(writer.begin(), kSpoolOk);
    ASSERT_EQ(writer.addPage(TestPage(30, 2 * PdfWriter::kBandRows + 5, 150, true).image(), nullptr), kSpoolOk);
    ASSERT_EQ(writer.addPage(TestPage(7, 3, 72).image(), nullptr), kSpoolOk);
    ASSERT_EQ(writer.finish("Offsets"), kSpoolOk);

    const size_t startxref = pdf.rfind("startxref\n");
    ASSERT_NE(startxref, std::string::npos);
    const size_t xref = std::stoull(pdf.substr(startxref + 10));
    ASSERT_EQ(pdf.compare(xref, 7, "xref\n0 "), 0);
    const size_t countEnd = pdf.find('\n', xref + 7);
    const size_t count = std::stoull(pdf.substr(xref + 7, countEnd - xref - 7));
    // The catalog, page tree and information, then four objects a page.
    ASSERT_EQ(count, 12u);
    EXPECT_NE(pdf.find("/Size 12 "), std::string::npos);
    std::vector<size_t> offsets(count);
    for (size_t n = 0; n < count; ++n) {
        const std::string entry = pdf.substr(countEnd + 1 + 20 * n, 20);
        ASSERT_EQ(entry.substr(entry.size() - 2), "\r\n") << n;
        offsets[n] = std::stoull(entry.substr(0, 10));
        if (n == 0) continue;
        const std::string opening = std::to_string(n) + " 0 obj\n";
        EXPECT_EQ(pdf.compare(offsets[n], opening.size(), opening), 0) << n;
    }
    for (size_t pageObject : {4u, 8u}) {
        SCOPED_TRACE(pageObject);
        const size_t streamStart = pdf.find("stream\n", offsets[pageObject + 2]) + 7;
        const size_t streamEnd = pdf.find("\nendstream", streamStart);
        const std::string lengthOpening = std::to_string(pageObject + 3) + " 0 obj\n";
        EXPECT_EQ(std::stoull(pdf.substr(offsets[pageObject + 3] + lengthOpening.size())), streamEnd - streamStart);
    }
    // 30 x 133 pixels at 150 per inch and 7 x 3 at 72, in points.
    EXPECT_NE(pdf.find("/MediaBox [0 0 14.40 63.84]"), std::string::npos);
    EXPECT_NE(pdf.find("/MediaBox [0 0 7.00 3.00]"), std::string::npos);
}

TEST(PdfWriter, SinkFailuresStopTheDocumentWithTheirCode) {
    // Noise does not compress, so the image is far longer than the objects before it.
    const TestPage page(40, 3 * PdfWriter::kBandRows, 150, true);
    struct Case {
        const char* name;
        size_t failAt;  // the byte at which the sink fails
        int code;
    };
    const Case cases[] = {{"in the header", 0, kSpoolOutOfDisk}, {"in the page object", 20, kSpoolOutOfMemory},
                          {"in the image", 600, kSpoolOutOfDisk}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        size_t total = 0;
        PdfWriter writer([&](const uint8_t*, size_t size) {
            if (total + size > c.failAt) return c.code;
            total += size;
            return kSpoolOk;
        });
        int code = writer.begin();
        if (code == kSpoolOk) code = writer.addPage(page.image(), nullptr);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(writer.addPage(page.image(), nullptr), kSpoolError) << "a broken document takes no more pages";
        EXPECT_EQ(writer.pageCount(), 0u);
    }
}

TEST(PdfWriter, TheBandCheckIsAskedBetweenBandsAndCanStopThePage) {
    struct Case {
        int32_t height;
        int stopAfter;  // checks answered true before the first false
        int asked;
        int code;
    };
    const Case cases[] = {{PdfWriter::kBandRows, 0, 0, kSpoolOk},  // one band: nothing to ask between
                          {PdfWriter::kBandRows + 1, 1, 1, kSpoolOk},
                          {3 * PdfWriter::kBandRows, 1, 2, kSpoolAppAbort},
                          {3 * PdfWriter::kBandRows, 0, 1, kSpoolAppAbort}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        const TestPage page(8, c.height, 150);
        PdfWriter writer([](const uint8_t*, size_t) { return kSpoolOk; });
        ASSERT_EQ(writer.begin(), kSpoolOk);
        int asked = 0;
        EXPECT_EQ(writer.addPage(page.image(), [&] { return asked++ < c.stopAfter; }), c.code);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST(PdfWriter, PagesWithoutPixelsAreRefused) {
    const TestPage good(8, 8, 150);
    PageImage noPixels = good.image(), noWidth = good.image(), noResolution = good.image();
    noPixels.pixels = nullptr;
    noWidth.width = 0;
    noResolution.dpiY = 0;
    for (const PageImage& bad : {noPixels, noWidth, noResolution}) {
        PdfWriter writer([](const uint8_t*, size_t) { return kSpoolOk; });
        ASSERT_EQ(writer.begin(), kSpoolOk);
        EXPECT_EQ(writer.addPage(bad, nullptr), kSpoolError);
    }
}

TEST(PdfWriter, AnImageHeaderWithTheWidestNumbersIsWrittenWhole) {
    // The third page's length object has two digits: with ten-digit sides the header is 160 bytes.
    const TestPage small(1, 1, 72);
    PageImage widest = small.image();
    widest.width = widest.height = 2147483647;
    std::string header;
    PdfWriter writer([&](const uint8_t* data, size_t size) {
        const std::string text(reinterpret_cast<const char*>(data), size);
        if (text.find("/Subtype /Image /Width 2147483647") == std::string::npos) return kSpoolOk;
        // Stopped here, before any pixel of the page is read.
        header = text;
        return kSpoolOutOfDisk;
    });
    ASSERT_EQ(writer.begin(), kSpoolOk);
    ASSERT_EQ(writer.addPage(small.image(), nullptr), kSpoolOk);
    ASSERT_EQ(writer.addPage(small.image(), nullptr), kSpoolOk);
    EXPECT_EQ(writer.addPage(widest, nullptr), kSpoolOutOfDisk);
    EXPECT_EQ(header,
              "<< /Type /XObject /Subtype /Image /Width 2147483647 /Height 2147483647 /ColorSpace /DeviceRGB "
              "/BitsPerComponent 8 /Filter /FlateDecode /Length 15 0 R >>\nstream\n");
}

TEST(PdfWriter, StringLiteralsEscapeWhatPdfReadsSpecially) {
    const std::pair<std::string, std::string> cases[] = {
        {"Plain", "(Plain)"},          {"a(b)c", "(a\\(b\\)c)"}, {"back\\slash", "(back\\\\slash)"},
        {"\xE9t\xE9", "(\\351t\\351)"}, {"\n", "(\\012)"},        {"", "()"}};
    for (const auto& [text, literal] : cases) EXPECT_EQ(pdfStringLiteral(text), literal);
}

TEST(PdfFileJob, AnAbortedJobLeavesNoFileAndTheOldDocumentIntact) {
    testprint::ScratchFolder scratch;
    const std::string target = scratch.file("kept.pdf");
    { std::ofstream(target) << "old document"; }
    const TestPage page(16, 4 * PdfWriter::kBandRows, 150);
    int asked = 0;
    int error = 0;
    auto job = PdfFileJob::create(target, "Stopped", [&](int code) { return code == kSpoolOk && ++asked < 2; }, &error);
    ASSERT_TRUE(job);
    EXPECT_EQ(scratch.names().size(), 2u) << "the new file is written beside the target";
    EXPECT_EQ(job->addPage(page.image()), kSpoolAppAbort);
    job->abort();
    ASSERT_EQ(scratch.names(), std::vector<std::string>{"kept.pdf"});
    std::string kept;
    std::getline(std::ifstream(target), kept);
    EXPECT_EQ(kept, "old document");
}

TEST(PdfFileJob, ADroppedUnfinishedJobRemovesItsFile) {
    testprint::ScratchFolder scratch;
    int error = 0;
    {
        auto job = PdfFileJob::create(scratch.file("never.pdf"), "Never", nullptr, &error);
        ASSERT_TRUE(job);
        EXPECT_EQ(job->addPage(TestPage(8, 8, 150).image()), kSpoolOk);
    }
    EXPECT_TRUE(scratch.names().empty());
}

TEST(PdfFileJob, AMissingFolderIsReportedAtTheStart) {
    int error = 0;
    EXPECT_FALSE(PdfFileJob::create("/nonexistent-folder-of-tumblo/x.pdf", "x", nullptr, &error));
    EXPECT_EQ(error, kSpoolError);
}

}  // namespace
