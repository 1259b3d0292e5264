#include "tests/media/objects/PageMediaFiles.h"

#include <fstream>
#include <iterator>

#include "media/swf/Block.h"
#include "media/swf/Document.h"
#include "media/swf/FrameTags.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/SoundTags.h"
#include "media/quicktime/QtEffects.h"
#include "media/swf/TagCodes.h"
#include "platform/media/PixelRows.h"

namespace mediatest {

namespace {

constexpr i32 kTwips = 20;

}  // namespace

std::vector<u8> animationBytes(u16 frames, u32 rate, i16 width, i16 height, u32 soundSamples) {
    swf::document movie;
    movie.version = swf::kComposedMovieVersion;
    movie.frameRect = swf::Rect{0, 0, width * kTwips, height * kTwips};
    movie.frameRate = rate;
    movie.frameCount = frames;
    movie.framesRead = frames;
    const i32 side = width / 4;
    const swf::Rect square{0, 0, side * kTwips, (frames > 1 ? height : height / 2) * kTwips};
    swf::Block block;
    const u8 red[] = {0x00, 0xFF, 0x00, 0x00, 0xFF};
    swf::MakeRectangleShape(block, square, red, sizeof red);
    auto* shape = new swf::tagDefineShape(swf::kTagDefineShape3);
    shape->SetShape(square, block);
    shape->SetCharacterId(1);
    shape->Link(&movie);
    if (soundSamples) {
        auto* sound = new swf::tagDefineSound;
        sound->rate = 22050;
        sound->sampleCount = soundSamples;
        const std::vector<u8> samples(soundSamples, 0xE0);
        sound->SetSamples(samples.data(), soundSamples);
        sound->SetCharacterId(2);
        sound->Link(&movie);
        auto* start = new swf::tagStartSound;
        start->SetUse(swf::SoundInfo{.soundId = 2});
        start->Link(&movie);
    }
    for (u16 i = 0; i < frames; ++i) {
        auto* place = new swf::tagPlaceObject(swf::kTagPlaceObject2);
        place->flags = u16(swf::kPlaceHasMatrix | (i == 0 ? swf::kPlaceHasCharacter : swf::kPlaceMove));
        place->depth = 1;
        place->characterId = 1;
        place->matrix.translateX = (i % 4) * side * kTwips;
        place->Link(&movie);
        (new swf::tagShowFrame)->Link(&movie);
    }
    (new swf::tag(swf::kTagEnd))->Link(&movie);
    swf::mstream out(1024);
    std::vector<u8> bytes;
    if (movie.Write(out) == swf::kOk) {
        u32 size = 0;
        out.Size(size);
        bytes.assign(out.Buffer(), out.Buffer() + size);
    }
    movie.Clear();
    return bytes;
}

std::vector<u8> movieBytes(const std::string& path, bool withPicture) {
    namespace pm = plat::media;
    MrMovie* movie = qtNewMovie(600);
    for (int i = 0; withPicture && i < 2; ++i) {
        MrWorld* picture = nullptr;
        const MrRect bounds{0, 0, 24, 32};
        if (qtNewWorldOfFormat(&picture, pm::kMrFormatBgra32, &bounds) != 0) break;
        const u8 colour[3] = {u8(i ? 0 : 255), 0, u8(i ? 255 : 0)};
        std::vector<u8> row;
        for (int x = 0; x < 32; ++x) row.insert(row.end(), colour, colour + 3);
        for (int y = 0; y < 24; ++y) pm::writeRowRgb(*qtWorldPixMap(picture), y, 0, 32, row.data());
        MrTrack* track = nullptr;
        qtAddStillTrack(movie, picture, i * 600, 600, 32 << 16, 24 << 16, &track);
        qtDisposeWorld(picture);
    }
    // A second of 'twos' sound, one channel of 16 bits at 22050 Hz.
    MrTrack* sound = qtNewMovieTrack(movie, 0, 0, 0x100);
    MrMedia* media = qtNewTrackMedia(sound, pm::kMrMediaSound, 22050);
    const std::vector<u8> data(22050 * 2, 0x10);
    const std::vector<u8> description = {'t', 'w', 'o', 's', 0, 1, 0, 16, 0, 0, 0x56, 0x22, 0, 0, 0, 0};
    qtBeginMediaEdits(media);
    qtAddMediaSample(media, data.data(), u32(data.size()), 1, description.data(), u32(description.size()), 22050,
                     nullptr);
    qtEndMediaEdits(media);
    qtInsertMediaIntoTrack(sound, 0, 0, 22050, 0x10000);
    const bool written = qtFlattenMovieToFile(movie, path.c_str()) == 0;
    qtDisposeMovie(movie);
    if (!written) return {};
    std::ifstream in(path, std::ios::binary);
    return std::vector<u8>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace mediatest
