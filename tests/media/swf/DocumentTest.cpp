#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "media/swf/FrameTags.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/SpriteTag.h"
#include "tests/media/swf/SwfTestSupport.h"

using namespace swf;
using swftest::Bytes;
using swftest::Concat;
using swftest::Load;
using swftest::Movie;
using swftest::Tag;

namespace {

const Bytes kEmptyShape = Tag(kTagDefineShape, {3, 0, 0x10, 0x00, 0, 0, 0x00, 0x00});

}  // namespace

TEST(SwfNewMovie, EmptyMovieHasExactBytes) {
    MovieBuilder builder(Rect{0, 0, 640 * 20, 480 * 20});
    mstream out(256);
    ASSERT_EQ(builder.Write(out), kOk);
    EXPECT_EQ(builder.LastError(), kOk);
    // RECT: 15 bits per value (12800 and 9600 need 15): 5 + 60 bits, 9 bytes.
    const Bytes expected{'F',  'W',  'S',  2,    30,   0,    0,    0,    0x78, 0x00, 0x06, 0x40, 0x00,
                         0x00, 0x12, 0xC0, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x43, 0x02, 0xFF, 0xFF, 0xFF,
                         0x40, 0x00, 0x00, 0x00};
    EXPECT_EQ(swftest::Contents(out), expected);
    EXPECT_EQ(builder.Document().framesRead, 1);
    EXPECT_EQ(builder.Document().Extension(), nullptr);
}

TEST(SwfNewMovie, ReadsBackAsWritten) {
    MovieBuilder builder(Rect{0, 0, 2000, 1000});
    std::vector<u8> bytes;
    ASSERT_EQ(SaveMovieToMemory(builder.Document(), bytes), kOk);
    document doc;
    ASSERT_EQ(Load(doc, bytes), kOk);
    EXPECT_EQ(doc.version, 2);
    EXPECT_EQ(doc.frameRate, kNewMovieFrameRate);
    EXPECT_EQ(doc.frameRect, (Rect{0, 0, 2000, 1000}));
    EXPECT_EQ(doc.framesRead, 1);
    EXPECT_EQ(swftest::Written(doc), bytes);
}

TEST(SwfHeader, CompressedOrForeignSignatureIsBadData) {
    for (const char* signature : {"CWS", "XYZ"}) {
        Bytes movie = Movie({});
        std::copy(signature, signature + 3, movie.begin());
        document doc;
        EXPECT_EQ(Load(doc, movie), kErrBadData) << signature;
        EXPECT_EQ(doc.version, 0);
        EXPECT_EQ(doc.Source(), nullptr);
    }
}

TEST(SwfHeader, ShortHeadersAreReadErrors) {
    const Bytes whole = Movie({});
    for (size_t cut : {0, 2, 3, 7, 9, 12, 13}) {
        document doc;
        const Bytes movie(whole.begin(), whole.begin() + cut);
        EXPECT_EQ(Load(doc, movie), kErrMemory) << cut;
        EXPECT_EQ(doc.version, 0);
    }
}

TEST(SwfHeader, RateIsKeptAs16Dot16) {
    Bytes movie = Movie({});
    movie[10] = 0x80;  // 12.5 frames per second
    document doc;
    ASSERT_EQ(Load(doc, movie), kOk);
    EXPECT_EQ(doc.frameRate, 0xC8000u);
    EXPECT_EQ(doc.FrameDurationMs(), 80u);
}

TEST(SwfHeader, RatesBelowOneFramePerSecondLastOneSecond) {
    for (u8 rate : {0, 1, 0xFF}) {
        Bytes movie = Movie({});
        movie[11] = 0;
        movie[10] = rate;
        document doc;
        ASSERT_EQ(Load(doc, movie), kOk);
        EXPECT_EQ(doc.FrameDurationMs(), 1000u);
        EXPECT_EQ(swftest::Written(doc), movie);
    }
}

TEST(SwfReading, MovieWithoutEndTagIsAReadError) {
    Bytes movie = Movie(Tag(kTagShowFrame, {}));
    movie.resize(movie.size() - 2);
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrMemory);
    EXPECT_EQ(doc.framesRead, 1);
    EXPECT_EQ(doc.LastError(), kErrMemory);
}

TEST(SwfReading, FailingTagStaysInTheList) {
    const Bytes movie = Movie(Concat({Tag(kTagShowFrame, {}), Tag(kTagDefineShape, {3})}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrMemory);
    ASSERT_NE(doc.LastTag(), nullptr);
    EXPECT_EQ(doc.LastTag()->Code(), kTagDefineShape);
}

TEST(SwfReading, TruncatedMoviesNeverReadPastTheirData) {
    const Bytes sprite = Tag(kTagDefineSprite, Concat({{5, 0, 1, 0}, Tag(kTagShowFrame, {}), Tag(kTagEnd, {})}));
    const Bytes whole = Movie(Concat({kEmptyShape, sprite, Tag(kTagFrameLabel, {'a', 0}), Tag(kTagShowFrame, {})}));
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        document doc;
        const Bytes movie(whole.begin(), whole.begin() + cut);
        EXPECT_NE(Load(doc, movie), kOk) << cut;
    }
}

TEST(SwfSprites, NestedMovieIsWrittenWithoutAHeaderAndAligned) {
    const Bytes inner = Concat({{5, 0, 2, 0}, Tag(kTagPlaceObject2, {0x02, 1, 0, 3, 0}), Tag(kTagShowFrame, {}),
                                Tag(kTagShowFrame, {}), Tag(kTagEnd, {})});
    const Bytes movie = Movie(Concat({kEmptyShape, Tag(kTagDefineSprite, inner)}));
    document doc;
    ASSERT_EQ(Load(doc, movie), kOk);
    EXPECT_EQ(swftest::Written(doc), movie);
    auto* sprite = static_cast<tagDefineSprite*>(doc.FindCharacter(5));
    ASSERT_NE(sprite, nullptr);
    document* nested = sprite->Movie();
    EXPECT_EQ(nested->Parent(), &doc);
    EXPECT_EQ(doc.FirstChild(), nested);
    EXPECT_EQ(nested->frameCount, 2);
    EXPECT_EQ(nested->framesRead, 2);
    EXPECT_EQ(nested->version, 6);
}

TEST(SwfSprites, NestedTagsMayNotReachPastTheSpriteBody) {
    // The sprite's length covers its id, frame count and a ShowFrame; its End lies outside.
    const Bytes sprite = Tag(kTagDefineSprite, Concat({{5, 0, 1, 0}, Tag(kTagShowFrame, {})}));
    const Bytes movie = Movie(Concat({sprite, Tag(kTagEnd, {})}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrMemory);
}

TEST(SwfSprites, DeeplyNestedSpritesAreRefused) {
    Bytes body = Concat({{1, 0, 1, 0}, Tag(kTagEnd, {})});
    for (int level = 0; level < 40; ++level) body = Concat({{1, 0, 1, 0}, Tag(kTagDefineSprite, body), Tag(kTagEnd, {})});
    const Bytes movie = Movie(Tag(kTagDefineSprite, body));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfCharacters, NestedDocumentFindsItsParentsCharacters) {
    const Bytes inner = Concat({{5, 0, 1, 0}, Tag(kTagPlaceObject2, {0x02, 1, 0, 3, 0}), Tag(kTagEnd, {})});
    const Bytes movie = Movie(Concat({kEmptyShape, Tag(kTagDefineSprite, inner)}));
    document doc;
    ASSERT_EQ(Load(doc, movie), kOk);
    document* nested = static_cast<tagDefineSprite*>(doc.FindCharacter(5))->Movie();
    EXPECT_EQ(nested->FindCharacter(3), doc.FindCharacter(3));
    EXPECT_NE(nested->FindCharacterOf<tagDefineShape>(3), nullptr);
    EXPECT_EQ(nested->FindCharacterOf<tagDefineSprite>(3), nullptr);
    EXPECT_EQ(doc.FindCharacter(99), nullptr);
}

TEST(SwfCharacters, ListIsSortedById) {
    const auto shape = [](u8 id) { return Tag(kTagDefineShape, {id, 0, 0x10, 0x00, 0, 0, 0x00, 0x00}); };
    const Bytes movie = Movie(Concat({shape(9), shape(2), shape(5)}));
    document doc;
    ASSERT_EQ(Load(doc, movie), kOk);
    std::vector<u16> ids;
    for (tagObject* c = doc.FirstCharacter(); c; c = c->NextCharacter()) ids.push_back(c->CharacterId());
    EXPECT_EQ(ids, (std::vector<u16>{2, 5, 9}));
    EXPECT_EQ(swftest::Written(doc), movie);
}

TEST(SwfLabels, LabelsKeepTheirFrameNewestFirst) {
    const Bytes movie = Movie(Concat({Tag(kTagFrameLabel, {'a', 0}), Tag(kTagShowFrame, {}),
                                      Tag(kTagFrameLabel, {'b', 0}), Tag(kTagShowFrame, {})}));
    document doc;
    ASSERT_EQ(Load(doc, movie), kOk);
    const tagFrameLabel* newest = doc.FirstLabel();
    ASSERT_NE(newest, nullptr);
    EXPECT_STREQ(newest->Name().c_str(), "b");
    EXPECT_EQ(newest->Frame(), 1);
    ASSERT_NE(newest->NextLabel(), nullptr);
    EXPECT_EQ(newest->NextLabel()->Frame(), 0);
    doc.DeleteTags();
    EXPECT_EQ(doc.FirstLabel(), nullptr);
    EXPECT_EQ(doc.FirstTag(), nullptr);
    EXPECT_EQ(doc.version, 0);
}
