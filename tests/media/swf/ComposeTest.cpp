// Movies composed from pictures, other movies and archive waves, read back by our reader, by
// the player and by an independent parser.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>

#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/AdpcmSeekTable.h"
#include "engine/audio/format/ImaAdpcm.h"
#include "media/swf/CharacterIds.h"
#include "media/swf/DataTags.h"
#include "media/swf/FrameTags.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/PlacementMatrix.h"
#include "media/swf/Player.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/SoundTags.h"
#include "media/swf/SpriteTag.h"
#include "tests/media/swf/FakeHost.h"
#include "tests/media/swf/PlayTestMovies.h"

using namespace swf;
using namespace swftest;

namespace {

// read_with_yaswfp.py's exit status when Debian's parser is missing.
constexpr int kYaswfpMissing = 3;

const Rect kStage{0, 0, 640 * 20, 480 * 20};

std::vector<u16> Picture(u32 width, u32 height, u16 colour) { return std::vector<u16>(size_t(width) * height, colour); }

// Ids and codes of the document's tags in order.
std::vector<std::pair<u16, u16>> TagsOf(const document& doc) {
    std::vector<std::pair<u16, u16>> out;
    for (const tag* t = doc.FirstTag(); t; t = t->Next()) {
        u16 id = 0;
        if (auto* c = dynamic_cast<const tagObject*>(t)) id = c->CharacterId();
        else if (auto* p = dynamic_cast<const tagPlaceObject*>(t)) id = p->characterId;
        out.push_back({t->Code(), id});
    }
    return out;
}

std::unique_ptr<document> Loaded(const Bytes& bytes) {
    auto doc = std::make_unique<document>();
    EXPECT_EQ(Load(*doc, bytes), kOk);
    return doc;
}

Bytes WrittenBy(MovieBuilder& builder) {
    mstream out(1024);
    EXPECT_EQ(builder.Write(out), kOk);
    return Contents(out);
}

// The independent parser's description of the movie; empty when it is not installed.
std::string ReadByYaswfp(const Bytes& movie, int& status) {
    const auto dir = std::filesystem::temp_directory_path() / ("swf_compose_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto file = dir / "movie.swf", listing = dir / "listing.txt";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(movie.data()), std::streamsize(movie.size()));
    const auto script = std::filesystem::path(SWF_TEST_SCRIPTS) / "read_with_yaswfp.py";
    const std::string command =
        "python3 '" + script.string() + "' '" + file.string() + "' > '" + listing.string() + "' 2>&1";
    status = WEXITSTATUS(std::system(command.c_str()));
    std::ifstream in(listing);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(dir);
    return text;
}

Bytes WaveImage(u16 rate, u32 frames, u8 bits, u8 channels, u16 encoding, const std::vector<u8>& samples,
                u16 loop = 0, u32 loopStart = 0, u32 loopEnd = 0, std::vector<WaveChunk> extra = {}) {
    ArchiveWaveInfo info;
    info.sampleRate = rate;
    info.frames = frames;
    info.bits = bits;
    info.channels = channels;
    info.encoding = encoding;
    info.loopCount = loop;
    info.loopStart = loopStart;
    info.loopEnd = loopEnd;
    info.extraChunks = std::move(extra);
    return writeArchiveWave(info, samples);
}

}  // namespace

TEST(Compose, PicturesTakeTheFirstFreeIdsAndReadBack) {
    FakeHost host;
    MovieBuilder builder(kStage);
    const auto pixels = Picture(4, 3, 0x7FFF);
    Matrix at;
    at.translateX = 100;
    ASSERT_EQ(builder.AddPicture(pixels.data(), 8, 4, 3, at, 0), kOk);
    ASSERT_EQ(builder.AddPicture(pixels.data(), 8, 4, 3, at, 1), kOk);
    EXPECT_EQ(TagsOf(builder.Document()),
              (std::vector<std::pair<u16, u16>>{{kTagSetBackgroundColor, 0},
                                                {kTagDefineBitsJPEG2, 1},
                                                {kTagDefineShape3, 2},
                                                {kTagPlaceObject, 2},
                                                {kTagDefineBitsJPEG2, 3},
                                                {kTagDefineShape3, 4},
                                                {kTagPlaceObject, 4},
                                                {kTagShowFrame, 0},
                                                {kTagEnd, 0}}));
    EXPECT_EQ(builder.PictureBitmapId(), 1);
    EXPECT_EQ(host.references, 1);  // the engine's own reference, no JPEG service left held
    const Bytes bytes = WrittenBy(builder);
    auto doc = Loaded(bytes);
    EXPECT_GE(doc->version, 3);
    auto* shape = doc->FindCharacterOf<tagDefineShape>(2);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->Bounds(), (Rect{0, 0, 80, 60}));
    auto* bitmap = doc->FindCharacterOf<tagDefineBitsJPEG2>(1);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->ImageOffset(), 9u);
    // The read-back movie places its shapes when played.
    player p(*doc, nullptr);
    ASSERT_EQ(p.AdvanceFrame(), kOk);
    EXPECT_EQ(p.DisplayList().InUse(), 2u);

    int status = 0;
    const std::string listing = ReadByYaswfp(bytes, status);
    ASSERT_EQ(status, 0) << (status == kYaswfpMissing ? "python3-yaswfp is not installed (scripts/install-deps)" : listing);
    EXPECT_NE(listing.find("version=3 frames=1"), std::string::npos) << listing;
    // One clipped bitmap fill of bitmap 1; a style change and four edges.
    EXPECT_NE(listing.find("DefineShape3 ShapeId=2 fill=65:1 records=5"), std::string::npos) << listing;
    EXPECT_NE(listing.find("DefineShape3 ShapeId=4 fill=65:3 records=5"), std::string::npos) << listing;
}

TEST(Compose, FiveBitColoursExpandToFullRange) {
    struct Case {
        u16 pixel;
        std::vector<u8> rgb;
    } cases[] = {{0x7FFF, {255, 255, 255}}, {0x0000, {0, 0, 0}}, {0x7C00, {255, 0, 0}}, {0x03E0, {0, 255, 0}},
                 {0x001F, {0, 0, 255}},     {0x0421, {8, 8, 8}}, {0x4210, {132, 132, 132}}};
    for (const Case& c : cases) {
        FakeHost host;
        MovieBuilder builder(kStage);
        // Two rows with a gap after each: only the pixels are read.
        const std::vector<u16> rows{c.pixel, 0xFFFF, c.pixel, 0xFFFF};
        std::unique_ptr<tagDefineBitsJPEG2> bitmap(builder.MakeJPEGBitmapFrom555(rows.data(), 4, 1, 2));
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(host.compressed, Concat({c.rgb, c.rgb})) << std::hex << c.pixel;
    }
}

TEST(Compose, JpegFailuresLeaveTheirCodeAndNothingLinked) {
    {
        FakeHost host;
        host.compressResult = 0xFFFF;
        MovieBuilder builder(kStage);
        const auto pixels = Picture(2, 2, 0);
        EXPECT_EQ(builder.AddPicture(pixels.data(), 4, 2, 2, Matrix{}, 1), 0xFFFF);
        EXPECT_EQ(builder.LastError(), 0xFFFF);
        EXPECT_EQ(builder.Document().FirstCharacter(), nullptr);
        EXPECT_EQ(host.references, 1);
    }
    MovieBuilder builder(kStage);
    EXPECT_EQ(builder.MakeJPEGBitmap(nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(builder.LastError(), kErrNoInterface);
}

TEST(Compose, FreeIdLimitAndOnePast) {
    std::set<u16> used;
    for (u32 id = 1; id < 0xFFFF; ++id) used.insert(u16(id));
    EXPECT_EQ(NextFreeCharacterId(used), 0xFFFF);
    used.insert(0xFFFF);
    EXPECT_EQ(NextFreeCharacterId(used), 0);
    EXPECT_EQ(NextFreeCharacterId({1, 2, 4}, {3, 5}), 6);
}

TEST(Compose, MergedIdsAvoidBothMoviesAndTheSpriteKeepsItsTimeline) {
    FakeHost host;
    MovieBuilder builder(kStage);
    const auto pixels = Picture(2, 2, 0);
    ASSERT_EQ(builder.AddPicture(pixels.data(), 4, 2, 2, Matrix{}, 1), kOk);  // ids 1 and 2
    // Shapes 1 to 3 of the source; 2 is taken in the target, so it must not become 3.
    const Bytes source = MovieOf(2, Concat({Background(1, 2, 3), Shape(1), Shape(2), Shape(3), Place(1, 1), Place(2, 2),
                                            ShowFrame(), Remove(1), Place(3, 3), ShowFrame()}));
    Matrix at;
    at.translateY = 40;
    ASSERT_EQ(builder.MergeMovie(Loaded(source), at, 5), kOk);
    const auto tags = TagsOf(builder.Document());
    std::set<u16> ids;
    for (const auto& [code, id] : tags)
        if (code == kTagDefineShape || code == kTagDefineShape3 || code == kTagDefineBitsJPEG2 || code == kTagDefineSprite)
        {
            EXPECT_TRUE(ids.insert(id).second) << "id " << id << " defined twice";
        }
    // The shapes skip 3, which the source uses; the sprite takes the target's first free id.
    EXPECT_EQ(ids, (std::set<u16>{1, 2, 3, 4, 5, 6}));

    const Bytes bytes = WrittenBy(builder);
    auto doc = Loaded(bytes);
    EXPECT_GE(doc->version, 6);
    // Only the target's own background is left.
    int backgrounds = 0;
    for (const tag* t = doc->FirstTag(); t; t = t->Next()) backgrounds += t->Code() == kTagSetBackgroundColor;
    EXPECT_EQ(backgrounds, 1);
    auto* sprite = doc->FindCharacterOf<tagDefineSprite>(3);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(TagsOf(*sprite->Movie()), (std::vector<std::pair<u16, u16>>{{kTagPlaceObject2, 4},
                                                                           {kTagPlaceObject2, 5},
                                                                           {kTagShowFrame, 0},
                                                                           {kTagRemoveObject2, 0},
                                                                           {kTagPlaceObject2, 6},
                                                                           {kTagShowFrame, 0},
                                                                           {kTagEnd, 0}}));
    player p(*doc, nullptr);
    ASSERT_EQ(p.AdvanceFrame(), kOk);
    ASSERT_NE(p.FirstChild(), nullptr);
    ASSERT_EQ(p.FirstChild()->AdvanceFrame(), kOk);
    ASSERT_EQ(p.FirstChild()->AdvanceFrame(), kOk);
    NameTree& list = p.DisplayList();
    std::vector<u16> shown;
    for (u32 e = list.First(); e != kNoEntry; e = list.Entry(e).next) shown.push_back(list.Entry(e).character->CharacterId());
    EXPECT_EQ(shown, (std::vector<u16>{3, 6, 5, 2}));

    int status = 0;
    const std::string listing = ReadByYaswfp(bytes, status);
    ASSERT_EQ(status, 0) << (status == kYaswfpMissing ? "python3-yaswfp is not installed (scripts/install-deps)" : listing);
    EXPECT_NE(listing.find("DefineSprite CharacterID=3 FrameCount=2\n  PlaceObject2 CharacterId=4 Depth=1"),
              std::string::npos)
        << listing;
}

TEST(Compose, MergedDefineBitsCarryTheirTables) {
    FakeHost host;
    MovieBuilder builder(kStage);
    const Bytes tables = Tag(kTagJPEGTables, {0xFF, 0xD8, 0xAA, 0xFF, 0xD9});
    const Bytes bits = Tag(kTagDefineBits, {1, 0, 0xFF, 0xD8, 0xBB, 0xFF, 0xD9});
    ASSERT_EQ(builder.MergeMovie(Loaded(MovieOf(1, Concat({tables, bits, ShowFrame()}))), Matrix{}, 1), kOk);
    const auto tags = TagsOf(builder.Document());
    for (const auto& [code, id] : tags) {
        EXPECT_NE(code, kTagJPEGTables);
        EXPECT_NE(code, kTagDefineBits);
    }
    // Id 1 is the source's own: the bitmap takes the next one.
    auto* bitmap = builder.Document().FindCharacterOf<tagDefineBitsJPEG2>(2);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(Bytes(bitmap->Data().Data(), bitmap->Data().Data() + bitmap->Data().Size()),
              (Bytes{0xFF, 0xD8, 0xAA, 0xFF, 0xD9, 0xFF, 0xD8, 0xBB, 0xFF, 0xD9}));
    EXPECT_EQ(bitmap->ImageOffset(), 5u);
}

TEST(Compose, MergeRefusedPastTheReadersSpriteNesting) {
    // Sprites nested n deep in the source become n + 1 deep in the target.
    auto nested = [](u32 depth) {
        Bytes inner = ShowFrame();
        for (u32 level = depth; level >= 1; --level) inner = Concat({Sprite(u16(level), 1, inner), ShowFrame()});
        return MovieOf(1, inner);
    };
    for (const auto& [depth, result] : {std::pair<u32, Result>{kMaxSpriteNesting - 1, kOk}, {kMaxSpriteNesting, kErrBadData}}) {
        MovieBuilder builder(kStage);
        auto source = std::make_unique<document>();
        ASSERT_EQ(Load(*source, nested(depth)), kOk) << depth;
        EXPECT_EQ(builder.MergeMovie(std::move(source), Matrix{}, 1), result) << depth;
        if (result == kOk) {
            document again;
            EXPECT_EQ(Load(again, WrittenBy(builder)), kOk);
        } else {
            EXPECT_EQ(builder.Document().FirstCharacter(), nullptr);
        }
    }
}

TEST(Compose, RemapReachesEveryReference) {
    // Character 9 is named by a bitmap fill, a button record, a StartSound, placements and a
    // removal, also inside a sprite.
    const Bytes fillShape = Tag(kTagDefineShape, {2, 0, 0x10, 0x00, 1, 0x41, 9, 0, 0x00, 0, 0x00, 0x00});
    const Bytes sprite = Sprite(3, 1, Concat({Place(1, 9), ShowFrame()}));
    const Bytes bytes = MovieOf(1, Concat({Shape(9), DefineSound(8, 0, 0, false, false, 1, {0}), fillShape,
                                           Button(4, {{0x09, 9, 1}}), sprite, Place(1, 9), StartSound(9, 0),
                                           Tag(kTagRemoveObject, {9, 0, 1, 0}), ShowFrame()}));
    document doc;
    ASSERT_EQ(Load(doc, bytes), kOk);
    ASSERT_EQ(RemapCharacterId(doc, 9, 300), kOk);
    const Bytes written = Written(doc);
    const Bytes expected = MovieOf(1, Concat({Shape(300), DefineSound(8, 0, 0, false, false, 1, {0}),
                                              Tag(kTagDefineShape, {2, 0, 0x10, 0x00, 1, 0x41, 44, 1, 0x00, 0, 0x00, 0x00}),
                                              Button(4, {{0x09, 300, 1}}), Sprite(3, 1, Concat({Place(1, 300), ShowFrame()})),
                                              Place(1, 300), StartSound(300, 0), Tag(kTagRemoveObject, {44, 1, 1, 0}),
                                              ShowFrame()}));
    document again;
    ASSERT_EQ(Load(again, expected), kOk);
    EXPECT_EQ(written, Written(again));
}

TEST(Compose, PlacementMatrixScalesAndTurnsAboutTheCentre) {
    const Rect rect{0, 0, 200, 100};
    struct Case {
        double angle, sx, sy;
        Matrix expected;
    } cases[] = {{0, 1, 1, {65536, 0, 0, 65536, 1000, 2000}},
                 {0, 2, 2, {131072, 0, 0, 131072, 1000, 2000}},
                 {90, 1, 1, {0, 65536, -65536, 0, 1150, 1950}},
                 {180, 1, 1, {-65536, 0, 0, -65536, 1200, 2100}}};
    for (const Case& c : cases) {
        Matrix m;
        PlacementMatrix(m, rect, 1000, 2000, c.angle, c.sx, c.sy);
        EXPECT_NEAR(m.scaleX, c.expected.scaleX, 1) << c.angle;
        EXPECT_NEAR(m.rotateSkew0, c.expected.rotateSkew0, 1) << c.angle;
        EXPECT_NEAR(m.rotateSkew1, c.expected.rotateSkew1, 1) << c.angle;
        EXPECT_NEAR(m.scaleY, c.expected.scaleY, 1) << c.angle;
        EXPECT_NEAR(m.translateX, c.expected.translateX, 1) << c.angle;
        EXPECT_NEAR(m.translateY, c.expected.translateY, 1) << c.angle;
    }
}

// Scales come from a movie's frame size, which a file may make tiny or empty: the 16.16 terms
// and the translation stop at the field's range instead of wrapping to the other sign.
TEST(Compose, PlacementMatrixClampsTermsPastTheFieldRange) {
    const Rect rect{0, 0, 200, 100};
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Case {
        double sx;
        i32 scaleX, translateX;
    } cases[] = {{32767.0, 32767 * 65536, 1000}, {32768.0, INT32_MAX, 1000},    {1e12, INT32_MAX, 1000},
                 {-1e12, INT32_MIN, INT32_MAX},        {kInf, INT32_MAX, 0},          {std::nan(""), 0, 0}};
    for (const Case& c : cases) {
        Matrix m;
        PlacementMatrix(m, rect, 1000, 2000, 0, c.sx, 1);
        EXPECT_EQ(m.scaleX, c.scaleX) << c.sx;
        EXPECT_EQ(m.translateX, c.translateX) << c.sx;
        EXPECT_EQ(m.scaleY, 65536) << c.sx;
    }
}

TEST(Compose, SoundsFromArchiveWaves) {
    MovieBuilder builder(kStage);
    // 16-bit big-endian at 22050 Hz, looping from frame 11025 to the end.
    const Bytes wave = WaveImage(22050, 2, 16, 1, kWaveEncodingPcm, {0x12, 0x34, 0xFF, 0xFE}, 0xFFFF, 1, 0);
    ASSERT_EQ(builder.AddSound(wave.data(), u32(wave.size())), kOk);
    auto* sound = builder.Document().FindCharacterOf<tagDefineSound>(1);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(Bytes(sound->Samples().Data(), sound->Samples().Data() + 4), (Bytes{0x34, 0x12, 0xFE, 0xFF}));
    EXPECT_EQ(sound->rate, 22050u);
    tagStartSound* start = nullptr;
    for (tag* t = builder.Document().FirstTag(); t; t = t->Next())
        if (auto* s = dynamic_cast<tagStartSound*>(t)) start = s;
    ASSERT_NE(start, nullptr);
    const SoundInfo info = ParseSoundUse(start->Use());
    EXPECT_EQ(info.flags, 0x07);
    EXPECT_EQ(info.loops, 0xFFFF);
    EXPECT_EQ(info.inPoint, 1u);   // 1 / 22050 s is 2 samples at 44100 before truncation: 2.97 -> 1
    EXPECT_EQ(info.outPoint, 3u);  // 2 / 22050 s
    document again;
    EXPECT_EQ(Load(again, WrittenBy(builder)), kOk);
}

TEST(Compose, SoundsAtOtherRatesAreResampledToAFormatRate) {
    MovieBuilder builder(kStage);
    std::vector<u8> samples(1600);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = u8(i);
    const Bytes wave = WaveImage(16000, 1600, 8, 1, kWaveEncodingPcm, samples);
    ASSERT_EQ(builder.AddSound(wave.data(), u32(wave.size())), kOk);
    auto* sound = builder.Document().FindCharacterOf<tagDefineSound>(1);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->rate, 22050u);
    EXPECT_EQ(sound->sampleCount, 2205u);
    EXPECT_EQ(sound->Samples().Size(), 2205u);
    // A non-looping wave starts without settings.
    for (tag* t = builder.Document().FirstTag(); t; t = t->Next())
        if (auto* s = dynamic_cast<tagStartSound*>(t)) {
            EXPECT_EQ(ParseSoundUse(s->Use()).flags, 0);
        }
    Bytes written = WrittenBy(builder);
    document again;
    ASSERT_EQ(Load(again, written), kOk);
    EXPECT_EQ(again.FindCharacterOf<tagDefineSound>(1)->rate, 22050u);
}

TEST(Compose, AdpcmWavesDecodeToEightBits) {
    MovieBuilder builder(kStage);
    // One ADPCM byte: two mono frames from the state the "ADPC" chunk gives.
    const AdpcmSeekEntry start{0, {{ImaChannelState{1000, 20}, ImaChannelState{}}}};
    const Bytes wave = WaveImage(11025, 2, 4, 1, kWaveEncodingImaAdpcm, {0x7F},  0, 0, 0,
                                 {WaveChunk{kWaveAdpcmChunk, writeAdpcmSeekTable(std::span(&start, 1), 1)}});
    ASSERT_EQ(builder.AddSound(wave.data(), u32(wave.size())), kOk);
    auto* sound = builder.Document().FindCharacterOf<tagDefineSound>(1);
    ASSERT_NE(sound, nullptr);
    ImaChannelState state{1000, 20};
    i16 decoded[2];
    imaDecode(std::vector<u8>{0x7F}.data(), false, 2, 1, &state, decoded);
    EXPECT_EQ(Bytes(sound->Samples().Data(), sound->Samples().Data() + 2),
              (Bytes{u8((decoded[0] >> 8) + 128), u8((decoded[1] >> 8) + 128)}));
    EXPECT_EQ(sound->bitsPerSample, 8);
}

TEST(Compose, SoundRefusals) {
    const Bytes good = WaveImage(11025, 4, 8, 1, kWaveEncodingPcm, {1, 2, 3, 4});
    Bytes shortData = good;
    // The frame count, at "Data" + 8 + 2, claims one frame more than the chunk holds.
    const size_t data = std::string(shortData.begin(), shortData.end()).find("Data");
    shortData[data + 8 + 5] = 5;
    const Bytes notAWave{'R', 'I', 'F', 'F', 0, 0, 0, 0};
    // At 1 Hz every frame becomes 5512 bytes at the movie's slowest rate: 779,204 frames are the
    // fewest that pass the tag's 32-bit length, so the wave is refused before its samples are raised.
    const Bytes tooSlow = WaveImage(1, 779204, 8, 1, kWaveEncodingPcm, std::vector<u8>(779204, 0x80));
    struct Case {
        const Bytes& image;
        Result result;
    } cases[] = {{good, kOk}, {shortData, kErrBadData}, {notAWave, kErrBadData}, {tooSlow, kErrBadData}};
    for (const Case& c : cases) {
        MovieBuilder builder(kStage);
        EXPECT_EQ(builder.AddSound(c.image.data(), u32(c.image.size())), c.result);
        EXPECT_EQ(builder.Document().FirstCharacter() != nullptr, c.result == kOk);
    }
}

TEST(Compose, RemapLeavesIdZeroAlone) {
    // A StartSound of sound 0 names no sound; its block holds the id alone.
    document doc;
    ASSERT_EQ(Load(doc, MovieOf(1, Concat({Tag(kTagStartSound, {0, 0}), ShowFrame()}))), kOk);
    const Bytes before = Written(doc);
    ASSERT_EQ(RemapCharacterId(doc, 0, 5), kOk);
    EXPECT_EQ(Written(doc), before);
}

TEST(Compose, MergedMovieWithoutAnEndTagStillReadsBack) {
    MovieBuilder builder(kStage);
    auto empty = std::make_unique<document>();
    ASSERT_EQ(builder.MergeMovie(std::move(empty), Matrix{}, 1), kOk);
    document again;
    EXPECT_EQ(Load(again, WrittenBy(builder)), kOk);
}
