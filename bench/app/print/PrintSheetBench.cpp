// One A4 sheet at 150 pixels per inch with four slides on it (a card), composed and written
// as a PDF file, beside the naive floor: the same sheet's pixels written raw to a file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/print/RCardJob.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PictureRecord.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "platform/print/choice/PrintChoice.h"
#include "platform/print/headless/HeadlessPrint.h"

namespace {

using namespace Ostrel;

const std::string kOutput = (std::filesystem::temp_directory_path() / "tumblo-print-bench.pdf").string();

class A4Printer : public plat::print::HeadlessPrintBackend {
public:
    bool defaultPrinter(plat::print::PrinterSettings* out) override {
        if (!HeadlessPrintBackend::defaultPrinter(out)) return false;
        out->paper = plat::print::Paper{"A4", 2100, 2970};
        out->resolution = 150;
        out->outputPath = kOutput;
        return true;
    }
};

// A slide of 200 x 150 pixels of colour bands, stretched over the page as a child's picture is.
std::vector<u8> slidePicture(u16 n) {
    PictureRecord picture{200, 150, {}, {}};
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            picture.pixels.insert(picture.pixels.end(), {u8(x + n * 40), u8(y * 2), u8((x ^ y) + n * 20), 255});
    std::vector<u8> bytes;
    writePictureRecord(picture, false, &bytes);
    return bytes;
}

struct Engine {
    Engine() {
        memInit(0, 512);
        gfxInitPalettes();
        plat::print::setPrintBackend(&printer);
        project = std::make_unique<RDocument>(nullptr);
        for (u16 n = 1; n <= 4; ++n) {
            project->AppendPage(std::make_unique<RPage>(PageSettings{}, "", 0));
            project->GetPage(kLastPageNumber)->Data().AddObject(kTypeBitmap, kBackgroundId, slidePicture(n),
                                                              {0, 0, i16(kPageWidth), i16(kPageHeight)});
        }
        sources.project = project.get();
    }
    ~Engine() {
        project.reset();
        plat::print::setPrintBackend(nullptr);
        gfxShutdownPalettes();
        memShutdown();
        std::filesystem::remove(kOutput);
    }
    A4Printer printer;
    std::unique_ptr<RDocument> project;
    PrintSources sources;
};

void BM_CardSheetToPdf(benchmark::State& state) {
    Engine engine;
    for (auto _ : state) {
        RCardJob job(engine.sources);
        job.SetFirstPage(1);
        job.SetLastPage(4);
        if (job.Run(kPrintModeSlides) != kErrNone) state.SkipWithError("the sheet did not print");
    }
    state.counters["pdf_bytes"] = double(std::filesystem::file_size(kOutput));
}
BENCHMARK(BM_CardSheetToPdf)->Unit(benchmark::kMillisecond);

// The floor: an A4 landscape sheet's 24-bit pixels at 150 dpi written to a file as they are.
void BM_RawSheetPixelsToFile(benchmark::State& state) {
    const std::vector<char> pixels(size_t(1754) * 1240 * 3, char(0x7F));
    for (auto _ : state) {
        std::ofstream out(kOutput, std::ios::binary | std::ios::trunc);
        out.write(pixels.data(), std::streamsize(pixels.size()));
        out.flush();
        benchmark::DoNotOptimize(out.good());
    }
    std::filesystem::remove(kOutput);
}
BENCHMARK(BM_RawSheetPixelsToFile)->Unit(benchmark::kMillisecond);

}  // namespace
