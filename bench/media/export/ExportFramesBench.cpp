// Export speed in frames a second: 60 pictures of 640 x 480 (a bar moving over a gradient)
// composed and coded as the export does it (each picture coded as JPEG, laid into the export
// movie and flattened into a .mov), beside the ffmpeg command line coding the same raw frames
// as Motion JPEG into a .mov. Target: our frames a second at least half of ffmpeg's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "media/export/PagePicture.h"
#include "media/export/RMovieComponent.h"
#include "media/quicktime/QtConnection.h"
#include "platform/gdi/DisplayPalette.h"

namespace {

constexpr i16 kWidth = 640, kHeight = 480;
constexpr int kFrames = 60;

u16 pixelOf(int frame, int x, int y) {
    if (x >= frame * 10 && x < frame * 10 + 40) return 0x7C00;
    return u16((x * 31 / kWidth) << 5 | (y * 31 / kHeight));
}

std::string scratch(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void OurExport(benchmark::State& state) {
    if (memInit(0, 512) != kErrNone) return state.SkipWithError("memory");
    plat::gdi::DisplayPalette::instance().restoreDefaults();
    gfxInitPalettes();
    qtSetSearchFolders({MEDIA_RUNTIME_DIR});
    QtLibrary library = qtLoadLibrary();
    if (!library) return state.SkipWithError("no media runtime");
    const std::string target = scratch("bench_export.mov");
    {
        std::unique_ptr<PagePicture> picture = PagePicture::Blank(kWidth, kHeight);
        for (auto _ : state) {
            std::vector<std::vector<u8>> frames;
            for (int f = 0; f < kFrames; ++f) {
                for (i32 y = 0; y < kHeight; ++y)
                    for (i32 x = 0; x < kWidth; ++x) picture->Pixels().Row(y)[x] = pixelOf(f, x, y);
                frames.push_back(picture->Jpeg());
            }
            Ostrel::RMovieComponent frameRun(Ostrel::kComponentTransition, {0, 0, kWidth, kHeight}, 0, kFrames * 33, 0);
            MovieExport writer;
            if (frameRun.WriteFrames(frames, kFrames * 33) != 0 || writer.exportCreateTempMovie(target, 600, 0) != 0 ||
                frameRun.AddToMovie(writer) != 0 || writer.exportFlattenMovie() != 0)
                return state.SkipWithError("the export failed");
        }
    }
    state.counters["frames/s"] = benchmark::Counter(double(kFrames), benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove(target);
    qtFreeLibrary(std::move(library));
    gfxShutdownPalettes();
    memShutdown();
}
BENCHMARK(OurExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void FfmpegCommandLine(benchmark::State& state) {
    if (std::system("command -v ffmpeg > /dev/null 2>&1") != 0) return state.SkipWithError("ffmpeg is not installed");
    const std::string raw = scratch("bench_export.raw"), target = scratch("bench_export_ffmpeg.mov");
    {
        std::ofstream out(raw, std::ios::binary);
        for (int f = 0; f < kFrames; ++f)
            for (i32 y = 0; y < kHeight; ++y)
                for (i32 x = 0; x < kWidth; ++x) {
                    const u16 p = pixelOf(f, x, y);
                    out.put(char(p & 0xFF)).put(char(p >> 8));
                }
    }
    const std::string command = "ffmpeg -y -loglevel error -f rawvideo -pix_fmt rgb555le -s 640x480 -r 30 -i '" + raw +
                                "' -c:v mjpeg -q:v 3 '" + target + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError("ffmpeg failed");
    state.counters["frames/s"] = benchmark::Counter(double(kFrames), benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove(raw);
    std::filesystem::remove(target);
}
BENCHMARK(FfmpegCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

