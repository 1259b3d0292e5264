// The picker's strip for a project of 96 slides: building every cell (thumbnail read from each
// page's file, transition icon, timing label) against decoding the 96 thumbnails alone, whose
// ratio shows what the strip adds; and opening a project file of 96 pages. Target: the strip
// built well under 150 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "document/pages/RPageData.h"
#include "document/project/RDocument.h"
#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"
#include "platform/drives/Drives.h"
#include "screens/picker/SlideCells.h"

namespace {

using namespace Ostrel;

constexpr u16 kSlides = 96;

// A project of 96 pages on a fake drive, each page a saved picture with its thumbnail.
class Workshop {
public:
    Workshop() {
        char pattern[] = "/tmp/tumblo-bench-XXXXXX";
        root_ = ::mkdtemp(pattern);
        drive_ = std::make_unique<plat::FakeDrive>('B', plat::FakeDisc{root_, "BENCH", 42, "ext4", 255},
                                                   plat::DriveType::Fixed);
        osmInit(nullptr);
        memInit(0, 4096);
        osInit();
        iniInit();
        resInit();
        RDocument document(nullptr);
        for (u16 i = 0; i < kSlides; ++i) {
            const std::string name = "Slide" + std::to_string(i) + ".tbx";
            auto page = std::make_unique<RPage>(PageSettings{}, name, 0);
            page->Data().EnsureBackground();
            page->SaveToFile(EnginePath("B:\\" + name).get());
            document.AppendPage(std::move(page));
        }
        document.SaveAs(EnginePath(kProject).get());
    }
    ~Workshop() {
        resShutdown();
        iniShutdown();
        osShutdown();
        memShutdown();
        osmShutdown();
        drive_.reset();
        std::filesystem::remove_all(root_);
    }
    static constexpr const char* kProject = "B:\\Show.tbp";

private:
    std::string root_;
    std::unique_ptr<plat::FakeDrive> drive_;
};

void BM_BuildStrip(benchmark::State& state) {
    Workshop workshop;
    RDocument document(EnginePath(Workshop::kProject).get());
    document.LoadPages();
    SlideCellSources sources;
    sources.timing = {"sec", "Click", "Key", "Read", "After words"};
    for (auto _ : state) {
        SlideCells cells = BuildSlideCells(document, kSlides, sources);
        benchmark::DoNotOptimize(cells.thumbnails.data());
    }
}
BENCHMARK(BM_BuildStrip)->Unit(benchmark::kMillisecond);

void BM_DecodeThumbnailsAlone(benchmark::State& state) {
    Workshop workshop;
    RDocument document(EnginePath(Workshop::kProject).get());
    document.LoadPages();
    for (auto _ : state) {
        for (u16 place = 1; place <= kSlides; ++place) {
            ScrollerPicture picture = ReadPageThumbnail(*document.GetPage(place));
            benchmark::DoNotOptimize(picture.data());
        }
    }
}
BENCHMARK(BM_DecodeThumbnailsAlone)->Unit(benchmark::kMillisecond);

void BM_OpenProjectOf96Pages(benchmark::State& state) {
    Workshop workshop;
    for (auto _ : state) {
        RDocument document(EnginePath(Workshop::kProject).get());
        benchmark::DoNotOptimize(document.LoadPages());
    }
}
BENCHMARK(BM_OpenProjectOf96Pages)->Unit(benchmark::kMillisecond);

}  // namespace
