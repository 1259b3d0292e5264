// Opening a library of 200 entries with thumbnails (32 x 32, the stamp writer's pictures) as the
// library panel does (the file opened, its header read, every thumbnail read and made drawable)
// against making the same 200 thumbnails drawable from memory alone; the ratio is what the
// library file costs. The target is under 100 ms a library. Rounds fail unless every entry came
// through.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/stampeditor/StampGrid.h"
#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"
#include "panels/library/LibraryChoices.h"

namespace {

using namespace Ostrel;

constexpr int kEntries = 200;
constexpr i32 kSide = 32;

std::vector<u8> thumbnail(int n) {
    StampGrid grid = BlankStamp(kSide, kSide);
    for (i32 y = 0; y < kSide; ++y)
        for (i32 x = 0; x < kSide; ++x) grid.At(x, y) = u16((x * 977 + y * 131 + n * 31) & 0x7FFE);
    return BitmapFromStamp(grid);
}

struct Library {
    Library() {
        osmInit(nullptr);
        osInit();
        memInit(0, 4096);
        gfxInitPalettes();
        resInit();
        host = std::filesystem::temp_directory_path() / ("bench-library-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(host);
        path = engineTextOfHostFolder(host.string()) + "\\Stickers.tbl";
        EnginePath file(path);
        RLibrary library;
        library.Create(file.get(), fourCC("tSWF"), kLibraryFlagThumbnails);
        const std::vector<u8> media(512, 7);
        for (int i = 0; i < kEntries; ++i) {
            thumbnails.push_back(thumbnail(i));
            library.AddItem(media, thumbnails.back(), "Sticker " + std::to_string(i));
        }
    }
    ~Library() { std::filesystem::remove_all(host); }
    std::filesystem::path host;
    std::string path;
    std::vector<std::vector<u8>> thumbnails;
};

Library& library() {
    static Library l;
    return l;
}

void BM_OpenLibrary(benchmark::State& state) {
    Library& l = library();
    for (auto _ : state) {
        RLibrary opened;
        EnginePath file(l.path);
        if (opened.Open(file.get(), true) != kErrNone || opened.LoadHeader() != kErrNone) state.SkipWithError("no library");
        const std::vector<StripEntry> strip = ReadStripEntries(opened);
        if (strip.size() != size_t(kEntries)) state.SkipWithError("an entry was lost");
        benchmark::DoNotOptimize(strip.data());
    }
    state.SetItemsProcessed(i64(state.iterations()) * kEntries);
}
BENCHMARK(BM_OpenLibrary)->Unit(benchmark::kMillisecond);

void BM_PrepareThumbnailsAlone(benchmark::State& state) {
    Library& l = library();
    for (auto _ : state) {
        std::vector<std::vector<u8>> out;
        out.reserve(l.thumbnails.size());
        for (const std::vector<u8>& picture : l.thumbnails) {
            const memHandle handle = memAllocHandle(u32(picture.size()));
            std::copy(picture.begin(), picture.end(), static_cast<u8*>(memLockHandle(handle)));
            memUnlockHandle(handle);
            if (sprPreparePicture(handle) != kErrNone) state.SkipWithError("a thumbnail did not prepare");
            const auto* bytes = static_cast<const u8*>(memLockHandle(handle));
            out.emplace_back(bytes, bytes + memGetHandleSize(handle));
            memUnlockHandle(handle);
            memFreeHandle(handle);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(i64(state.iterations()) * kEntries);
}
BENCHMARK(BM_PrepareThumbnailsAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
