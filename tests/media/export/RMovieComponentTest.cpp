// The pieces of a movie export: what each refuses, how long a sound's piece lasts, and the
// blank picture the pieces are drawn on.
#include <gtest/gtest.h>

#include <functional>

#include "media/export/ExportFiles.h"
#include "media/export/PagePicture.h"
#include "media/export/RMovieComponent.h"
#include "tests/media/export/ExportFixture.h"

namespace {

using namespace exporttest;

class MovieComponent : public ExportTest {};

TEST_F(MovieComponent, EmptyOrTimelessMediaAreRefused) {
    std::unique_ptr<PagePicture> white = PagePicture::Blank(16, 16);
    ASSERT_NE(white, nullptr);
    const std::vector<u8> jpeg = white->Jpeg();
    ASSERT_FALSE(jpeg.empty());
    struct Case {
        const char* what;
        i32 durationMs;
        std::function<i32(RMovieComponent&)> write;
        i32 expected;
    };
    const Case cases[] = {
        {"a picture", 1000, [&](RMovieComponent& c) { return c.WritePicture(jpeg); }, kExportOk},
        {"no picture", 1000, [](RMovieComponent& c) { return c.WritePicture({}); }, kExportFailed},
        {"a picture for no time", 0, [&](RMovieComponent& c) { return c.WritePicture(jpeg); }, kExportFailed},
        {"frames", 1000, [&](RMovieComponent& c) { return c.WriteFrames({jpeg, jpeg}, 1000); }, kExportOk},
        {"no frames", 1000, [](RMovieComponent& c) { return c.WriteFrames({}, 1000); }, kExportFailed},
        {"frames for no time", 1000, [&](RMovieComponent& c) { return c.WriteFrames({jpeg}, 0); }, kExportFailed},
        {"an empty frame", 1000, [&](RMovieComponent& c) { return c.WriteFrames({jpeg, {}}, 1000); }, kExportFailed},
        {"no movie file", 1000, [](RMovieComponent& c) { return c.WriteMovie({}); }, kExportMissingMovie},
        {"a sound", 1000, [](RMovieComponent& c) { return c.WriteSound(sound(300)); }, kExportOk},
        {"no sound", 1000, [](RMovieComponent& c) { return c.WriteSound({}); }, kExportFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RMovieComponent component(kComponentPicture, {0, 0, 16, 16}, 0, c.durationMs, kPictureLayer);
        EXPECT_EQ(c.write(component), c.expected);
        EXPECT_EQ(component.MediaDuration() > 0, c.expected == kExportOk);
    }
}

TEST_F(MovieComponent, ASoundLastsItsOwnLengthToTheMillisecond) {
    for (const i32 ms : {300, 3200}) {
        RMovieComponent component(kComponentSound, {}, 0, 10000, 0);
        ASSERT_EQ(component.WriteSound(sound(ms)), kExportOk);
        EXPECT_NEAR(component.MediaDuration(), ms, 1) << ms;
    }
}

TEST_F(MovieComponent, ABlankPictureIsWhiteToItsEdges) {
    const struct {
        u16 width, height;
        bool made;
    } cases[] = {{3, 2, true}, {1, 1, true}, {0, 5, false}, {5, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        std::unique_ptr<PagePicture> picture = PagePicture::Blank(c.width, c.height);
        ASSERT_EQ(picture != nullptr, c.made);
        if (!picture) continue;
        for (i32 y = 0; y < c.height; ++y)
            for (i32 x = 0; x < c.width; ++x) EXPECT_EQ(picture->Pixels().At(x, y), 0x7FFF) << x << "," << y;
    }
}

}  // namespace
