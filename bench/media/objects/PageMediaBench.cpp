// Page media: a Flash object's holder rendering every frame of a 30-frame animation at
// 160 x 120 (reported per frame); and a 320 x 240 Photo-JPEG movie of 48 frames decoded and
// scaled into a 16-bit world of 400 x 300, frame by frame, beside ffmpeg decoding the same file
// to nothing. Target: ffmpeg's time over ours at least 0.5.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "media/objects/FlashQTMovie.h"
#include "media/quicktime/QtConnection.h"
#include "media/quicktime/QtEffects.h"
#include "media/quicktime/QtMovies.h"
#include "platform/media/PixelRows.h"
#include "tests/media/objects/PageMediaFiles.h"

namespace pm = plat::media;

namespace {

constexpr int kFlashFrames = 30;
constexpr int kMovieFrames = 48, kMovieWidth = 320, kMovieHeight = 240;

void HolderBuildPerFrame(benchmark::State& state) {
    FlashQTMovie holder;
    if (!holder.WriteTemporary(mediatest::animationBytes(kFlashFrames, 0xC0000, 160, 120)))
        return state.SkipWithError("no temporary file");
    for (auto _ : state)
        if (holder.Build(160, 120) != 0) return state.SkipWithError("build failed");
    state.SetItemsProcessed(state.iterations() * kFlashFrames);
    state.counters["ms_per_frame"] = benchmark::Counter(double(state.iterations() * kFlashFrames),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(HolderBuildPerFrame)->Unit(benchmark::kMillisecond);

// Moving gradients, one still a frame, flattened into a Photo-JPEG movie by our writer.
const std::string& movieFile() {
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "tumblo_page_movie_bench.mov").string();
        MrMovie* movie = qtNewMovie(600);
        const MrRect bounds{0, 0, kMovieHeight, kMovieWidth};
        for (int frame = 0; frame < kMovieFrames; ++frame) {
            MrWorld* picture = nullptr;
            if (qtNewWorldOfFormat(&picture, pm::kMrFormatBgra32, &bounds) != 0) break;
            std::vector<u8> row(size_t(kMovieWidth) * 3);
            for (int y = 0; y < kMovieHeight; ++y) {
                for (int x = 0; x < kMovieWidth; ++x) {
                    row[size_t(x) * 3] = u8(x + frame * 5), row[size_t(x) * 3 + 1] = u8(y * 2 - frame * 3);
                    row[size_t(x) * 3 + 2] = u8((x ^ y) + frame);
                }
                pm::writeRowRgb(*qtWorldPixMap(picture), y, 0, kMovieWidth, row.data());
            }
            MrTrack* track = nullptr;
            qtAddStillTrack(movie, picture, frame * 50, 50, kMovieWidth << 16, kMovieHeight << 16, &track);
            qtDisposeWorld(picture);
        }
        const bool written = qtFlattenMovieToFile(movie, file.c_str()) == 0;
        qtDisposeMovie(movie);
        return written ? file : std::string();
    }();
    return path;
}

bool connect() {
    static const bool connected = [] {
        if (memInit(0, 512) != kErrNone || gfxInitPalettes() != kErrNone) return false;
        qtSetSearchFolders({MEDIA_RUNTIME_DIR});
        static QtLibrary library = qtLoadLibrary();
        return library != nullptr;
    }();
    return connected;
}

void MovieDecodeAndScale(benchmark::State& state) {
    if (!connect() || movieFile().empty()) return state.SkipWithError("no media runtime or movie");
    MrMovie* movie = nullptr;
    if (qtOpenMovieFile(movieFile().c_str(), &movie) != 0) return state.SkipWithError("movie not opened");
    const MrRect box{0, 0, 300, 400};
    MrWorld* world = nullptr;
    qtNewWorldOfFormat(&world, pm::kMrFormatL555, &box);
    qtSetMovieBox(movie, &box);
    qtSetMovieWorld(movie, world);
    qtSetMovieActive(movie, 1);
    const MrTime scale = qtGetMovieTimeScale(movie);
    for (auto _ : state)
        for (int frame = 0; frame < kMovieFrames; ++frame) {
            qtSetMovieTimeValue(movie, frame * scale / 12);
            qtMoviesTask(movie, 0);
        }
    state.SetItemsProcessed(state.iterations() * kMovieFrames);
    qtSetMovieWorld(movie, nullptr);
    qtDisposeMovie(movie);
    qtDisposeWorld(world);
}
BENCHMARK(MovieDecodeAndScale)->Unit(benchmark::kMillisecond)->UseRealTime();

void FfmpegDecodeToNothing(benchmark::State& state) {
    if (!connect() || movieFile().empty()) return state.SkipWithError("no media runtime or movie");
    const std::string command = "ffmpeg -v quiet -nostdin -threads 1 -i '" + movieFile() + "' -f null - >/dev/null 2>&1";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError("ffmpeg is not installed");
    state.SetItemsProcessed(state.iterations() * kMovieFrames);
}
BENCHMARK(FfmpegDecodeToNothing)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
