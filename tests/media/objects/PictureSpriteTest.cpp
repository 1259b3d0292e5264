// Pictures of page objects on their sprites: the stored picture expanded into an engine bitmap
// (plain rows of their full stride, or packed rows whose masked places are gaps), shown at the
// object's place at its own size or scaled to the object's, its masked places showing what
// lies below, clipped to the area, following the object's moves, and gone with the object.
#include <gtest/gtest.h>

#include <memory>

#include "document/objects/RBitmapPageObject.h"
#include "document/storage/ObjectTypes.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/GfxBitmap.h"
#include "media/objects/PictureBitmap.h"
#include "media/objects/PictureSprite.h"
#include "platform/gdi/Color.h"
#include "tests/engine/gfx/sprites/WithSpriteScreen.h"
#include "tests/media/quicktime/QtTestSupport.h"

namespace {

using Ostrel::RBitmapPageObject;

constexpr Rect16 kSpriteScreen{0, 0, 160, 120};
constexpr Rect16 kSpriteArea{8, 4, 152, 116};
constexpr u16 kSpriteRed = 0x7C00, kSpriteBlue = 0x001F, kSpriteGrey = 0x4210;

// A picture whose pixel (x, y) has a colour of its own; `masked` places, when given, are the
// ones the mask leaves out.
PictureRecord picture(u16 width, u16 height, const std::vector<bool>& masked = {}) {
    PictureRecord made{width, height, {}, {}};
    for (u16 y = 0; y < height; ++y)
        for (u16 x = 0; x < width; ++x) made.pixels.insert(made.pixels.end(), {u8(x * 40), u8(y * 60), u8(x * 8 + y * 16), 255});
    for (bool out : masked) made.mask.push_back(out ? 0 : 1);
    return made;
}

// Left half red, right half blue.
PictureRecord halves(u16 width, u16 height, bool maskFirstPlace) {
    PictureRecord made{width, height, {}, {}};
    for (u16 y = 0; y < height; ++y)
        for (u16 x = 0; x < width; ++x)
            made.pixels.insert(made.pixels.end(), {u8(x < width / 2 ? 255 : 0), 0, u8(x < width / 2 ? 0 : 255), 255});
    if (maskFirstPlace) {
        made.mask.assign(size_t(width) * height, 1);
        made.mask[0] = 0;
    }
    return made;
}

TEST(PictureBitmap, EveryPlaceKeepsItsColourOrBecomesAGap) {
    const bool o = false, X = true;
    const struct {
        const char* name;
        PictureRecord picture;
    } cases[] = {
        {"odd width, no mask", picture(3, 2)},
        {"even width, no mask", picture(2, 2)},
        {"width of a whole stride", picture(4, 1)},
        {"one place", picture(1, 1)},
        {"gaps inside, before and after", picture(5, 2, {X, o, X, o, X, o, o, X, X, o})},
        {"an empty row between two full ones", picture(3, 3, {o, o, o, X, X, X, o, o, o})},
        {"two empty rows at the end", picture(2, 3, {o, X, X, X, X, X})},
        {"all masked", picture(2, 2, {X, X, X, X})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<u8> bitmap = expandPictureBitmap(c.picture);
        ASSERT_GE(bitmap.size(), kGfxBitmapHeaderSize);
        EXPECT_EQ(readBE16(bitmap.data()), c.picture.width);
        EXPECT_EQ(readBE16(bitmap.data() + 2), c.picture.height);
        const bool packed = !c.picture.mask.empty();
        EXPECT_EQ(readBE16(bitmap.data() + 6) & kGfxFormatPackingMask, packed ? kGfxFormatPacked16 : 0);
        // Plain rows keep the whole stride the drawing calls expect.
        if (!packed) {
            EXPECT_EQ(readBE16(bitmap.data() + 4), (c.picture.width * 16 + 31) / 32 * 4);
        }
        for (u16 y = 0; y < c.picture.height; ++y)
            for (u16 x = 0; x < c.picture.width; ++x) {
                const size_t at = size_t(y) * c.picture.width + x;
                const u8* rgba = &c.picture.pixels[at * 4];
                const i32 expected = packed && c.picture.mask[at] == 0 ? -2 : plat::gdi::rgbTo555({rgba[0], rgba[1], rgba[2]});
                EXPECT_EQ(gfxGetBitmapPixel(bitmap.data(), u32(bitmap.size()), x, y), expected) << x << "," << y;
            }
    }
}

TEST(PictureBitmap, APictureThatDoesNotMatchItsSizeGivesNone) {
    PictureRecord shortPixels = picture(2, 2);
    shortPixels.pixels.pop_back();
    PictureRecord shortMask = picture(2, 2, {false, false, false, false});
    shortMask.mask.pop_back();
    PictureRecord tooWide = picture(1, 1);
    tooWide.width = kPictureMaxSide + 1;
    tooWide.pixels.assign(size_t(tooWide.width) * 4, 0);
    for (const PictureRecord& bad : {shortPixels, shortMask, PictureRecord{}, tooWide})
        EXPECT_TRUE(expandPictureBitmap(bad).empty());
}

class PictureSpriteTest : public testspr::WithSpriteScreen<qttest::QtRuntimeTest> {
protected:
    void SetUp() override {
        QtRuntimeTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_NO_FATAL_FAILURE(openSpriteScreen(kSpriteScreen, GfxColor::rgb(128, 128, 128), true));
    }
    // The window's pixel after a screen update.
    u16 shown(i16 x, i16 y) {
        sprUpdateScreen(1);
        GfxColor c;
        window_->ReadPixel(&c, x, y);
        return plat::gdi::rgbTo555({c.red, c.green, c.blue});
    }
};

// A 4 x 2 picture, red and blue halves, at its own size and scaled: the places of each colour
// scale with it, and a masked corner shows what lies below.
TEST_F(PictureSpriteTest, ShowsAtTheObjectsPlaceAtItsOwnSizeOrScaled) {
    const struct {
        const char* name;
        bool masked;
        i16 across, down;  // the scale each way
    } cases[] = {{"own size", false, 1, 1},    {"scaled", false, 4, 4},         {"wider only", false, 4, 1},
                 {"masked", true, 1, 1},       {"masked, scaled", true, 4, 4}, {"taller only", true, 1, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RBMP pictures(kSpriteArea);
        RBitmapPageObject object(c.masked ? kTypeMovableBitmap : kTypeBitmap, 2);
        object.picture = halves(4, 2, c.masked);
        const Ostrel::PageRect place{10, 20, i16(10 + 4 * c.across), i16(20 + 2 * c.down)};
        object.rect = place;
        PictureSprite* sprite = CreatePictureSprite(&pictures, object.picture, &object);
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(object.Media(), sprite);
        EXPECT_EQ(pictures.count(), 1u);
        EXPECT_TRUE(rectEqual(sprite->record().rect, Rect16{0, 0, 4, 2}));
        EXPECT_EQ(object.rect, place) << "the object keeps its place";
        const i16 left = kSpriteArea.left + 10, top = kSpriteArea.top + 20, x = c.across, y = c.down;
        EXPECT_EQ(shown(i16(left + x - 1), i16(top + 2 * y - 1)), kSpriteRed);
        EXPECT_EQ(shown(i16(left + 2 * x - 1), top), kSpriteRed);
        EXPECT_EQ(shown(i16(left + 2 * x), top), kSpriteBlue);
        EXPECT_EQ(shown(i16(left + 4 * x - 1), i16(top + 2 * y - 1)), kSpriteBlue);
        EXPECT_EQ(shown(i16(left + 4 * x), top), kSpriteGrey) << "nothing past its right edge";
        EXPECT_EQ(shown(left, i16(top + 2 * y)), kSpriteGrey) << "nothing below it";
        EXPECT_EQ(shown(left, top), c.masked ? kSpriteGrey : kSpriteRed);
        EXPECT_EQ(shown(i16(left + x - 1), i16(top + y - 1)), c.masked ? kSpriteGrey : kSpriteRed);
        pictures.RemovePicture(sprite);
        EXPECT_EQ(object.Media(), nullptr);
        EXPECT_EQ(shown(i16(left + 2 * x), top), kSpriteGrey) << "gone from the screen";
    }
}

// A move takes the picture along and resizes it; what lies outside the area is not drawn.
TEST_F(PictureSpriteTest, FollowsItsBoundsAndStaysInsideTheArea) {
    RBMP pictures(kSpriteArea);
    RBitmapPageObject object(kTypeBitmap, 2);
    object.picture = halves(4, 2, false);
    object.rect = {10, 20, 14, 22};
    PictureSprite* sprite = CreatePictureSprite(&pictures, object.picture, &object);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(shown(18, 24), kSpriteRed);
    sprite->SetBounds(Rect16{60, 60, 76, 68});
    EXPECT_EQ(shown(18, 24), kSpriteGrey) << "the old place is painted again";
    EXPECT_EQ(shown(67, 67), kSpriteRed);
    EXPECT_EQ(shown(68, 60), kSpriteBlue);
    // Half of it over the area's left edge.
    sprite->SetBounds(Rect16{i16(kSpriteArea.left - 8), 60, i16(kSpriteArea.left + 8), 68});
    EXPECT_EQ(shown(i16(kSpriteArea.left - 1), 62), kSpriteGrey);
    EXPECT_EQ(shown(kSpriteArea.left, 62), kSpriteBlue);
    // Wholly outside it.
    sprite->SetBounds(Rect16{0, 0, 4, 2});
    EXPECT_EQ(shown(1, 1), kSpriteGrey);
}

TEST_F(PictureSpriteTest, AnObjectThatGoesTakesItsSpriteAlong) {
    RBMP pictures(kSpriteArea);
    auto object = std::make_unique<RBitmapPageObject>(kTypeMovableBitmap, 3);
    object->picture = halves(4, 2, false);
    object->rect = {10, 20, 14, 22};
    PictureSprite* sprite = CreatePictureSprite(&pictures, object->picture, object.get());
    ASSERT_NE(sprite, nullptr);
    const u16 id = sprite->record().sprite;
    EXPECT_NE(sprFind(id), nullptr);
    object.reset();
    EXPECT_EQ(sprite->object(), nullptr);
    EXPECT_EQ(sprFind(id), nullptr);
    EXPECT_EQ(shown(18, 24), kSpriteGrey);
    pictures.RemoveOrphans();
    EXPECT_EQ(pictures.count(), 0u);
}

TEST_F(PictureSpriteTest, NoOwnerNoObjectOrABadPictureMakesNothing) {
    RBMP pictures(kSpriteArea);
    RBitmapPageObject object(kTypeBitmap, 2);
    object.rect = {10, 20, 14, 22};
    const PictureRecord good = halves(4, 2, false);
    PictureRecord bad = good;
    bad.pixels.resize(4);
    EXPECT_EQ(CreatePictureSprite(nullptr, good, &object), nullptr);
    EXPECT_EQ(CreatePictureSprite(&pictures, good, nullptr), nullptr);
    EXPECT_EQ(CreatePictureSprite(&pictures, bad, &object), nullptr);
    EXPECT_EQ(object.Media(), nullptr);
    EXPECT_EQ(pictures.count(), 0u);
    EXPECT_EQ(shown(18, 24), kSpriteGrey);
}

}  // namespace
