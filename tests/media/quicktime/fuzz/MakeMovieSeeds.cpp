// Writes the seed movies of the movie fuzz target into <folder>: pictures coded by the
// runtime and flattened by its own movie writer (one still, and frames of their own lengths),
// the still claiming eighty million samples, and, where the ffmpeg command line is installed,
// a movie with sound.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/media/ImageDescription.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/PixelRows.h"
#include "platform/media/RuntimeServices.h"
#include "platform/media/movie/MovieEditingEntries.h"
#include "tests/media/quicktime/LongTableMovie.h"

namespace pm = plat::media;

namespace {

// A flattened movie of `frames` pictures of w x h, each lasting `duration` units of 600.
bool writeMovie(const std::string& path, int16_t w, int16_t h, int frames, pm::MrTime duration) {
    const pm::MovieEditingEntries e = pm::editingEntries();
    pm::MrMovie* movie = e.newMovie(600);
    pm::MrTrack* track = e.newMovieTrack(movie, w << 16, h << 16, 0);
    pm::MrMedia* media = e.newTrackMedia(track, pm::kMrMediaVideo, 600);
    bool ok = media && e.beginMediaEdits(media) == pm::kMrNoErr;
    const pm::MrRect bounds{0, 0, h, w};
    for (int i = 0; ok && i < frames; ++i) {
        pm::MrWorld* world = nullptr;
        ok = pm::newWorldOfFormat(&world, pm::kMrFormatBgra32, &bounds) == pm::kMrNoErr;
        std::vector<uint8_t> row(size_t(w) * 3);
        for (int y = 0; ok && y < h; ++y) {
            for (int x = 0; x < w; ++x)
                row[size_t(x) * 3] = uint8_t(x * 8 + i * 60), row[size_t(x) * 3 + 1] = uint8_t(y * 8),
                                     row[size_t(x) * 3 + 2] = uint8_t(i * 90);
            pm::writeRowRgb(world->map, y, 0, w, row.data());
        }
        int32_t capacity = 0;
        ok = ok && pm::maxCompressionSize(&world->map, &bounds, 32, 0x200, pm::kMrCodecJpeg, -3, &capacity) == 0;
        std::vector<uint8_t> data(static_cast<size_t>(ok ? capacity : 0));
        pm::MrHandle* description = pm::newHandle(pm::kMrImageDescriptionSize);
        ok = ok && description &&
             pm::compressImage(&world->map, &bounds, 32, 0x200, pm::kMrCodecJpeg, -3, 0, description, data.data(),
                               uint32_t(capacity)) == 0;
        if (ok) {
            const uint32_t size = pm::readImageDescription(pm::handleData(description)).dataSize;
            pm::MrTime at = 0;
            ok = e.addMediaSample(media, data.data(), size, duration, pm::handleData(description),
                                  pm::kMrImageDescriptionSize, 1, &at) == 0;
        }
        pm::disposeHandle(description);
        pm::disposeWorld(world);
    }
    ok = ok && e.endMediaEdits(media) == 0 && e.insertMediaIntoTrack(track, 0, 0, frames * duration, 0x10000) == 0 &&
         e.flattenMovieToFile(movie, path.c_str()) == 0;
    e.disposeMovie(movie);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    if (!writeMovie((folder / "still.mov").string(), 24, 16, 1, 1800)) return 1;
    if (!writeMovie((folder / "frames.mov").string(), 16, 16, 3, 40)) return 1;
    std::ifstream still(folder / "still.mov", std::ios::binary);
    std::vector<uint8_t> claiming{std::istreambuf_iterator<char>(still), std::istreambuf_iterator<char>()};
    if (!movietest::claimManySamples(claiming)) return 1;
    std::ofstream(folder / "claiming.mov", std::ios::binary)
        .write(reinterpret_cast<const char*>(claiming.data()), std::streamsize(claiming.size()));
    const std::string sound = (folder / "sound.mov").string();
    if (std::system("ffmpeg -version > /dev/null 2>&1") == 0)
        std::system(("ffmpeg -v error -y -f lavfi -i sine=frequency=300:duration=0.2:sample_rate=8000 -f lavfi -i "
                     "color=blue:s=16x8:r=5:d=0.2 -c:v mjpeg -c:a adpcm_ima_qt '" + sound + "' > /dev/null 2>&1")
                        .c_str());
    return 0;
}
