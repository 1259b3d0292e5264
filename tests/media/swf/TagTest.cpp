#include <gtest/gtest.h>

#include <vector>

#include "engine/base/ByteOrder.h"
#include "media/swf/Actions.h"
#include "media/swf/ButtonTags.h"
#include "media/swf/DataTags.h"
#include "media/swf/Extensions.h"
#include "media/swf/FrameTags.h"
#include "media/swf/Records.h"
#include "media/swf/ShapeBlock.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/SoundTags.h"
#include "tests/RefusingAllocator.h"
#include "tests/media/swf/SwfTestSupport.h"

using namespace swf;
using swftest::Bytes;
using swftest::Concat;
using swftest::Load;
using swftest::Movie;
using swftest::Tag;

namespace {

// Loads the movie, expecting success, and returns what writing it gives.
Bytes ReadAndWrite(const Bytes& movie, document& doc) {
    EXPECT_EQ(Load(doc, movie), kOk);
    return swftest::Written(doc);
}

Bytes ReadAndWrite(const Bytes& movie) {
    document doc;
    return ReadAndWrite(movie, doc);
}

template <class T>
T* FirstTagOf(document& doc) {
    for (tag* t = doc.FirstTag(); t; t = t->Next())
        if (auto* found = dynamic_cast<T*>(t)) return found;
    return nullptr;
}

Bytes Actions(const Bytes& records) { return Tag(kTagDoAction, records); }

const u8* FirstAction(document& doc) { return FirstTagOf<tagDoAction>(doc)->Actions().Data(); }


Bytes BlockOf(const tagDefineShape& shape) {
    const u8* data = shape.Shape().Data();
    return Bytes(data, data + shape.Shape().Size());
}

}  // namespace

TEST(SwfTagHeaders, UnknownTagKeepsItsBodyWithTheLongHeader) {
    const Bytes body{'p', 'w', 0};
    const Bytes movie = Movie(Tag(24, body));
    EXPECT_EQ(ReadAndWrite(movie), Movie(Tag(24, body, true)));
}

TEST(SwfTagHeaders, ShortHeaderUpTo62BodyBytes) {
    // A frame label is written with the compact header: 61 letters and a zero make 62 bytes.
    const Bytes label62 = Concat({Bytes(61, 'a'), Bytes{0}});
    const Bytes label63 = Concat({Bytes(62, 'a'), Bytes{0}});
    EXPECT_EQ(ReadAndWrite(Movie(Tag(kTagFrameLabel, label62, true))), Movie(Tag(kTagFrameLabel, label62)));
    const Bytes longMovie = Movie(Tag(kTagFrameLabel, label63));
    EXPECT_EQ(Tag(kTagFrameLabel, label63).size(), 6u + 63u);
    EXPECT_EQ(ReadAndWrite(longMovie), longMovie);
}

TEST(SwfTagHeaders, JpegTagsKeepTheLongHeader) {
    const Bytes movie = Movie(Concat({Tag(kTagJPEGTables, {0xFF, 0xD8, 0xFF, 0xD9}, true),
                                      Tag(kTagDefineBits, {1, 0, 0xFF, 0xD8}, true),
                                      Tag(kTagDefineBitsJPEG2, {2, 0, 0xFF, 0xD9, 0xFF, 0xD8}, true)}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    EXPECT_NE(doc.JpegTables(), nullptr);
}

TEST(SwfTagHeaders, TagLongerThanTheDataIsAReadError) {
    Bytes movie = Movie(Tag(24, Bytes(10, 1)));
    movie.resize(movie.size() - 6);
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrMemory);
}

TEST(SwfJpeg, MarkersAreFoundAtAnyOffset) {
    const u8 odd[] = {0x00, 0xFF, 0xD9, 0x00, 0x00, 0xFF, 0xD8, 0x01};
    EXPECT_EQ(FindJpegImageOffset(odd, sizeof odd), 5u);
    const u8 even[] = {0xFF, 0xD9, 0xFF, 0xD8};
    EXPECT_EQ(FindJpegImageOffset(even, sizeof even), 2u);
}

TEST(SwfJpeg, MissingMarkersGiveOffsetZero) {
    const u8 noEnd[] = {0xFF, 0xD8, 0x00};
    EXPECT_EQ(FindJpegImageOffset(noEnd, sizeof noEnd), 0u);
    const u8 markerCutByTheEnd[] = {0xFF, 0xD9, 0x00, 0xFF};
    EXPECT_EQ(FindJpegImageOffset(markerCutByTheEnd, sizeof markerCutByTheEnd), 0u);
}

TEST(SwfJpeg, Jpeg2KeepsItsImageOffset) {
    document doc;
    const Bytes movie = Movie(Tag(kTagDefineBitsJPEG2, {2, 0, 0x00, 0xFF, 0xD9, 0xFF, 0xD8}, true));
    ReadAndWrite(movie, doc);
    EXPECT_EQ(FirstTagOf<tagDefineBitsJPEG2>(doc)->ImageOffset(), 3u);
}

TEST(SwfShapes, ThreeHundredFillStylesUseTheExtendedCount) {
    Bytes body{3, 0, 0x10, 0x00};  // id 3, RECT of zeros
    body.insert(body.end(), {255, 0x2C, 0x01});
    for (int i = 0; i < 300; ++i) body.insert(body.end(), {0, u8(i), 0, 0});
    body.push_back(0);                  // no line styles
    body.insert(body.end(), {0x90, 0x00});  // 9 fill bits, 0 line bits, then the end record
    const Bytes movie = Movie(Tag(kTagDefineShape2, body));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const u8* block = FirstTagOf<tagDefineShape>(doc)->Shape().Data();
    EXPECT_EQ(StyleCount(block + readLE16(block)), 300);
}

// The shapes of a movie are built one after another in the same room, a large one before or
// after a small one: each keeps only its own bytes, as when read alone or outside any movie.
TEST(SwfShapes, EachShapeKeepsTheBlockItHasWhenReadAlone) {
    Bytes wide{3, 0, 0x10, 0x00, 255, 0x2C, 0x01};  // id 3, RECT of zeros, 300 fill styles
    for (int i = 0; i < 300; ++i) wide.insert(wide.end(), {0, u8(i), 0, 0});
    wide.insert(wide.end(), {0, 0x90, 0x00});
    const Bytes edge{4, 0, 0x10, 0x00, 0, 0, 0x00, 0xFC, 0x80, 0x00, 0x00};  // id 4, one edge
    for (const auto& bodies : {std::vector<Bytes>{wide, edge}, std::vector<Bytes>{edge, wide}}) {
        document both;
        ASSERT_EQ(Load(both, Movie(Concat({Tag(kTagDefineShape2, bodies[0]), Tag(kTagDefineShape2, bodies[1])}))), kOk);
        std::vector<const tagDefineShape*> shapes;
        for (tag* t = both.FirstTag(); t; t = t->Next())
            if (auto* shape = dynamic_cast<tagDefineShape*>(t)) shapes.push_back(shape);
        ASSERT_EQ(shapes.size(), 2u);
        for (size_t k = 0; k < 2; ++k) {
            document alone;
            ASSERT_EQ(Load(alone, Movie(Tag(kTagDefineShape2, bodies[k]))), kOk);
            EXPECT_EQ(BlockOf(*shapes[k]), BlockOf(*FirstTagOf<tagDefineShape>(alone))) << k;
            tagDefineShape outside(kTagDefineShape2);
            mstream in(64);
            ASSERT_EQ(in.WriteBytes(u32(bodies[k].size()), bodies[k].data()), kOk);
            in.SetPosition(0);
            ASSERT_EQ(outside.ReadBody(in, u32(bodies[k].size())), kOk);
            EXPECT_EQ(BlockOf(outside), BlockOf(*shapes[k])) << k;
        }
    }
}

// Memory refused at any request of a load, the copy of a shape out of its working block
// among them, ends the load with the memory error; once enough is given, it loads whole.
TEST(SwfShapes, RefusedMemoryEndsTheLoadWithTheMemoryError) {
    const Bytes movie = Movie(Tag(kTagDefineShape, {3, 0, 0x10, 0x00, 0, 0, 0x00, 0xFC, 0x80, 0x00, 0x00}));
    Result result = kErrMemory;
    for (int allowed = 0; result != kOk; ++allowed) {
        ASSERT_LT(allowed, 64);
        document doc;
        {
            RefusingAllocator refusing(allowed);
            result = Load(doc, movie);
        }
        ASSERT_TRUE(result == kOk || result == kErrMemory) << allowed;
    }
    document doc;
    ASSERT_EQ(Load(doc, movie), kOk);
    EXPECT_EQ(swftest::Written(doc), movie);
}

TEST(SwfShapes, EdgeAtTheMostNegativeDeltaOfTheWidestFieldIsWrittenBack) {
    // id 3, RECT of zeros, no styles, 0 fill and 0 line bits; a horizontal edge of 17-bit
    // delta -65536, the end record.
    const Bytes body{3, 0, 0x10, 0x00, 0, 0, 0x00, 0xFC, 0x80, 0x00, 0x00};
    const Bytes movie = Movie(Tag(kTagDefineShape, body));
    EXPECT_EQ(ReadAndWrite(movie), movie);
}

TEST(SwfFonts, OverlappingGlyphsAreBadData) {
    // Two glyphs whose offsets both name the same outline (fill bits 1, then an end record).
    const Bytes movie = Movie(Tag(kTagDefineFont, {6, 0, 4, 0, 4, 0, 0x10, 0x00}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
    const Bytes apart = Movie(Tag(kTagDefineFont, {6, 0, 4, 0, 6, 0, 0x10, 0x00, 0x10, 0x00}));
    document fine;
    EXPECT_EQ(Load(fine, apart), kOk);
    EXPECT_EQ(swftest::Written(fine), apart);
}

TEST(SwfShapes, UnknownFillTypeIsBadData) {
    const Bytes body{3, 0, 0x10, 0x00, 1, 0x42, 0, 0, 0x00};
    const Bytes movie = Movie(Tag(kTagDefineShape, body));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
    EXPECT_NE(FirstTagOf<tagDefineShape>(doc), nullptr);
}

TEST(SwfShapes, GradientWithoutPointsIsBadData) {
    const Bytes body{3, 0, 0x10, 0x00, 1, 16, 0x00, 0};
    const Bytes movie = Movie(Tag(kTagDefineShape, body));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfSounds, RateCodeThreeIs44100) {
    const Bytes body{10, 0, 0x0F, 4, 0, 0, 0, 1, 2, 3, 4};  // raw, rate 3, 16-bit, stereo
    const Bytes movie = Movie(Tag(kTagDefineSound, body));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const tagDefineSound* sound = FirstTagOf<tagDefineSound>(doc);
    EXPECT_EQ(sound->rate, 44100u);
    EXPECT_EQ(sound->bitsPerSample, 16);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->Samples().Size(), 4u);
}

TEST(SwfSounds, CompressedFormatsOtherThanAdpcmAreBadData) {
    const Bytes body{10, 0, 0x20, 0, 0, 0, 0};  // format 2
    const Bytes movie = Movie(Tag(kTagDefineSound, body));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfSounds, EnvelopeLevelsAreKeptDoubled) {
    const Bytes body{10, 0, 0x08, 1, 0, 0, 0, 0, 0x00, 0x80, 0x01, 0x00};
    const Bytes movie = Movie(Tag(kTagStartSound, body));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const u8* use = FirstTagOf<tagStartSound>(doc)->Use().Data();
    EXPECT_EQ(readLE32(use + 14 + 4), 65536u);
    EXPECT_EQ(readLE32(use + 14 + 8), 2u);
}

TEST(SwfPlacement, MoveOnlyPlaceObject2HasThreeBodyBytes) {
    const Bytes movie = Movie(Tag(kTagPlaceObject2, {0x01, 5, 0}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const tagPlaceObject* place = FirstTagOf<tagPlaceObject>(doc);
    EXPECT_EQ(place->flags, kPlaceMove);
    EXPECT_EQ(place->depth, 5);
}

TEST(SwfPlacement, PlacingAnUndefinedCharacterIsBadData) {
    const Bytes movie = Movie(Tag(kTagPlaceObject, {9, 0, 1, 0, 0x00}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfPlacement, PlacementNotesTheFrameOnTheCharacter) {
    const Bytes shape = Tag(kTagDefineShape, {3, 0, 0x10, 0x00, 0, 0, 0x00, 0x00});
    const Bytes place = Tag(kTagPlaceObject, {3, 0, 1, 0, 0x00});
    const Bytes movie = Movie(Concat({shape, Tag(kTagShowFrame, {}), place}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    EXPECT_EQ(doc.FindCharacter(3)->LatestPlacingFrame(), 2);
}

TEST(SwfButtons, ConditionEntryReachingBackIsBadData) {
    // Action offset 2 (the list follows the records), first entry size 1, its actions 0x06 0x00.
    const Bytes movie = Movie(Tag(kTagDefineButton2, {4, 0, 0, 2, 0, 0x08, 0, 0, 1, 0, 0x00, 0x00, 0,
                                                      1, 0, 8, 0, 0x06, 0x00}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfButtons, ActionOffsetPastTheBodyIsBadData) {
    const Bytes movie = Movie(Tag(kTagDefineButton2, {4, 0, 0, 0x00, 0x0F, 0x08, 0, 0, 1, 0, 0x00, 0x00, 0}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfButtons, ColourTransformKeepsTheRecordsAlphaTerms) {
    // Version 2 record with alpha multiply 128 (mult terms, 10 bits), then a transform adding 1 to red.
    const Bytes button = Tag(kTagDefineButton2, {4, 0, 0, 0, 0, 0x08, 0, 0, 1, 0, 0x00, 0x69, 0x00, 0x40, 0x10,
                                                 0x02, 0x00, 0});
    const Bytes cxform = Tag(kTagDefineButtonCxform, {4, 0, 0x89, 0x00});
    document doc;
    ASSERT_EQ(Load(doc, Movie(Concat({button, cxform}))), kOk);
    const Cxform read = GetCxform(FirstTagOf<tagDefineButton>(doc)->Record(0) + button::kRecordCxform);
    EXPECT_EQ(read.mul[3], 128);
    EXPECT_EQ(read.mul[0], 256);
    EXPECT_EQ(read.add[0], 1);
}

TEST(SwfButtons, ZeroActionOffsetMeansNoActions) {
    // id 4, not a menu, action offset 0, one hit-test record of character 0, end of records.
    const Bytes movie = Movie(Tag(kTagDefineButton2, {4, 0, 0, 0, 0, 0x08, 0, 0, 1, 0, 0x00, 0x00, 0}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const tagDefineButton* button = FirstTagOf<tagDefineButton>(doc);
    EXPECT_EQ(button->Conditions().Size(), 0u);
    EXPECT_EQ(button->RecordCount(), 1u);
}

TEST(SwfButtons, ButtonWithoutHitTestRecordIsBadData) {
    const Bytes movie = Movie(Tag(kTagDefineButton, {4, 0, 0x01, 0, 0, 1, 0, 0x00, 0, 0}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfButtons, ColourTransformForAMissingButtonIsBadData) {
    const Bytes movie = Movie(Tag(kTagDefineButtonCxform, {4, 0, 0x00}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfButtons, ColourTransformReadingStopsAtTheBodyEnd) {
    // Two records, one transform (add terms, 2 bits: red 1, green 0, blue -1).
    const Bytes buttonTwo = Tag(kTagDefineButton, {4, 0, 0x08, 0, 0, 1, 0, 0x00, 0x01, 0, 0, 2, 0, 0x00, 0, 0});
    const Bytes cxform = Tag(kTagDefineButtonCxform, {4, 0, 0x89, 0x30});
    const Bytes movie = Movie(Concat({buttonTwo, cxform}));
    document doc;
    ASSERT_EQ(Load(doc, movie), kOk);
    auto* read = FirstTagOf<tagDefineButton>(doc);
    const Cxform first = GetCxform(read->Record(0) + button::kRecordCxform);
    EXPECT_EQ(first.add[0], 1);
    EXPECT_EQ(first.add[2], -1);
    EXPECT_EQ(GetCxform(read->Record(1) + button::kRecordCxform), Cxform{});
}

TEST(SwfActions, EndOnlyBlockIsOneRecordAndOneByte) {
    const Bytes movie = Movie(Actions({0x00}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const tagDoAction* action = FirstTagOf<tagDoAction>(doc);
    EXPECT_EQ(action->Actions().Size(), 3u);
    EXPECT_EQ(readLE16(action->Actions().Data() + 1), 3u);
}

TEST(SwfActions, GetUrlKeepsBothTexts) {
    const Bytes records = Concat({{0x83, 16, 0}, Bytes{'h', 't', 't', 'p', ':', '/', '/', 'a', 'b', 0},
                                  Bytes{'_', 's', 'e', 'l', 'f', 0}, Bytes{0}});
    const Bytes movie = Movie(Actions(records));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const u8* block = FirstAction(doc);
    EXPECT_EQ(block[0], action::kGetURL);
    EXPECT_EQ(readLE16(block + 1), 19u);
}

TEST(SwfActions, UnknownActionsStayOpaque) {
    const Bytes movie = Movie(Actions({0x96, 5, 0, 0, 'a', 'b', 'c', 0, 0x00}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const u8* block = FirstAction(doc);
    EXPECT_EQ(block[0], 0x16);
    EXPECT_EQ(readLE16(block + 1), 8u);
}

TEST(SwfActions, ShortCodeIsTakenForWaitForFrameAndWrittenBackShort) {
    const Bytes movie = Movie(Actions({0x0A, 0x17, 0x00}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    const u8* block = FirstAction(doc);
    EXPECT_EQ(block[0], action::kWaitForFrame);
    EXPECT_EQ(readLE16(block + 1), 3u);
}

TEST(SwfActions, GotoFrameWithoutItsFrameIsBadData) {
    const Bytes movie = Movie(Actions({0x81, 1, 0, 7, 0x00}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrBadData);
}

TEST(SwfExtensions, ColourTableIsKeptRawWithoutTheSignature) {
    const Bytes movie = Movie(Tag(kTagColorXTable, {0, 0}, true));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    EXPECT_EQ(doc.ColorTable(), nullptr);
    EXPECT_NE(FirstTagOf<tagData>(doc), nullptr);
}

TEST(SwfExtensions, SignedFirstTagAllowsTablesPlacedRightAfterIt) {
    const Bytes signature(kExtensionSignature, kExtensionSignature + kExtensionSignatureSize);
    const Bytes first = Tag(kTagColorXTable, {1, 0, 1, 2, 3, 4, 0, 9, 9, 9, 9});
    const Bytes second = Tag(kTagColorXTable, {0, 0});
    const Bytes movie = Movie(Concat({Tag(kTagExtensions, signature), Tag(kTagShowFrame, {}), first, second}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc),
              Movie(Concat({Tag(kTagExtensions, signature), first, second, Tag(kTagShowFrame, {})})));
    ASSERT_NE(doc.Extension(), nullptr);
    ASSERT_NE(doc.ColorTable(), nullptr);
    EXPECT_EQ(doc.ColorTable()->EntryCount(), 0u);
    EXPECT_EQ(doc.framesRead, 1);
    EXPECT_EQ(doc.FirstTag()->Next()->Code(), kTagColorXTable);
}

TEST(SwfExtensions, SignatureLaterInTheMovieIsNotRecognised) {
    const Bytes signature(kExtensionSignature, kExtensionSignature + kExtensionSignatureSize);
    const Bytes movie = Movie(Concat({Tag(kTagShowFrame, {}), Tag(kTagExtensions, signature),
                                      Tag(kTagColorXTable, {0, 0}, true)}));
    document doc;
    EXPECT_EQ(ReadAndWrite(movie, doc), movie);
    EXPECT_EQ(doc.Extension(), nullptr);
    EXPECT_EQ(doc.ColorTable(), nullptr);
}

TEST(SwfExtensions, EmptyOrForeignBodiesAreNotRecognised) {
    for (const Bytes& body : {Bytes{}, Bytes{'<', 'V', 'e', 'l'}}) {
        document doc;
        const Bytes movie = Movie(Tag(kTagExtensions, body));
        EXPECT_EQ(ReadAndWrite(movie, doc), movie);
        EXPECT_EQ(doc.Extension(), nullptr);
    }
}

TEST(SwfExtensions, NewExtensionTagCarriesTheSignature) {
    xtagExtensions made;
    EXPECT_TRUE(made.Recognised());
    EXPECT_EQ(made.Body().Size(), 20u);
}

TEST(SwfExtensions, TableLooksUpSolidPaintsByColour) {
    xtagColorXTable table;
    const Rgba red{255, 0, 0, 255};
    ASSERT_EQ(table.SetEntry(xtagColorXTable::KeyOf(red), Rgba{0, 0, 255, 255}), kOk);
    ASSERT_EQ(table.SetEntry(xtagColorXTable::KeyOf(red), Rgba{0, 255, 0, 255}), kOk);
    EXPECT_EQ(table.EntryCount(), 1u);
    const u8 solidRed[5] = {kPaintSolid, 255, 0, 0, 255};
    const u8* replaced = table.LookUpPaint(solidRed);
    EXPECT_EQ((Bytes{replaced, replaced + 5}), (Bytes{kPaintSolid, 0, 255, 0, 255}));
    const u8 solidBlue[5] = {kPaintSolid, 0, 0, 255, 255};
    EXPECT_EQ(table.LookUpPaint(solidBlue), solidBlue);
    const u8 gradient[3] = {kPaintGradient, 0, 0};
    EXPECT_EQ(table.LookUpPaint(gradient), gradient);
}

TEST(SwfExtensions, ImageLargerThanItsBodyIsRefusedBeforeAllocating) {
    const Bytes signature(kExtensionSignature, kExtensionSignature + kExtensionSignatureSize);
    const Bytes table = Tag(kTagColorXTable, {1, 0, 1, 2, 3, 4, kPaintImage, 0xFF, 0xFF, 0xFF, 0xFF});
    const Bytes movie = Movie(Concat({Tag(kTagExtensions, signature), table}));
    document doc;
    EXPECT_EQ(Load(doc, movie), kErrMemory);
    EXPECT_EQ(doc.ColorTable(), nullptr);
}
