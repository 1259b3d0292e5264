// Effect descriptions and still tracks over the runtime's atom containers and movies.
#include <gtest/gtest.h>

#include <memory>

#include "media/quicktime/QtEffects.h"
#include "platform/media/ImageDescription.h"
#include "platform/media/PixelRows.h"
#include "tests/media/quicktime/QtTestSupport.h"

namespace pm = plat::media;

namespace {

struct ContainerDeleter {
    void operator()(MrAtomContainer* c) const { qtDisposeAtomContainer(c); }
};
using Container = std::unique_ptr<MrAtomContainer, ContainerDeleter>;

struct EffectsMovieDeleter {
    void operator()(MrMovie* m) const { qtDisposeMovie(m); }
};
using EffectMovie = std::unique_ptr<MrMovie, EffectsMovieDeleter>;

constexpr uint32_t kDissolve = 0x64736C76;  // 'dslv'
constexpr uint32_t kUntouched = 0xDEADBEEF;

class QtEffectsTest : public qttest::QtRuntimeTest {};

TEST_F(QtEffectsTest, EffectTypeIsReadOnlyFromFourBytesAndOtherwiseLeftAlone) {
    const struct {
        const char* name;
        std::vector<uint8_t> data;  // the 'what' atom's data; empty: no 'what' atom at all
        bool withAtom;
        MrErr result;
        uint32_t type;
    } cases[] = {
        {"no type atom", {}, false, 0, kUntouched},
        {"three bytes", {'d', 's', 'l'}, true, pm::kMrParamErr, kUntouched},
        {"four bytes", {'d', 's', 'l', 'v'}, true, 0, kDissolve},
        {"five bytes", {'d', 's', 'l', 'v', 0}, true, pm::kMrParamErr, kUntouched},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Container container(qtNewAtomContainer());
        ASSERT_TRUE(container);
        MrAtom atom = 0;
        if (c.withAtom) {
            ASSERT_EQ(qtInsertChild(container.get(), pm::kMrAtomRoot, kQtAtomEffectType, 1, 1, uint32_t(c.data.size()),
                                    c.data.data(), &atom),
                      0);
        }
        uint32_t type = kUntouched;
        EXPECT_EQ(qtEffectGetType(container.get(), &type), c.result);
        EXPECT_EQ(type, c.type);
    }
}

TEST_F(QtEffectsTest, MissingContainerOrOutValueIsRefusedWithNothingStored) {
    uint32_t type = kUntouched;
    EXPECT_EQ(qtEffectGetType(nullptr, &type), pm::kMrParamErr);
    EXPECT_EQ(type, kUntouched);
    Container container(qtNewAtomContainer());
    EXPECT_EQ(qtEffectGetType(container.get(), nullptr), pm::kMrParamErr);
}

TEST_F(QtEffectsTest, SourcesAreAddedInOrderWithTheirIdentifierAndVideoType) {
    Container container(qtNewAtomContainer());
    const MrAtom first = qtEffectAddSource(container.get(), 3);
    const MrAtom second = qtEffectAddSource(container.get(), 1);
    ASSERT_NE(first, 0);
    ASSERT_NE(second, 0);
    EXPECT_EQ(qtCountChildrenOfType(container.get(), pm::kMrAtomRoot, kQtAtomSource), 2);
    EXPECT_EQ(qtFindChildByIndex(container.get(), pm::kMrAtomRoot, kQtAtomSource, 1, nullptr), first);
    EXPECT_EQ(qtFindChildByIndex(container.get(), pm::kMrAtomRoot, kQtAtomSource, 2, nullptr), second);
    const struct {
        MrAtom source;
        uint32_t id;
    } expected[] = {{first, 3}, {second, 1}};
    for (const auto& e : expected) {
        uint32_t id = 0;
        const MrAtom input = qtFindChildByIndex(container.get(), e.source, kQtAtomSourceInput, 1, &id);
        ASSERT_NE(input, 0);
        EXPECT_EQ(id, e.id);
        uint32_t size = 99;
        const uint8_t* data = nullptr;
        EXPECT_EQ(qtGetAtomData(container.get(), input, &size, &data), 0);
        EXPECT_EQ(size, 0u);
        const MrAtom kind = qtFindChildByIndex(container.get(), e.source, kQtAtomSourceType, 1, nullptr);
        ASSERT_EQ(qtGetAtomData(container.get(), kind, &size, &data), 0);
        ASSERT_EQ(size, 4u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 4), "vide");
        const MrAtom standard = qtFindChildByIndex(container.get(), e.source, kQtAtomSourceTimeStandard, 1, nullptr);
        ASSERT_EQ(qtGetAtomData(container.get(), standard, &size, &data), 0);
        EXPECT_EQ(size, 4u);
    }
    EXPECT_EQ(qtEffectAddSource(nullptr, 1), 0);
}

TEST_F(QtEffectsTest, EffectImageDescriptionNamesTheVendorAndClearsTheQualities) {
    MrHandle* description = qtNewHandle(pm::kMrImageDescriptionSize);
    ASSERT_EQ(qtEffectImageDescription(kDissolve, description), 0);
    const pm::ImageDescriptionFields fields = pm::readImageDescription(qtHandleData(description));
    EXPECT_EQ(fields.codecType, kDissolve);
    EXPECT_EQ(fields.vendor, kQtVendorApple);
    EXPECT_EQ(fields.temporalQuality, 0u);
    EXPECT_EQ(fields.spatialQuality, 0u);
    // An effect the runtime does not know leaves the description as it was.
    std::fill_n(qtHandleData(description), pm::kMrImageDescriptionSize, 0xAB);
    EXPECT_NE(qtEffectImageDescription(0x6E6F7065, description), 0);
    EXPECT_EQ(qtHandleData(description)[20], 0xAB);
    qtDisposeHandle(description);
    EXPECT_EQ(qtEffectImageDescription(kDissolve, nullptr), pm::kMrParamErr);
}

TEST_F(QtEffectsTest, StillTrackShowsThePictureForItsDuration) {
    MrWorld* picture = nullptr;
    const MrRect bounds{0, 0, 30, 40};
    ASSERT_EQ(qtNewWorldOfFormat(&picture, pm::kMrFormatBgra32, &bounds), 0);
    std::vector<uint8_t> rgb(40 * 3);
    for (int x = 0; x < 40; ++x) rgb[size_t(x) * 3] = x < 20 ? 230 : 20, rgb[size_t(x) * 3 + 2] = x < 20 ? 20 : 230;
    for (int y = 0; y < 30; ++y) pm::writeRowRgb(*qtWorldPixMap(picture), y, 0, 40, rgb.data());

    EffectMovie movie(qtNewMovie(600));
    MrTrack* track = reinterpret_cast<MrTrack*>(1);
    ASSERT_EQ(qtAddStillTrack(movie.get(), picture, 300, 1200, 80 << 16, 60 << 16, &track), 0);
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(qtGetMovieTrackCount(movie.get()), 1);
    EXPECT_EQ(qtGetMovieDuration(movie.get()), 1500);
    EXPECT_EQ(qtGetMediaDuration(qtGetTrackMedia(track)), 1200);
    EXPECT_EQ(qtGetMediaSampleCount(qtGetTrackMedia(track)), 1);

    MrWorld* shown = nullptr;
    const MrRect box{0, 0, 60, 80};
    ASSERT_EQ(qtNewWorldOfFormat(&shown, pm::kMrFormatBgra32, &box), 0);
    ASSERT_EQ(qtDrawMovieFrame(movie.get(), 900, shown), 0);
    uint8_t left[4], right[4];
    pm::readRowRgba(*qtWorldPixMap(shown), 30, 10, 1, left);
    pm::readRowRgba(*qtWorldPixMap(shown), 30, 70, 1, right);
    EXPECT_NEAR(left[0], 230, 16);
    EXPECT_NEAR(left[2], 20, 16);
    EXPECT_NEAR(right[0], 20, 16);
    EXPECT_NEAR(right[2], 230, 16);
    qtDisposeWorld(shown);

    MrTrack* none = reinterpret_cast<MrTrack*>(1);
    EXPECT_EQ(qtAddStillTrack(movie.get(), nullptr, 0, 600, 80 << 16, 60 << 16, &none), pm::kMrParamErr);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(qtAddStillTrack(movie.get(), picture, 0, 0, 80 << 16, 60 << 16, &none), pm::kMrParamErr);
    EXPECT_EQ(qtGetMovieTrackCount(movie.get()), 1);
    qtDisposeWorld(picture);
}

}  // namespace
