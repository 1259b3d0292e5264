#include "platform/print/pdf/PdfFilePrinter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/platform/print/PdfPages.h"
#include "tests/platform/system/ScopedEnv.h"

namespace {

using namespace plat::print;

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void makeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string numbered(uint32_t n) { return n == 1 ? "Drawing.pdf" : "Drawing (" + std::to_string(n) + ").pdf"; }

// Without an output path the file printer writes into the home folder under the job's title,
// and never over a document already there.
TEST(PdfFilePrinter, AJobWithoutAPathTakesTheFirstFreeNameInTheHomeFolder) {
    struct Case {
        uint32_t taken;  // names already there: "Drawing.pdf" and the numbered ones after it
        const char* written;
    };
    const Case cases[] = {{0, "Drawing.pdf"},
                          {1, "Drawing (2).pdf"},
                          {kMaxPdfNameNumber - 1, "Drawing (99).pdf"},
                          {kMaxPdfNameNumber, nullptr}};
    const uint8_t pixels[3] = {};
    const PageImage page{pixels, 1, 1, 3, 72, 72};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taken);
        testprint::ScratchFolder home;
        plat::ScopedEnv homeEnv("HOME", home.path());
        for (uint32_t n = 1; n <= c.taken; ++n) makeFile(home.file(numbered(n)), "kept " + std::to_string(n));
        int error = kSpoolOk;
        std::unique_ptr<PrintJob> job = startPdfFileJob(pdfPrinterSettings(true), "Drawing", nullptr, &error);
        if (!c.written) {
            EXPECT_FALSE(job);
            EXPECT_EQ(error, kSpoolError);
            EXPECT_EQ(home.names().size(), size_t(c.taken)) << "nothing was made";
            continue;
        }
        ASSERT_TRUE(job) << error;
        ASSERT_EQ(job->addPage(page), kSpoolOk);
        ASSERT_EQ(job->finish(), kSpoolOk);
        EXPECT_EQ(contentsOf(home.file(c.written)).substr(0, 8), "%PDF-1.4");
        for (uint32_t n = 1; n <= c.taken; ++n) EXPECT_EQ(contentsOf(home.file(numbered(n))), "kept " + std::to_string(n));
    }
}

// The file printed over keeps its old bytes until the new document is whole: a job stopped
// before its end, or dropped, leaves it as it was and nothing beside it.
TEST(PdfFilePrinter, AJobThatDoesNotFinishLeavesTheOldFileAsItWas) {
    const uint8_t pixels[3] = {};
    const PageImage page{pixels, 1, 1, 3, 72, 72};
    for (const char* ending : {"aborted", "dropped", "finished"}) {
        SCOPED_TRACE(ending);
        testprint::ScratchFolder folder;
        makeFile(folder.file("Show.pdf"), "the old show");
        PrinterSettings settings = pdfPrinterSettings(true);
        settings.outputPath = folder.file("Show.pdf");
        int error = kSpoolOk;
        std::unique_ptr<PrintJob> job = startPdfFileJob(settings, "Show", nullptr, &error);
        ASSERT_TRUE(job) << error;
        ASSERT_EQ(job->addPage(page), kSpoolOk);
        const std::string what(ending);
        if (what == "aborted") job->abort();
        if (what == "finished") {
            EXPECT_EQ(job->finish(), kSpoolOk);
        }
        job.reset();
        EXPECT_EQ(folder.names(), std::vector<std::string>{"Show.pdf"});
        EXPECT_EQ(contentsOf(folder.file("Show.pdf")).substr(0, 8), what == "finished" ? "%PDF-1.4" : "the old ");
    }
}

}  // namespace
