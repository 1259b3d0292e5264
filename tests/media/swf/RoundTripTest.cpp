#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "media/swf/Document.h"
#include "media/swf/Tag.h"
#include "tests/media/swf/SwfTestSupport.h"

using namespace swf;
using swftest::Bytes;

namespace {

std::string MoviePath(const std::string& name) { return std::string(SWF_TEST_MOVIES) + "/" + name; }

void CollectCodes(const document& doc, std::set<u16>& codes) {
    for (tag* t = doc.FirstTag(); t; t = t->Next()) codes.insert(t->Code());
    for (document* child = doc.FirstChild(); child; child = child->NextSibling()) CollectCodes(*child, codes);
}

class SwfRoundTrip : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(SwfRoundTrip, MemoryReadThenWriteGivesTheSameBytes) {
    const Bytes original = swftest::ReadFile(MoviePath(GetParam()));
    ASSERT_FALSE(original.empty());
    document doc;
    ASSERT_EQ(LoadMovieFromMemory(doc, original.data(), u32(original.size())), kOk);
    EXPECT_EQ(swftest::Written(doc), original);
}

TEST_P(SwfRoundTrip, FileLoadThenSaveGivesTheSameBytes) {
    const std::string saved = MoviePath("saved_") + GetParam();
    document doc;
    ASSERT_EQ(LoadMovieFromFile(doc, MoviePath(GetParam()).c_str()), kOk);
    ASSERT_EQ(SaveMovieToFile(doc, saved.c_str()), kOk);
    EXPECT_EQ(swftest::ReadFile(saved), swftest::ReadFile(MoviePath(GetParam())));
    std::filesystem::remove(saved);
}

INSTANTIATE_TEST_SUITE_P(GeneratedMovies, SwfRoundTrip,
                         ::testing::Values("every_tag.swf", "raw_colour_table.swf", "tiny.swf", "star.swf"),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

TEST(SwfRoundTripCoverage, GeneratedMovieHoldsEveryClassedTag) {
    document doc;
    ASSERT_EQ(LoadMovieFromFile(doc, MoviePath("every_tag.swf").c_str()), kOk);
    std::set<u16> codes;
    CollectCodes(doc, codes);
    for (u16 code : {kTagEnd, kTagShowFrame, kTagDefineShape, kTagPlaceObject, kTagRemoveObject, kTagDefineBits,
                     kTagDefineButton, kTagJPEGTables, kTagSetBackgroundColor, kTagDefineFont, kTagDefineText,
                     kTagDoAction, kTagDefineSound, kTagStartSound, kTagDefineButtonSound, kTagDefineBitsJPEG2,
                     kTagDefineShape2, kTagDefineButtonCxform, kTagPlaceObject2, kTagRemoveObject2, kTagDefineShape3,
                     kTagDefineText2, kTagDefineButton2, kTagDefineSprite, kTagFrameLabel, kTagDefineFont2,
                     kTagExtensions, kTagColorXTable}) {
        EXPECT_TRUE(codes.count(code)) << "tag code " << code;
    }
    EXPECT_NE(doc.ColorTable(), nullptr);
    EXPECT_EQ(doc.framesRead, 2);
}

// Many short tags and one long one carry the written movie across several file windows, so
// that header compaction reads back bodies that straddle a window's start.
TEST(SwfFileRoundTrip, MovieLargerThanTheFileWindowSavesAsInMemory) {
    Bytes tags;
    for (int i = 0; i < 700; ++i) tags = swftest::Concat({tags, swftest::Tag(kTagSetBackgroundColor, {u8(i), 1, 2})});
    tags = swftest::Concat({tags, swftest::Tag(60, Bytes(5000, 7), true)});
    for (int i = 0; i < 700; ++i) tags = swftest::Concat({tags, swftest::Tag(43, {u8('a' + i % 26), 0})});
    const Bytes movie = swftest::Movie(tags);
    ASSERT_GT(movie.size(), 2 * 4096u);
    document doc;
    ASSERT_EQ(swftest::Load(doc, movie), kOk);
    const std::string saved = MoviePath("saved_large.swf");
    ASSERT_EQ(SaveMovieToFile(doc, saved.c_str()), kOk);
    EXPECT_EQ(swftest::ReadFile(saved), movie);
    std::filesystem::remove(saved);
}
