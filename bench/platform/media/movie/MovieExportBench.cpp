// Export speed: pictures composited, coded as Photo-JPEG and muxed into a .mov by our flattener,
// against the ffmpeg command line coding the same raw frames with its own mjpeg encoder into a
// mov. Both report frames per second; every frame differs from the one before, so none merges.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/media/movie/MovieFlattener.h"
#include "platform/media/movie/MovieModel.h"
#include "platform/media/playback/MovieSource.h"

namespace pm = plat::media;

namespace {

constexpr int32_t kWidth = 640, kHeight = 480, kFrames = 60, kFrameUnits = 40;  // 15 pictures a second

// The raw BGRA pictures both sides code: a gradient that moves with the frame number.
const std::vector<uint8_t>& rawFrames() {
    static const std::vector<uint8_t> frames = [] {
        std::vector<uint8_t> bytes(size_t(kWidth) * kHeight * 4 * kFrames);
        size_t i = 0;
        for (int f = 0; f < kFrames; ++f)
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x) {
                    bytes[i++] = uint8_t(x + 4 * f), bytes[i++] = uint8_t(y + 2 * f), bytes[i++] = uint8_t(x + y - f);
                    bytes[i++] = 255;
                }
        return bytes;
    }();
    return frames;
}

// The raw pictures as a movie source, one every kFrameUnits units of 600.
class RawSource : public pm::MovieSource {
public:
    int32_t timeScale() const override { return 600; }
    int64_t duration() const override { return int64_t(kFrames) * kFrameUnits; }
    pm::MrRect naturalBounds() const override { return pm::MrRect{0, 0, kHeight, kWidth}; }
    bool hasVideo() const override { return true; }
    bool hasSound() const override { return false; }
    pm::MrErr drawFrame(int64_t time, pm::MrPixMap& map, const pm::MrRect&) override {
        const size_t frame = size_t(std::min<int64_t>(time / kFrameUnits, kFrames - 1));
        const uint8_t* from = rawFrames().data() + frame * size_t(kWidth) * kHeight * 4;
        for (int y = 0; y < kHeight; ++y)
            std::copy_n(from + size_t(y) * kWidth * 4, size_t(kWidth) * 4, map.base + size_t(y) * size_t(map.rowBytes));
        return pm::kMrNoErr;
    }
    int64_t nextFrameTime(int64_t time) override {
        const int64_t next = (time / kFrameUnits + 1) * kFrameUnits;
        return next < duration() ? next : -1;
    }
    uint32_t readSound(int64_t, int32_t, int32_t, int16_t*, uint32_t) override { return 0; }
};

std::string scratch(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void BM_OurExport(benchmark::State& state) {
    rawFrames();
    std::unique_ptr<pm::MrMovie> movie(pm::movieFromSource(std::make_shared<RawSource>()));
    const std::string path = scratch("bench_export_ours.mov");
    for (auto _ : state)
        if (pm::flattenMovie(*movie, path.c_str()) != pm::kMrNoErr) state.SkipWithError("flatten failed");
    state.SetItemsProcessed(state.iterations() * kFrames);
    std::filesystem::remove(path);
}
BENCHMARK(BM_OurExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FfmpegCommandLine(benchmark::State& state) {
    const std::string raw = scratch("bench_export_frames.bgra"), out = scratch("bench_export_ffmpeg.mov");
    {
        std::ofstream file(raw, std::ios::binary);
        file.write(reinterpret_cast<const char*>(rawFrames().data()), std::streamsize(rawFrames().size()));
    }
    const std::string command = "ffmpeg -y -loglevel error -f rawvideo -pix_fmt bgra -s " + std::to_string(kWidth) +
                                "x" + std::to_string(kHeight) + " -r 15 -i " + raw +
                                " -c:v mjpeg -q:v 4 -threads 1 -f mov " + out;
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("ffmpeg failed");
    state.SetItemsProcessed(state.iterations() * kFrames);
    std::filesystem::remove(raw);
    std::filesystem::remove(out);
}
BENCHMARK(BM_FfmpegCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
