#include <gtest/gtest.h>

#include <array>

#include "contentgen/content/ArchiveImage.h"
#include "contentgen/content/ArtPainter.h"
#include "contentgen/raster/ArchiveReader.h"
#include "contentgen/content/BitmapWriter.h"
#include "contentgen/content/Cp1252.h"
#include "contentgen/content/IniWriter.h"
#include "contentgen/content/MidiMusic.h"
#include "contentgen/content/RegionWriter.h"
#include "contentgen/content/ShapeGroupBuilder.h"
#include "contentgen/content/SoundSynth.h"
#include "contentgen/content/SpeechSynth.h"
#include "contentgen/content/SwfMovieWriter.h"
#include "contentgen/content/TextCatalog.h"
#include "engine/audio/format/MidiEvents.h"
#include "engine/base/ByteOrder.h"
#include "engine/regions/Regions.h"
#include "media/swf/Document.h"
#include "media/swf/FrameTags.h"
#include "media/swf/Movie.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/TagCodes.h"
#include "engine/resources/format/ResourceErrors.h"

namespace {

constexpr u32 kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kClear = 0;

Raster rowOf(std::initializer_list<u32> pixels) {
    Raster r(int(pixels.size()), 1);
    std::copy(pixels.begin(), pixels.end(), r.pixels.begin());
    return r;
}

// Frames go out through the writer and come back through the engine's own packed-row walk.
TEST(ContentBitmapWriter, PackedFramesRoundTripThroughTheEngineReader) {
    const struct {
        const char* what;
        Raster raster;
    } cases[] = {
        {"literal run", rowOf({kRed, kBlue, kRed})},
        {"repeat just below the limit", rowOf({kRed, kRed, kRed, kBlue})},
        {"repeat at the limit", rowOf({kRed, kRed, kRed, kRed, kBlue})},
        {"gap inside the row", rowOf({kRed, kClear, kClear, kBlue})},
        {"gap at the row's end", rowOf({kRed, kBlue, kClear, kClear})},
        {"leading gap", rowOf({kClear, kRed, kRed, kRed, kRed, kRed})},
    };
    for (const auto& c : cases) {
        ShapeGroupBuilder group;
        group.addFrame(c.raster, 0, 0);
        const auto frames = decodeGroupFrames(group.groupBytes());
        ASSERT_TRUE(frames) << c.what;
        const RasterBounds cut = rasterOpaqueBounds(c.raster);
        ASSERT_EQ(frames->at(0).width, cut.right - cut.left) << c.what;
        for (int x = cut.left; x < cut.right; ++x) {
            const u32 want = c.raster.at(x, 0);
            const u32 got = frames->at(0).at(x - cut.left, 0);
            EXPECT_EQ(want == kClear ? 0u : rasterTo555(want), got == 0 ? 0u : rasterTo555(got)) << c.what << " at " << x;
        }
    }
}

// A stored region read back field by field: every place is inside one rectangle exactly when
// it is opaque, the rectangles keep the region order, and the engine takes the record.
TEST(ContentRegionWriter, RegionsHoldExactlyTheOpaquePlacesInRegionOrder) {
    Raster ring(7, 6);
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 6; ++x) ring.pixels[size_t(y * 7 + x)] = (y == 2 || y == 3) && x == 3 ? kClear : kRed;
    Raster two(5, 3);
    two.pixels[0] = kBlue;
    two.pixels[14] = kBlue;
    for (const Raster* r : {&ring, &two}) {
        std::vector<u8> bytes = writeRegionResource(*r);
        ASSERT_GE(bytes.size(), 16u);
        EXPECT_EQ(readBE32(bytes.data()), kRgnTag);
        const u16 capacity = readBE16(bytes.data() + 12), count = readBE16(bytes.data() + 14);
        ASSERT_EQ(count, capacity);
        ASSERT_EQ(bytes.size(), 16u + 8u * count);
        std::vector<std::array<int, 4>> rects;
        for (u16 i = 0; i < count; ++i) {
            const u8* p = bytes.data() + 16 + 8 * i;
            rects.push_back({i16(readBE16(p)), i16(readBE16(p + 2)), i16(readBE16(p + 4)), i16(readBE16(p + 6))});
        }
        for (size_t i = 1; i < rects.size(); ++i)
            EXPECT_TRUE(rects[i - 1][1] < rects[i][1] || (rects[i - 1][1] == rects[i][1] && rects[i - 1][2] <= rects[i][0])) << i;
        for (int y = 0; y < r->height; ++y)
            for (int x = 0; x < r->width; ++x) {
                int inside = 0;
                for (const auto& q : rects) inside += x >= q[0] && x < q[2] && y >= q[1] && y < q[3];
                EXPECT_EQ(inside, rasterOpaque(r->at(x, y)) ? 1 : 0) << x << "," << y;
            }
        EXPECT_EQ(rgnSwapBytes(bytes.data(), u32(bytes.size())), kErrNone);
    }
    EXPECT_THROW(writeRegionResource(Raster(3, 3)), ArtError);
}

// A batch gives one sound per text, in order, and starts from a fresh engine: its first text
// sounds the same as that text spoken alone, whatever follows it.
TEST(ContentSpeech, ABatchSpeaksEachTextInOrderFromAFreshStart) {
    const std::vector<SpokenSound> batch = speakTexts({"hello", "a much longer sentence than the first one"}, "en");
    ASSERT_EQ(batch.size(), 2u);
    EXPECT_GT(batch[1].samples.size(), batch[0].samples.size());
    EXPECT_EQ(speakText("hello", "en").samples, batch[0].samples);
    EXPECT_TRUE(speakTexts({}, "en").empty());
    EXPECT_THROW(speakTexts({"hello"}, "no-such-voice"), std::runtime_error);
}

// A movie read back by the Flash library: the shape's rectangles cover exactly the opaque
// places in their own colours, and every frame places it once.
TEST(ContentSwfWriter, MoviesReadBackWithThePictureAndEveryFrame) {
    Raster picture(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) picture.pixels[size_t(y * 6 + x)] = x == 2 && y == 1 ? kClear : x < 3 ? kRed : kBlue;
    const std::vector<SwfPlacement> frames = {{3, 2, 1, 1, 0}, {4, 2, 0.5, 0.5, 0}, {3, 3, 1, 1, 90}};
    const std::vector<u8> bytes = writeSwfMovie(picture, frames, 8, 6, 12);
    swf::document movie;
    ASSERT_EQ(swf::LoadMovieFromMemory(movie, bytes.data(), u32(bytes.size())), swf::kOk);
    EXPECT_EQ(movie.frameCount, 3);
    EXPECT_EQ(movie.frameRect, (swf::Rect{0, 0, 8 * 20, 6 * 20}));
    int places = 0, shows = 0;
    for (swf::tag* t = movie.FirstTag(); t; t = t->Next()) {
        places += t->Code() == swf::kTagPlaceObject2;
        shows += t->Code() == swf::kTagShowFrame;
    }
    EXPECT_EQ(places, 3);
    EXPECT_EQ(shows, 3);
    const auto* shape = movie.FindCharacterOf<swf::tagDefineShape>(1);
    ASSERT_TRUE(shape);
    ASSERT_EQ(shape->Version(), 3);
    const swf::Rect bounds = shape->Bounds();
    const u8* block = shape->Shape().Data();
    const u8* fills = block + readLE16(block);
    std::vector<int> cover(24, 0);
    std::vector<u32> colour(24, 0);
    const u8* r = block + readLE16(block + 4);
    while ((readLE16(r) & 3) != 0) {
        ASSERT_EQ(readLE16(r) & 3, 3) << "a rectangle starts with a style change";
        const i32 x = i32(readLE32(r + 4)), y = i32(readLE32(r + 8));
        const u16 fill = readLE16(r + 14);
        ASSERT_GT(fill, 0);
        const u8* style = fills + readLE16(fills + 2 * fill);
        r += 22;
        const i32 w = i32(readLE32(r + 2));
        const i32 h = i32(readLE32(r + 10 + 6));
        r += 40;
        for (int py = (y - bounds.yMin) / 20; py < (y - bounds.yMin + h) / 20; ++py)
            for (int px = (x - bounds.xMin) / 20; px < (x - bounds.xMin + w) / 20; ++px) {
                ++cover[size_t(py * 6 + px)];
                colour[size_t(py * 6 + px)] = (u32(style[1]) << 16) | (u32(style[2]) << 8) | style[3];
            }
    }
    for (int i = 0; i < 24; ++i) {
        const u32 want = picture.pixels[size_t(i)];
        EXPECT_EQ(cover[size_t(i)], want == kClear ? 0 : 1) << i;
        if (want != kClear) {
            EXPECT_EQ(colour[size_t(i)], want & 0xFFFFFF) << i;
        }
    }
    EXPECT_THROW(writeSwfMovie(Raster(2, 2), frames, 8, 6, 12), ArtError);
}

TEST(ContentBitmapWriter, EmptyRowsBetweenArtSurviveAndOffsetsPutTheFrameBack) {
    Raster r(4, 6);
    r.pixels[1 * 4 + 2] = kRed;  // (2, 1)
    r.pixels[5 * 4 + 1] = kBlue; // (1, 5)
    ShapeGroupBuilder group;
    group.addFrame(r, 3, 2);
    const auto frames = decodeGroupFrames(group.groupBytes());
    ASSERT_TRUE(frames);
    const Raster& f = frames->at(0);
    ASSERT_EQ(f.width, 2);
    ASSERT_EQ(f.height, 5);
    EXPECT_EQ(f.at(1, 0), 0xFFFF0000u);
    EXPECT_EQ(f.at(0, 4), 0xFF0000FFu);
    EXPECT_EQ(f.at(0, 2), 0u);
    // Drawn at a point, the frame is moved back by its offsets: here to (point - 2, point - 1).
    EXPECT_EQ(i16(readBE16(group.xOffsetTable().data() + 2)), 2);
    EXPECT_EQ(i16(readBE16(group.yOffsetTable().data() + 2)), 1);
}

// A frame keeps the place of its opaque art; one painted only see-through (a control's area)
// the place of that paint, drawn as nothing; one with nothing painted a single pixel.
TEST(ContentBitmapWriter, AFrameKeepsThePlaceItsArtCovers) {
    constexpr u32 kFaint = 0x400E0A17u, kHalf = 0x80800000u;
    const struct {
        const char* what;
        std::vector<u32> row;
        int width;
        bool drawsNothing;
    } cases[] = {
        {"opaque art between faint paint", {kFaint, kRed, kHalf, kFaint}, 2, false},
        {"faint paint alone", {kClear, kFaint, kFaint, kFaint, kClear}, 3, true},
        {"nothing painted", {kClear, kClear, kClear}, 1, true},
    };
    for (const auto& c : cases) {
        Raster r(int(c.row.size()), 1);
        std::copy(c.row.begin(), c.row.end(), r.pixels.begin());
        ShapeGroupBuilder group;
        group.addFrame(r, 0, 0);
        const auto frames = decodeGroupFrames(group.groupBytes());
        ASSERT_TRUE(frames) << c.what;
        EXPECT_EQ(frames->at(0).width, c.width) << c.what;
        bool drawsNothing = true;
        for (int x = 0; x < frames->at(0).width; ++x) drawsNothing = drawsNothing && frames->at(0).at(x, 0) == 0;
        EXPECT_EQ(drawsNothing, c.drawsNothing) << c.what;
    }
}

TEST(ContentBitmapWriter, HalfCoverageDecidesOpacityAndEdgesKeepTheirColour) {
    EXPECT_FALSE(rasterOpaque(0x7F7F0000u));
    EXPECT_TRUE(rasterOpaque(0x80800000u));
    // Half-covered pure red is still pure red, not a darker one.
    EXPECT_EQ(rasterTo555(0x80800000u), 0x7C00);
}

TEST(ContentArchiveImage, ResourcesComeBackByTypeAndIdAndDuplicatesAreRefused) {
    ArchiveImage archive;
    const std::vector<u8> a{1, 2, 3}, b{4, 5};
    ASSERT_EQ(archive.add(fourCC("tBMP"), 7, a), kErrNone);
    ASSERT_EQ(archive.add(fourCC("tWAV"), 7, b), kErrNone);
    EXPECT_EQ(archive.add(fourCC("tBMP"), 7, b), kResErrDuplicate);
    std::vector<u8> image;
    ASSERT_EQ(archive.serialize(&image), kErrNone);
    ArchiveReader reader;
    ASSERT_TRUE(reader.open(image));
    const auto found = reader.find(fourCC("tWAV"), 7);
    ASSERT_TRUE(found);
    EXPECT_EQ(std::vector<u8>(found->begin(), found->end()), b);
    EXPECT_FALSE(reader.find(fourCC("tWAV"), 8));
}

TEST(ContentCp1252, SpanishLettersMapAndWhatTheCodePageLacksIsRefused) {
    EXPECT_EQ(utf8ToCp1252("a\xC3\xB1o \xE2\x82\xAC"), std::string("a\xF1o \x80"));
    EXPECT_FALSE(utf8ToCp1252("\xE2\x9C\x8F"));  // a pencil emoji has no byte
    EXPECT_FALSE(utf8ToCp1252("\xC3"));          // cut short
}

TEST(ContentIniWriter, LinesEndInCrLfAndLineEndsInsideValuesAreRefused) {
    nlohmann::ordered_json ini = {{"TOC", {{"Debug", false}, {"Disc", 1}, {"Name", "x"}}}};
    EXPECT_EQ(writeIniText(ini), "[TOC]\r\nDebug=FALSE\r\nDisc=1\r\nName=x\r\n");
    ini["TOC"]["Name"] = "two\nlines";
    EXPECT_THROW(writeIniText(ini), std::invalid_argument);
}

TEST(ContentTextCatalog, LineFeedsAreEscapedAndKeysGivenTwiceAreRefused) {
    TextCatalog texts;
    texts.add(nlohmann::ordered_json::parse(R"({"S": {"K": ["one\ntwo", "uno\ndos"]}})"));
    EXPECT_NE(texts.languageFile(Language::Spanish).find("K=uno\\ndos\r\n"), std::string::npos);
    EXPECT_THROW(texts.add(nlohmann::ordered_json::parse(R"({"S": {"K": ["a", "b"]}})")), std::invalid_argument);
    EXPECT_THROW(texts.add(nlohmann::ordered_json::parse(R"({"S": {"L": ["only English"]}})")), std::invalid_argument);
    EXPECT_THROW(texts.lookup("S/Missing", Language::English), std::out_of_range);
}

// A tune keeps its tempo: a tempo event gives the quarter note's length in microseconds.
TEST(ContentMidiMusic, ATuneIsPlayedAtItsTempo) {
    for (const u32 bpm : {60u, 200u}) {
        const u32 quarter = 60000000 / bpm;
        const std::vector<u8> tempo = {0xFF, kMidiMetaTempo, 3, u8(quarter >> 16), u8(quarter >> 8), u8(quarter)};
        const std::vector<u8> tune = composeMidiTune({{"midi", {{"bpm", bpm}, {"tracks", {{{"notes", {{60, 2}}}}}}}}});
        EXPECT_NE(std::search(tune.begin(), tune.end(), tempo.begin(), tempo.end()), tune.end()) << bpm;
    }
}

TEST(ContentSoundSynth, LengthsAreTakenUpToTheLimitAndRefusedPastIt) {
    const struct {
        int ms;
        bool taken;
    } cases[] = {{0, false}, {1, true}, {10000, true}, {10001, false}};
    for (const auto& c : cases) {
        const nlohmann::json spec = {{"synth", "click"}, {"ms", c.ms}};
        if (c.taken) {
            EXPECT_EQ(synthesizeSound(spec).size(), size_t(c.ms) * kSynthRate / 1000) << c.ms;
        } else {
            EXPECT_THROW(synthesizeSound(spec), std::invalid_argument) << c.ms;
        }
    }
    EXPECT_THROW(synthesizeSound({{"synth", "kazoo"}}), std::invalid_argument);
}

TEST(ContentSoundSynth, EverySoundKindIsAudibleAndStartsAndEndsSilent) {
    for (const char* kind : {"click", "pop", "chime", "blip", "whoosh", "scribble", "sparkle", "buzz"}) {
        const std::vector<i16> s = synthesizeSound({{"synth", kind}, {"ms", 300}});
        int peak = 0;
        for (i16 v : s) peak = std::max(peak, std::abs(int(v)));
        EXPECT_GT(peak, 2000) << kind;
        EXPECT_EQ(s.front(), 0) << kind;
        EXPECT_LT(std::abs(int(s.back())), 200) << kind;
    }
}

}  // namespace

namespace {

// A mix is silent before each part starts and sounds where it does; a part past the end is
// cut off, one starting outside 0..10000 ms is refused.
TEST(ContentSoundSynth, AMixSoundsEachPartFromItsStart) {
    const auto peak = [](const std::vector<i16>& s, size_t from, size_t to) {
        int p = 0;
        for (size_t i = from; i < to && i < s.size(); ++i) p = std::max(p, std::abs(int(s[i])));
        return p;
    };
    const auto sample = [](int ms) { return size_t(ms) * kSynthRate / 1000; };
    const struct {
        int at;
        int ms;
        bool taken;
    } cases[] = {{0, 400, true}, {150, 400, true}, {370, 400, true}, {-1, 400, false}, {10001, 400, false}};
    for (const auto& c : cases) {
        const nlohmann::json part = {{"synth", "pop"}, {"ms", 100}, {"freq", 400}, {"at", c.at}};
        const nlohmann::json spec = {{"synth", "mix"}, {"ms", c.ms}, {"gain", 1.0}, {"parts", {part}}};
        if (!c.taken) {
            EXPECT_THROW(synthesizeSound(spec), std::invalid_argument) << c.at;
            continue;
        }
        const std::vector<i16> s = synthesizeSound(spec);
        ASSERT_EQ(s.size(), sample(c.ms)) << c.at;
        EXPECT_EQ(peak(s, 0, sample(c.at)), 0) << c.at;
        EXPECT_GT(peak(s, sample(c.at), sample(c.at + 20)), 2000) << c.at;
    }
}

}  // namespace
