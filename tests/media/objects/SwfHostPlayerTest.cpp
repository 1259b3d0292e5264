// The program's host set as the SWF engine's host: a composed movie's picture is coded by the
// media runtime and its sound is heard through the engine's audio, headless.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/audio/format/ArchiveWave.h"
#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/os/OsIntervalTasks.h"
#include "media/objects/SwfHost.h"
#include "media/objects/WavePlay.h"
#include "media/quicktime/QtRuntime.h"
#include "media/swf/DataTags.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/Player.h"
#include "media/swf/Sound.h"
#include "platform/gdi/DisplayPalette.h"
#include "tests/engine/audio/AudioTestSupport.h"

namespace {

constexpr u32 kFrames = 2205;  // a tenth of a second at 22050 Hz

i16 rampAt(u32 frame) { return i16(1000 + (frame * 37) % 20000); }

class HostPlays : public audiotest::AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        plat::gdi::DisplayPalette::instance().restoreDefaults();
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        qtSetSearchFolders({MEDIA_RUNTIME_DIR});
        library_ = qtLoadLibrary();
        ASSERT_NE(library_, nullptr);
        ASSERT_EQ(swf::SetHost(&host), swf::kOk);
    }
    void TearDown() override {
        swf::SetHost(nullptr);
        qtFreeLibrary(std::move(library_));
        qtSetSearchFolders({});
        gfxShutdownPalettes();
        AudioTest::TearDown();
    }

    // 16-bit mono, big-endian as archive waves store it.
    static std::vector<u8> rampWave() {
        std::vector<u8> samples;
        for (u32 i = 0; i < kFrames; ++i) {
            const u16 s = u16(rampAt(i));
            samples.push_back(u8(s >> 8));
            samples.push_back(u8(s));
        }
        ArchiveWaveInfo info;
        info.sampleRate = 22050;
        info.frames = kFrames;
        info.bits = 16;
        info.channels = 1;
        info.encoding = kWaveEncodingPcm;
        return writeArchiveWave(info, samples);
    }

private:
    QtLibrary library_;
};

}  // namespace

TEST_F(HostPlays, AComposedMovieCodesItsPictureAndIsHeardThroughTheHost) {
    EXPECT_EQ(swf::Host(), static_cast<swf::i_host*>(&host));
    swf::MovieBuilder builder(swf::Rect{0, 0, 640 * 20, 480 * 20});
    const u32 w = 16, h = 8;
    const std::vector<u16> pixels(size_t(w) * h, u16(31 << 10));  // full red in five bits
    ASSERT_EQ(builder.AddPicture(pixels.data(), w * 2, w, h, swf::Matrix{}, 0), swf::kOk);
    const std::vector<u8> wave = rampWave();
    ASSERT_EQ(builder.AddSound(wave.data(), u32(wave.size())), swf::kOk);

    // The bitmap is the host's JPEG: tables, then an image the host reads back at its size.
    auto* bitmap = builder.Document().FindCharacterOf<swf::tagDefineBitsJPEG2>(builder.PictureBitmapId());
    ASSERT_NE(bitmap, nullptr);
    const u8* data = bitmap->Data().Data();
    const u32 size = bitmap->Data().Size(), at = bitmap->ImageOffset();
    ASSERT_GT(size, at);
    i32 iw = 0, ih = 0;
    ASSERT_EQ(host.jpeg().GetInfo(iw, ih, data + at, size - at), swf::kOk);
    EXPECT_EQ(iw, i32(w));
    EXPECT_EQ(ih, i32(h));
    u8* rgb = nullptr;
    ASSERT_EQ(host.jpeg().Decompress(rgb, w * 3, w, h, data, at, data + at, size - at), swf::kOk);
    EXPECT_GT(rgb[0], 200);
    EXPECT_LT(rgb[1], 60);
    memFreePtr(rgb);

    swf::player p(builder.Document(), nullptr);
    ASSERT_EQ(p.AdvanceFrame(), swf::kOk);
    ASSERT_EQ(p.Sounds().size(), 1u);
    auto* player = static_cast<WavePlay*>(p.Sounds()[0]->WavePlay());
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(player->playing());
    // Played once: the wave repeats nothing.
    EXPECT_EQ(readBE16(static_cast<const u8*>(memDerefHandle(player->image())) + 30), 0);

    run(400);
    osmDispatchTasks(plat::clockMillis(), 1);
    // The end reached the player's sound, which left the list and let its player go.
    EXPECT_TRUE(p.Sounds().empty());
    std::vector<u8> heard = output();
    std::vector<i16> samples(heard.size() / 2);
    std::memcpy(samples.data(), heard.data(), samples.size() * 2);
    const auto first = std::find_if(samples.begin(), samples.end(), [](i16 s) { return s != 0; });
    ASSERT_GE(samples.end() - first, i64(kFrames));
    for (u32 i = 0; i < kFrames; ++i) ASSERT_EQ(first[i], rampAt(i)) << i;
    EXPECT_TRUE(std::all_of(first + kFrames, samples.end(), [](i16 s) { return s == 0; }));
}
