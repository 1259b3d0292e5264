#include <gtest/gtest.h>

#include <string>

#include "engine/base/ByteOrder.h"
#include "media/swf/Actions.h"
#include "media/swf/ButtonTags.h"
#include "media/swf/Extensions.h"
#include "media/swf/FontTag.h"
#include "media/swf/FrameTags.h"
#include "media/swf/GlyphBlock.h"
#include "media/swf/Records.h"
#include "media/swf/ShapeBlock.h"
#include "media/swf/ShapeTag.h"
#include "media/swf/SoundTags.h"
#include "media/swf/SpriteTag.h"
#include "media/swf/TextTag.h"
#include "tests/media/swf/SwfTestSupport.h"

// What the reader makes of the generated movie: the round trip alone would not notice a
// field read and written back in the same wrong way.
using namespace swf;

class SwfGeneratedContent : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(LoadMovieFromFile(doc_, (std::string(SWF_TEST_MOVIES) + "/every_tag.swf").c_str()), kOk);
    }
    template <class T>
    T* Character(u16 id) {
        T* found = doc_.FindCharacterOf<T>(id);
        EXPECT_NE(found, nullptr) << id;
        return found;
    }
    template <class T>
    std::vector<T*> TagsOf() {
        std::vector<T*> found;
        for (tag* t = doc_.FirstTag(); t; t = t->Next())
            if (auto* typed = dynamic_cast<T*>(t)) found.push_back(typed);
        return found;
    }
    document doc_;
};

TEST_F(SwfGeneratedContent, ShapesHoldTheirStylesAndRecords) {
    const u8* block = Character<tagDefineShape>(3)->Shape().Data();
    const u8* fills = block + readLE16(block);
    ASSERT_EQ(StyleCount(fills), 1);
    EXPECT_EQ(GetRgba(fills + readLE16(fills + 2) + 1), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(StyleCount(block + readLE16(block + 2)), 1);
    const u8* first = block + readLE16(block + 4);
    EXPECT_EQ(readLE16(first), shape::kStyleChange | shape::kMoveTo | shape::kFillStyle0 | shape::kLineStyle);
    EXPECT_EQ(i32(readLE32(first + 4)), -200);
    const u8* edge = first + readLE16(first + 2);
    EXPECT_EQ(readLE16(edge), shape::kStraightEdge);
    EXPECT_EQ(i32(readLE32(edge + 2)), 400);
    EXPECT_EQ(i32(readLE32(edge + 6)), 0);

    const u8* gradients = Character<tagDefineShape>(5)->Shape().Data();
    const u8* array = gradients + readLE16(gradients);
    const u8* linear = array + readLE16(array + 2);
    EXPECT_EQ(linear[0], shape::kFillLinearGradient);
    EXPECT_EQ(GetMatrix(linear + 1), (Matrix{0x20000, 0, 0, 0x20000, -100, 50}));
    EXPECT_EQ(readLE16(linear + 25), 2);
    EXPECT_EQ(GetRgba(linear + 27 + 5 + 1), (Rgba{255, 255, 255, 128}));
}

TEST_F(SwfGeneratedContent, FontsKeepGlyphsCodesAndLayout) {
    EXPECT_EQ(GlyphCount(Character<tagDefineFont>(6)->Glyphs()), 3);
    const tagDefineFont* font = Character<tagDefineFont>(7);
    EXPECT_STREQ(font->Name().c_str(), "Kidsans");
    EXPECT_EQ(font->Codes(), (std::vector<u16>{65, 66, 300}));
    EXPECT_EQ(font->Layout().leading, -30);
    EXPECT_EQ(font->Layout().advances, (std::vector<i16>{600, 520, -4}));
    ASSERT_EQ(font->Layout().kerning.size(), 2u);
    EXPECT_EQ(font->Layout().kerning[1].second, 300);
    EXPECT_EQ(font->Layout().bounds[0], (Rect{0, -700, 500, 0}));
    EXPECT_EQ(GlyphCount(Character<tagDefineFont>(17)->Glyphs()), 3);
}

TEST_F(SwfGeneratedContent, TextHoldsStylesAndGlyphRuns) {
    const u8* block = Character<tagDefineText>(8)->Text().Data();
    EXPECT_EQ(GetMatrix(block + 16), (Matrix{kFixedOne, 0, 0, kFixedOne, 120, 1400}));
    const u8* style = block + text::kRecordsStart;
    EXPECT_EQ(readLE16(style), text::kStyle | text::kHasFont | text::kHasColour | text::kHasXOffset | text::kHasYOffset);
    EXPECT_EQ(readLE16(style + 4), 6);
    EXPECT_EQ(readLE16(style + 6), 480);
    EXPECT_EQ(GetRgba(style + 8), (Rgba{10, 20, 30, 255}));
    EXPECT_EQ(i16(readLE16(style + 14)), -300);
    const u8* run = style + text::kStyleRecordSize;
    EXPECT_EQ(readLE16(run + 2), 3);
    EXPECT_EQ(i32(readLE32(run + 4 + 6 + 2)), -520);
    EXPECT_EQ(GetRgba(Character<tagDefineText>(9)->Text().Data() + text::kRecordsStart + 8), (Rgba{10, 20, 30, 128}));
}

TEST_F(SwfGeneratedContent, ButtonsHoldRecordsTransformsActionsAndSounds) {
    tagDefineButton* first = Character<tagDefineButton>(12);
    ASSERT_EQ(first->RecordCount(), 2u);
    EXPECT_EQ(GetCxform(first->Record(0) + button::kRecordCxform).mul[0], 200);
    EXPECT_EQ(GetCxform(first->Record(1) + button::kRecordCxform).add[2], 40);
    EXPECT_EQ(readLE16(first->Conditions().Data() + 2), button::kConditionOverDownToOverUp);
    EXPECT_EQ(first->HitTestCharacter(), doc_.FindCharacter(3));

    const tagDefineButton* second = Character<tagDefineButton>(13);
    EXPECT_TRUE(second->TrackAsMenu());
    const u8* list = second->Conditions().Data();
    const u16 next = readLE16(list);
    ASSERT_NE(next, 0);
    EXPECT_EQ(list[4], action::kPlay);
    EXPECT_EQ(readLE16(list + next + 2), 0x0004);
    EXPECT_EQ(list[next + 4], action::kStop);

    const tagDefineButtonSound* sounds = Character<tagDefineButtonSound>(12);
    EXPECT_EQ(sounds->Sound(0).Size(), 2u);
    EXPECT_EQ(readLE16(sounds->Sound(1).Data()), 10);
    EXPECT_EQ(readLE16(sounds->Sound(1).Data() + 10), 3);
    EXPECT_EQ(sounds->Sound(3).Data()[12], kSoundStop);
}

TEST_F(SwfGeneratedContent, SoundsSpritesPlacementsAndLabels) {
    EXPECT_EQ(Character<tagDefineSound>(10)->rate, 44100u);
    EXPECT_EQ(Character<tagDefineSound>(11)->format, kSoundFormatAdpcm);
    EXPECT_EQ(Character<tagDefineSound>(11)->rate, 11025u);
    document* sprite = Character<tagDefineSprite>(15)->Movie();
    EXPECT_EQ(sprite->framesRead, 2);
    ASSERT_NE(sprite->FirstLabel(), nullptr);
    EXPECT_EQ(sprite->FirstLabel()->Frame(), 1);

    const auto places = TagsOf<tagPlaceObject>();
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[0]->cxform.mul[1], 128);
    EXPECT_EQ(places[0]->cxform.add[2], -5);
    EXPECT_EQ(places[1]->matrix, (Matrix{0x18000, 5, 0, -0x10000, 0, 0}));
    EXPECT_STREQ(places[2]->name.c_str(), "hero");
    EXPECT_EQ(places[2]->clipDepth, 9);
    EXPECT_EQ(places[2]->ratio, 12);
    EXPECT_EQ(places[2]->cxform.mul[3], 64);
    EXPECT_EQ(doc_.FindCharacter(15)->LatestPlacingFrame(), 1);

    const tagFrameLabel* label = doc_.FirstLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(label->Name().c_str(), "intro");
    EXPECT_EQ(label->Frame(), 0);
}

TEST_F(SwfGeneratedContent, ColourTableAndActions) {
    ASSERT_NE(doc_.ColorTable(), nullptr);
    EXPECT_EQ(doc_.ColorTable()->EntryCount(), 5u);
    const u8 red[5] = {kPaintSolid, 255, 0, 0, 255};
    EXPECT_EQ(doc_.ColorTable()->LookUpPaint(red)[3], 255);
    const u8 blue[5] = {kPaintSolid, 0, 0, 255, 255};
    EXPECT_EQ(doc_.ColorTable()->LookUpPaint(blue)[0], kPaintGradient);

    const u8* actions = TagsOf<tagDoAction>()[0]->Actions().Data();
    EXPECT_EQ(actions[0], action::kGotoFrame);
    EXPECT_EQ(readLE16(actions + 1), 5);
    EXPECT_EQ(readLE16(actions + 3), 7);
}
