#include "contentgen/content/DemoMovieWriter.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include <unistd.h>

#include "contentgen/content/SoundSynth.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/movie/MovieCompositor.h"
#include "platform/media/movie/MovieFlattener.h"
#include "platform/media/movie/MovieModel.h"
#include "platform/media/movie/MovieSamples.h"
#include "platform/media/movie/TrackSegments.h"

namespace fs = std::filesystem;
namespace pm = plat::media;
using nlohmann::json;

namespace {

// Media units are milliseconds for pictures, so a frame's length is its "ms" as it stands.
constexpr int64_t kPictureScale = 1000;
constexpr uint32_t kPictureQuality = 0x300;

struct MovieDeleter {
    void operator()(pm::MrMovie* movie) const { pm::movieDispose(movie); }
};

pm::MrTrack* addTrack(pm::MrMovie& movie, int width, int height, uint32_t type, int64_t scale) {
    auto track = std::make_unique<pm::MrTrack>();
    track->movie = &movie;
    track->width = pm::MrFixed(width) << 16, track->height = pm::MrFixed(height) << 16;
    track->volume = type == pm::kMrMediaSound ? 0x100 : 0;
    track->media = std::make_shared<pm::MrMedia>();
    track->media->type = type;
    track->media->timeScale = scale;
    movie.tracks.push_back(std::move(track));
    return movie.tracks.back().get();
}

void addSample(pm::MrMedia& media, std::vector<uint8_t> data, int64_t duration, std::vector<uint8_t> description) {
    pm::MediaSample sample;
    sample.start = media.duration();
    sample.duration = duration;
    sample.data = std::make_shared<const std::vector<uint8_t>>(std::move(data));
    sample.description = std::move(description);
    media.samples.push_back(std::move(sample));
}

// The painted picture over white as one JPEG sample.
std::vector<uint8_t> pictureSample(const Raster& raster) {
    pm::Frame frame;
    if (frame.reset(raster.width, raster.height) != pm::kMrNoErr) throw ArtError("demo movie: frame too large");
    for (size_t i = 0; i < raster.pixels.size(); ++i) {
        const u32 p = raster.pixels[i];
        const u32 under = 255 - (p >> 24);  // premultiplied: white shows through what is left
        frame.pixels[i * 4 + 0] = u8((p & 0xFF) + under);
        frame.pixels[i * 4 + 1] = u8(((p >> 8) & 0xFF) + under);
        frame.pixels[i * 4 + 2] = u8(((p >> 16) & 0xFF) + under);
        frame.pixels[i * 4 + 3] = 255;
    }
    std::vector<uint8_t> jpeg;
    if (pm::jpegCompress(frame.map, frame.map.bounds, kPictureQuality, jpeg) != pm::kMrNoErr)
        throw ArtError("demo movie: a frame could not be compressed");
    return jpeg;
}

void addSound(pm::MrMovie& movie, const json& spec) {
    const std::vector<i16> samples = synthesizeSound(spec);
    if (samples.empty()) return;
    std::vector<uint8_t> bytes;
    bytes.reserve(samples.size() * 2);
    for (i16 s : samples) bytes.push_back(uint8_t(u16(s) >> 8)), bytes.push_back(uint8_t(s));
    pm::MrTrack* track = addTrack(movie, 0, 0, pm::kMrMediaSound, kSynthRate);
    addSample(*track->media, std::move(bytes), int64_t(samples.size()), pm::soundDescription({1, kSynthRate}));
    if (pm::insertMediaIntoTrack(*track, 0, 0, int64_t(samples.size()), 0x10000) != pm::kMrNoErr)
        throw ArtError("demo movie: the sound could not be placed");
}

// A frame's list of operations of that name; none when it is left out.
json::array_t layer(const json& frame, const char* name) {
    if (!frame.contains(name)) return {};
    if (!frame[name].is_array()) throw ArtError(std::string("demo movie: a frame's \"") + name + "\" is a list");
    return frame[name].get<json::array_t>();
}

// A name of its own for each movie written, in this process and beside others.
fs::path scratchFile() {
    static std::atomic<unsigned> counter{0};
    return fs::temp_directory_path() /
           ("tumblo_demo_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".mov");
}

}  // namespace

std::vector<u8> writeDemoMovie(const json& manifest, const ArtPainter& painter) {
    const json& size = manifest.at("size");
    const int width = size.at(0).get<int>(), height = size.at(1).get<int>();
    if (width < 1 || height < 1 || width > kDemoMovieMaxSide || height > kDemoMovieMaxSide)
        throw ArtError("demo movie: size outside 1.." + std::to_string(kDemoMovieMaxSide));
    const json& frames = manifest.at("frames");
    if (!frames.is_array() || frames.empty() || frames.size() > size_t(kDemoMovieMaxFrames))
        throw ArtError("demo movie: 1 to " + std::to_string(kDemoMovieMaxFrames) + " frames");

    std::unique_ptr<pm::MrMovie, MovieDeleter> movie(pm::movieNew(kPictureScale));
    if (!movie) throw std::runtime_error("demo movie: no movie");
    pm::MrTrack* video = addTrack(*movie, width, height, pm::kMrMediaVideo, kPictureScale);
    json kept = json::array();
    for (const json& frame : frames) {
        const int ms = frame.at("ms").get<int>();
        if (ms < 1 || ms > kDemoMovieMaxFrameMs) throw ArtError("demo movie: a frame lasts 1 to 10000 ms");
        for (json& op : layer(frame, "ops")) kept.push_back(std::move(op));
        json shown = kept;
        for (json& op : layer(frame, "over")) shown.push_back(std::move(op));
        addSample(*video->media, pictureSample(painter.paint(shown, width, height)), ms, {});
    }
    if (pm::insertMediaIntoTrack(*video, 0, 0, video->media->duration(), 0x10000) != pm::kMrNoErr)
        throw ArtError("demo movie: the pictures could not be placed");
    if (manifest.contains("sound")) addSound(*movie, manifest["sound"]);

    const fs::path file = scratchFile();
    const pm::MrErr err = pm::flattenMovie(*movie, file.c_str());
    if (err != pm::kMrNoErr) throw std::runtime_error("demo movie: flattening failed (" + std::to_string(err) + ")");
    std::vector<u8> bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::error_code ignored;
    fs::remove(file, ignored);
    if (bytes.empty()) throw std::runtime_error("demo movie: nothing written");
    return bytes;
}
