#include "contentgen/content/LibraryBuilder.h"

#include <cmath>

#include "contentgen/content/ArchiveWaveWriter.h"
#include "contentgen/content/BitmapWriter.h"
#include "contentgen/content/Cp1252.h"
#include "contentgen/content/SoundSynth.h"
#include "contentgen/content/SwfMovieWriter.h"
#include "document/storage/LibraryHeader.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PictureRecord.h"

using nlohmann::json;

namespace {

constexpr int kThumbnailSide = 64;
constexpr int kStickerSide = 96;
constexpr int kAnimationSide = 128;
constexpr int kAnimationFrames = 12;
constexpr int kFramesPerSecond = 12;
// The stamp editor edits stamps of up to 32 x 32 pixels.
constexpr int kStampSide = 32;
constexpr u16 kFirstStampId = 8000;
constexpr double kPi = 3.14159265358979323846;

struct KindFolder {
    const char* name;
    FourCC kind;
    const char* folder;
};
// The installed libraries' folders, by media kind, as the library manager looks for them.
constexpr KindFolder kFolders[] = {{"tBMP", kTypeBitmap, "Pictures"},
                                   {"tSWF", kTypeFlash, "Stickers"},
                                   {"tSWA", kTypeFlashAnimation, "Animations"},
                                   {"tWAV", kTypeSound, "Sounds"},
                                   {"tSTM", kTypeStamp, "Stamps"}};

const KindFolder& kindOf(const json& library) {
    const std::string kind = library.at("kind").get<std::string>();
    for (const KindFolder& k : kFolders)
        if (kind == k.name) return k;
    throw ArtError("a library's kind is tBMP, tSWF, tSWA, tWAV or tSTM, not " + kind);
}

void add(ArchiveImage& archive, FourCC type, u16 id, const std::vector<u8>& bytes) {
    if (archive.add(type, id, bytes) != kErrNone) throw ArtError("library entry " + std::to_string(id) + " is given twice");
}

json emojiTile(const json& emoji, int side, double fill) {
    return json::array({{{"rect", {0, 0, side, side}}, {"fill", "#ffffff"}},
                        {{"emoji", emoji}, {"at", {side / 2.0, side / 2.0}}, {"size", side * fill}}});
}

json emojiAlone(const json& emoji, int side, double fill = 0.86) {
    return json::array({{{"emoji", emoji}, {"at", {side / 2.0, side / 2.0}}, {"size", side * fill}}});
}

std::vector<SwfPlacement> motionFrames(const std::string& motion) {
    std::vector<SwfPlacement> frames;
    const double c = kAnimationSide / 2.0;
    for (int i = 0; i < kAnimationFrames; ++i) {
        const double t = double(i) / kAnimationFrames, wave = std::sin(2 * kPi * t);
        SwfPlacement p{c, c, 0.7, 0.7, 0};
        if (motion == "hop") {
            const double up = std::abs(std::sin(kPi * t));
            p.y = c + 22 - 44 * up;
            p.scaleX = 0.7 + (up < 0.2 ? 0.08 : 0);
            p.scaleY = 0.7 - (up < 0.2 ? 0.08 : 0);
        } else if (motion == "spin") {
            p.turn = 360 * t;
        } else if (motion == "swim") {
            p.x = c + 34 * wave;
            p.y = c + 8 * std::sin(4 * kPi * t);
            p.scaleX = std::cos(2 * kPi * t) >= 0 ? -0.6 : 0.6;
            p.scaleY = 0.6;
        } else if (motion == "fly") {
            p.x = c + 36 * wave;
            p.y = c + 18 * std::sin(4 * kPi * t);
            p.turn = 12 * std::cos(2 * kPi * t);
            p.scaleX = p.scaleY = 0.6;
        } else if (motion == "pulse") {
            p.scaleX = p.scaleY = 0.6 + 0.15 * wave;
        } else if (motion == "wiggle") {
            p.turn = 18 * wave;
        } else {
            throw ArtError("an animation moves by hop, spin, swim, fly, pulse or wiggle, not " + motion);
        }
        frames.push_back(p);
    }
    return frames;
}

std::vector<u8> entryName(const json& entry, const json& name) {
    const auto bytes = utf8ToCp1252(name.get<std::string>());
    if (!bytes) throw ArtError("library entry " + entry.dump() + " has a name the code page cannot hold");
    return {bytes->begin(), bytes->end()};
}

}  // namespace

std::vector<u8> pictureRecordOf(const Raster& r) {
    PictureRecord picture;
    picture.width = u16(r.width);
    picture.height = u16(r.height);
    picture.pixels.reserve(r.pixels.size() * 4);
    for (u32 p : r.pixels) {
        const u32 a = p >> 24;
        const auto channel = [&](int shift) { return u8(a == 0 ? 255 : std::min<u32>(255, ((p >> shift) & 0xFF) * 255 / a)); };
        for (int shift : {16, 8, 0}) picture.pixels.push_back(channel(shift));
        picture.pixels.push_back(255);
    }
    std::vector<u8> bytes;
    if (writePictureRecord(picture, false, &bytes) != kErrNone) throw ArtError("a library picture cannot be stored");
    return bytes;
}

std::string libraryPath(const json& library) {
    return std::string("Library/") + kindOf(library).folder + "/" + library.at("name").get<std::string>() + ".tbl";
}

ArchiveImage buildLibraryArchive(const json& library, const ContentContext& context) {
    const FourCC kind = kindOf(library).kind;
    const ArtPainter painter(context.fonts, context.artLibrary,
                             [&context](const std::string& key) { return context.texts.lookup(key, Language::English); });
    ArchiveImage archive;
    const json& entries = library.at("entries");
    if (kind == kTypeStamp) {
        u16 id = kFirstStampId;
        for (const json& e : entries)
            add(archive, kTypeBitmap, id++, writeStampBitmap16(painter.paint(emojiAlone(e.at("emoji"), kStampSide, 0.9), kStampSide, kStampSide)));
        return archive;
    }
    if (entries.empty() || entries.size() >= kLibraryMaxEntries) throw ArtError("a library holds 1 to 1999 entries");
    LibraryHeader header{kind, kLibraryFlagThumbnails, u16(entries.size() + 1), {}};
    const json canvas = layoutRect(context, "@easel.canvas");
    const int canvasW = canvas[2].get<int>(), canvasH = canvas[3].get<int>();
    u16 id = 1;
    for (const json& e : entries) {
        std::vector<u8> media;
        Raster thumbnail;
        if (kind == kTypeBitmap) {
            media = pictureRecordOf(painter.paint(e.at("art"), canvasW, canvasH));
            const double scale = double(kThumbnailSide) / canvasW;
            thumbnail = painter.paint(json::array({{{"group", e.at("art")}, {"scale", scale}}}), kThumbnailSide,
                                      int(std::lround(canvasH * scale)));
        } else if (kind == kTypeSound) {
            media = writeArchiveWave(synthesizeSound(e), kSynthRate);
            thumbnail = painter.paint(json::array({{{"rect", {0, 0, 64, 64}}, {"fill", "#ffffff"}},
                                                   {{"rect", {3, 3, 58, 58}}, {"r", 14}, {"fill", "#ffd166"}, {"stroke", "#3b2a5c"}, {"line", 2}},
                                                   {{"emoji", e.at("emoji")}, {"at", {32, 34}}, {"size", 34}},
                                                   {{"emoji", "🔊"}, {"at", {50, 14}}, {"size", 16}}}),
                                      kThumbnailSide, kThumbnailSide);
        } else {
            const bool animated = kind == kTypeFlashAnimation;
            const int side = animated ? kAnimationSide : kStickerSide;
            const Raster art = painter.paint(emojiAlone(e.at("emoji"), side), side, side);
            const std::vector<SwfPlacement> frames =
                animated ? motionFrames(e.at("motion").get<std::string>()) : std::vector<SwfPlacement>{{side / 2.0, side / 2.0, 1, 1, 0}};
            media = writeSwfMovie(art, frames, side, side, kFramesPerSecond);
            thumbnail = painter.paint(emojiTile(e.at("emoji"), kThumbnailSide, 0.8), kThumbnailSide, kThumbnailSide);
        }
        add(archive, kind, id, media);
        add(archive, kTypeThumbnail, id, writePlainBitmap16(thumbnail));
        const json& names = e.at("name");
        const bool both = names.is_array();
        if (both && names.size() != 2) throw ArtError("library entry " + e.dump() + " needs its name in English and Spanish");
        add(archive, kTypeAltThumbnail, id, entryName(e, both ? names.at(0) : names));
        if (both) add(archive, kTypeSpanishName, id, entryName(e, names.at(1)));
        header.entries.push_back(LibraryEntry{id, 0});
        ++id;
    }
    std::vector<u8> bytes;
    if (writeLibraryHeader(header, &bytes) != kErrNone) throw ArtError("the library header cannot be stored");
    add(archive, kTypeLibraryHeader, 1, bytes);
    return archive;
}
