// Opening a stamp category of 200 stamps (the library archive opened, every picture found,
// read, prepared and copied into the strip's list) against preparing the same 200 pictures
// from memory alone; the ratio is what the archive costs. Rounds fail unless every stamp
// came through.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/stampeditor/StampGrid.h"
#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/os/OsManager.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "engine/resources/ResourceManager.h"
#include "panels/stamp/RStampPanel.h"

namespace {

using namespace Ostrel;

constexpr int kStamps = 200;

std::vector<u8> stampPicture(int n) {
    StampGrid grid = BlankStamp(32, 32);
    for (i32 y = 0; y < 32; ++y)
        for (i32 x = 0; x < 32; ++x)
            if ((x * y + n) % 5 != 0) grid.At(x, y) = u16((x * 977 + y * 131 + n * 31) & 0x7FFE);
    return BitmapFromStamp(grid);
}

struct Category {
    Category() {
        osmInit(nullptr);
        osInit();
        memInit(0, 4096);
        gfxInitPalettes();
        resInit();
        host = std::filesystem::temp_directory_path() / ("bench-stamps-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(host);
        path = engineTextOfHostFolder(host.string()) + "\\Stamps.tbl";
        EnginePath file(path);
        resCreateFile(file.get());
        const ResMapHandle map = resOpenFile(file.get(), 0, 1);
        const ResMapHandle previous = resUseFile(map);
        for (int i = 0; i < kStamps; ++i) {
            pictures.push_back(stampPicture(i));
            const ResourceRef ref = resAddResource(kStampPictureType, u16(kFirstStampId + i), nullptr);
            resWriteResource(ref, pictures.back().data(), u32(pictures.back().size()), 0);
        }
        resUseFile(previous);
        resUpdateFile(map);
        resCloseFile(map, 0, 1);
    }
    ~Category() { std::filesystem::remove_all(host); }
    std::filesystem::path host;
    std::string path;
    std::vector<std::vector<u8>> pictures;
};

Category& category() {
    static Category c;
    return c;
}

void BM_OpenCategory(benchmark::State& state) {
    Category& c = category();
    RStampPanel panel(nullptr, nullptr, nullptr, {});
    for (auto _ : state)
        if (panel.OpenCategory(c.path) != 0) state.SkipWithError("the category did not open");
    state.SetItemsProcessed(i64(state.iterations()) * kStamps);
}
BENCHMARK(BM_OpenCategory)->Unit(benchmark::kMillisecond);

void BM_PreparePicturesAlone(benchmark::State& state) {
    Category& c = category();
    for (auto _ : state) {
        std::vector<std::vector<u8>> out;
        out.reserve(c.pictures.size());
        for (const std::vector<u8>& picture : c.pictures) {
            const memHandle handle = memAllocHandle(u32(picture.size()));
            std::copy(picture.begin(), picture.end(), static_cast<u8*>(memLockHandle(handle)));
            memUnlockHandle(handle);
            if (sprPreparePicture(handle) != kErrNone) state.SkipWithError("a picture did not prepare");
            const auto* bytes = static_cast<const u8*>(memLockHandle(handle));
            out.emplace_back(bytes, bytes + memGetHandleSize(handle));
            memUnlockHandle(handle);
            memFreeHandle(handle);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(i64(state.iterations()) * kStamps);
}
BENCHMARK(BM_PreparePicturesAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
