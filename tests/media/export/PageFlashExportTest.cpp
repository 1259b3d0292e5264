// A page as a Flash movie and as a stand-alone player file: the movie's frame from the canvas,
// its Flash objects placed (mirrored ones turned over), the output read by our reader, by an
// independent parser and by the player program itself, and a full disc that keeps the old file.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include "media/export/FlashProjector.h"
#include "media/export/FlashSounds.h"
#include "media/export/PageFlashExport.h"
#include "media/objects/FlashQTMovie.h"
#include "media/swf/FrameTags.h"
#include "media/swfgl/FlashFramePlayer.h"
#include "platform/audio/choice/AudioChoice.h"
#include "platform/audio/virtual/VirtualAudio.h"
#include "platform/clock/Clock.h"
#include "platform/drives/Drives.h"
#include "platform/media/PictureImage.h"
#include "platform/media/PngCoding.h"
#include "tests/media/export/ExportFixture.h"

namespace {

using namespace exporttest;

constexpr int kYaswfpMissing = 3;

TEST(FlashFrame, IsTwoPixelsNarrowerAndOneLowerThanTheCanvas) {
    const struct {
        u16 width, height;
        bool made;
        i32 xMax, yMax;
    } cases[] = {{640, 480, true, 12760, 9580}, {3, 2, true, 20, 20}, {2, 480, false, 0, 0}, {640, 1, false, 0, 0}};
    for (const auto& c : cases) {
        swf::Rect frame{};
        EXPECT_EQ(FlashFrameOfCanvas({c.width, c.height}, &frame), c.made) << c.width << "x" << c.height;
        if (c.made) {
            EXPECT_EQ(frame, (swf::Rect{0, 0, c.xMax, c.yMax}));
        }
    }
}

class PageFlashExport : public ExportTest {
protected:
    // A page red on its left and blue on its right as a movie of 98 x 59 pixels.
    static std::vector<u8> halvesMovie() {
        RPageData page;
        paint(page, {248, 0, 0});
        RPageObject* background = nullptr;
        page.FindObject(kTypeBitmap, kBackgroundId, &background);
        auto& picture = static_cast<RBitmapPageObject*>(background)->picture;
        for (size_t y = 0; y < picture.height; ++y)
            for (size_t x = 50; x < picture.width; ++x) {
                u8* p = &picture.pixels[(y * picture.width + x) * 4];
                p[0] = 0, p[2] = 248;
            }
        std::vector<u8> movie;
        EXPECT_EQ(composePageFlash(page, {100, 60}, &movie), kExportOk);
        return movie;
    }
    // The scales of the sprites placed at depths 1 and up, in depth order, which counts up
    // from 1.
    static std::vector<std::pair<i32, i32>> spriteScales(const std::vector<u8>& movie) {
        swf::document doc;
        EXPECT_EQ(swf::LoadMovieFromMemory(doc, movie.data(), u32(movie.size())), swf::kOk);
        std::vector<std::pair<i32, i32>> scales;
        for (const swf::tag* t = doc.FirstTag(); t; t = t->Next())
            if (auto* place = dynamic_cast<const swf::tagPlaceObject*>(t); place && place->depth > 0) {
                scales.push_back({place->matrix.scaleX, place->matrix.scaleY});
                EXPECT_EQ(place->depth, scales.size());
            }
        return scales;
    }
};

TEST_F(PageFlashExport, FlashObjectsBecomeSpritesMirroredOnesTurnedOver) {
    RPageData page;
    paint(page, {250, 250, 250});
    ASSERT_NE(page.AddObject(kTypeFlash, -1, flash(), {10, 10, 110, 60}), nullptr);
    RPageObject* mirrored = page.AddObject(kTypeFlash, -1, flash(), {200, 10, 400, 110});
    ASSERT_NE(mirrored, nullptr);
    mirrored->option = kFlashFlipHorizontal;
    ASSERT_NE(page.AddObject(kTypeSound, -1, sound(300), {}), nullptr);
    std::vector<u8> movie;
    ASSERT_EQ(composePageFlash(page, {640, 480}, &movie), kExportOk);
    ASSERT_EQ(exportPageFlash(page, {640, 480}, text("my.page")), kExportOk);
    EXPECT_EQ(read(file("my.page.swf")), movie);
    const auto scales = spriteScales(movie);
    ASSERT_EQ(scales.size(), 2u);
    EXPECT_NEAR(scales[0].first, 0x10000, 2);   // 100 pixels from a 100-pixel frame
    EXPECT_NEAR(scales[1].first, -0x20000, 2);  // twice as wide, turned over
    EXPECT_NEAR(scales[1].second, 0x20000, 2);

    // The independent parser reads the picture, both sprites and the sound.
    const std::string path = file("page.swf");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(movie.data()), std::streamsize(movie.size()));
    const std::string script = std::string(SWF_TEST_SCRIPTS) + "/read_with_yaswfp.py";
    const std::string command = "python3 '" + script + "' '" + path + "' > '" + path + ".txt' 2>&1";
    const int status = WEXITSTATUS(std::system(command.c_str()));
    if (status == kYaswfpMissing) GTEST_SKIP() << "python3-yaswfp is not installed";
    ASSERT_EQ(status, 0);
    std::ifstream in(path + ".txt");
    const std::string listing((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t at = 0;
    for (const char* expected : {"frames=1", "DefineBitsJPEG2", "DefineShape3", "DefineSprite CharacterID=3",
                                 "DefineSprite CharacterID=4", "DefineSound", "StartSound", "ShowFrame"}) {
        at = listing.find(expected, at);
        ASSERT_NE(at, std::string::npos) << expected << " in order in\n" << listing;
    }
}

// A page's movie shown again as a Flash object, at its frame's size and at the canvas's: every
// pixel is the page's colour up to the edges, none dark where the picture meets the frame.
TEST_F(PageFlashExport, APagesMovieShowsItsColourToItsEdges) {
    const struct {
        u16 width, height;
    } canvases[] = {{592, 444}, {100, 60}, {37, 23}};
    for (const auto& c : canvases) {
        RPageData page;
        paint(page, {248, 248, 248});
        std::vector<u8> movie;
        ASSERT_EQ(composePageFlash(page, {c.width, c.height}, &movie), kExportOk);
        FlashQTMovie shown;
        ASSERT_TRUE(shown.WriteTemporary(movie));
        for (const auto& [w, h] : {std::pair{c.width - 2, c.height - 1}, std::pair{int(c.width), int(c.height)}}) {
            ASSERT_EQ(shown.Build(i16(w), i16(h)), 0);
            int dark = 0, first = -1;
            for (i16 y = 0; y < h; ++y)
                for (i16 x = 0; x < w; ++x)
                    if (const u16 p = shown.Pixel(x, y); (p >> 10 & 31) < 24 || (p >> 5 & 31) < 24 || (p & 31) < 24) {
                        if (dark++ == 0) first = y * w + x;
                    }
            EXPECT_EQ(dark, 0) << c.width << "x" << c.height << " shown at " << w << "x" << h << ", first at ("
                               << first % w << ", " << first / w << ")";
        }
    }
}

TEST_F(PageFlashExport, AnObjectThatCannotBeReadFailsTheExportAndWritesNothing) {
    RPageData page;
    paint(page, {250, 250, 250});
    ASSERT_NE(page.AddObject(kTypeFlash, -1, std::vector<u8>{'F', 'W', 'S', 6, 0}, {0, 0, 50, 50}), nullptr);
    EXPECT_EQ(exportPageFlash(page, {640, 480}, text("page")), kExportFailed);
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(PageFlashExport, AFullDiscKeepsTheOldFilesAndLeavesNothingBeside) {
    std::filesystem::create_directories(folder_ / "disc");
    plat::FakeDrive drive('T', plat::FakeDisc{file("disc"), "USER", 77}, plat::DriveType::Fixed);
    { std::ofstream(file("disc/page.swf")) << "old movie"; }
    { std::ofstream(file("disc/player")) << "old player"; }
    { std::ofstream(file("program")) << "a player program"; }
    RPageData page;
    paint(page, {250, 250, 250});
    std::vector<u8> movie;
    ASSERT_EQ(composePageFlash(page, {64, 48}, &movie), kExportOk);
    drive.failNext(plat::kSysDiskFull, 1000);
    EXPECT_EQ(exportPageFlash(page, {64, 48}, "T:\\page.swf"), kExportDiskFull);
    EXPECT_EQ(WriteFlashProjector(text("program"), "T:\\player", movie), 1);
    EXPECT_EQ(read(file("disc/page.swf")).size(), 9u);
    EXPECT_EQ(read(file("disc/player")).size(), 10u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "disc"), {}), 2);
}

// The picture's block is an engine handle that every export gives back, and an export that
// cannot have one fails as out of memory.
TEST_F(PageFlashExport, ThePictureBlockIsAnEngineHandleGivenBackWhateverTheOutcome) {
    const auto takeAll = [] {
        std::vector<memHandle> taken;
        for (memHandle h; (h = memAllocHandle(16)) != 0;) taken.push_back(h);
        return taken;
    };
    const auto giveBack = [](const std::vector<memHandle>& taken) {
        for (memHandle h : taken) memFreeHandle(h);
        return taken.size();
    };
    RPageData page;
    paint(page, {250, 250, 250});
    const size_t free = giveBack(takeAll());
    std::vector<u8> movie;
    ASSERT_EQ(composePageFlash(page, {64, 48}, &movie), kExportOk);
    EXPECT_EQ(giveBack(takeAll()), free);
    const std::vector<memHandle> taken = takeAll();
    EXPECT_EQ(composePageFlash(page, {64, 48}, &movie), kExportNoMemory);
    giveBack(taken);
    EXPECT_EQ(giveBack(takeAll()), free);
}

TEST(ProjectorTrailer, NamesAMovieThatLiesInsideTheFile) {
    const struct {
        u32 marker, length;
        u64 fileSize;
        bool found;
    } cases[] = {
        {kProjectorMarker, 100, 1008, true},  {kProjectorMarker, 1000, 1008, true},
        {kProjectorMarker, 1001, 1008, false}, {kProjectorMarker, 0, 8, true},
        {0xFA123457, 100, 1008, false},        {kProjectorMarker, 0, 7, false},
    };
    for (const auto& c : cases) {
        u8 trailer[kProjectorTrailerSize];
        WriteProjectorTrailer(c.length, trailer);
        trailer[0] = u8(c.marker);
        u64 offset = 0;
        u32 length = 0;
        EXPECT_EQ(ReadProjectorTrailer(trailer, c.fileSize, &offset, &length), c.found) << c.length << " " << c.fileSize;
        if (c.found) {
            EXPECT_EQ(offset + length + kProjectorTrailerSize, c.fileSize);
        }
        EXPECT_EQ(ProjectorProgramSize(trailer, c.fileSize), c.found ? offset : c.fileSize);
    }
}

// The whole road: a page red on its left and blue on its right made into a player file by the
// real player program, which then draws its first frame without a screen.
TEST_F(PageFlashExport, ThePlayerFilePlaysItsOwnMovie) {
    const std::vector<u8> movie = halvesMovie();
    ASSERT_FALSE(movie.empty());
    const std::string player = plat::textOfHostPath(TUMBLO_PLAYER_PROGRAM);
    // Twice onto one name: the second movie replaces the first.
    ASSERT_EQ(WriteFlashProjector(player, text("show"), std::vector<u8>(3000, 1)), 0);
    ASSERT_EQ(WriteFlashProjector(player, text("show"), movie), 0);
    const auto programSize = std::filesystem::file_size(TUMBLO_PLAYER_PROGRAM);
    EXPECT_EQ(std::filesystem::file_size(file("show")), programSize + movie.size() + kProjectorTrailerSize);
    // A player file taken as the player program has its movie replaced, not kept.
    ASSERT_EQ(WriteFlashProjector(text("show"), text("Begoña"), std::vector<u8>(10, 2)), 0);
    EXPECT_EQ(std::filesystem::file_size(file("Begoña")), programSize + 10 + kProjectorTrailerSize);
    EXPECT_NE(std::filesystem::status(file("show")).permissions() & std::filesystem::perms::owner_exec,
              std::filesystem::perms::none);
    // Mesa keeps a few records of its contexts to the end, as in this program's own tests.
    std::ofstream(file("mesa.supp")) << "leak:libOSMesa.so\n";
    const std::string command =
        "TUMBLO_HEADLESS=1 LSAN_OPTIONS=suppressions='" + file("mesa.supp") + "' '" + file("show") + "' --snapshot '" + file("first.png") + "' > '" + file("said") + "' 2>&1";
    const int status = WEXITSTATUS(std::system(command.c_str()));
    const std::vector<u8> said = read(file("said"));
    ASSERT_EQ(status, 0) << std::string(said.begin(), said.end());
    const std::vector<u8> png = read(file("first.png"));
    plat::media::PictureImage image;
    ASSERT_EQ(plat::media::decodePng(png.data(), png.size(), image), 0);
    ASSERT_EQ(image.width, 98);
    ASSERT_EQ(image.height, 59);
    // The picture fills the frame: its halves meet in the middle.
    for (const auto& [x, red] : {std::pair{10, true}, {45, true}, {55, false}, {95, false}}) {
        const u8* seen = image.pixel(x, 30);
        EXPECT_EQ(seen[0] > 200, red) << x;
        EXPECT_EQ(seen[2] > 200, !red) << x;
        EXPECT_LT(seen[1], 40) << x;
    }
}

// The player program's host, as far as sounds go: the pictures stay with the host before it.
class SoundHost final : public swf::i_host {
public:
    SoundHost(FlashSounds& sounds, swf::i_host* before) : sounds_(sounds), before_(before) {}
    u32 AddRef() override { return 1; }
    u32 Release() override { return 1; }
    swf::Result QueryInterface(const std::type_info& id, void** out) override {
        if (swf::SameInterface(id, typeid(swf::i_host)) || swf::SameInterface(id, typeid(swf::i_object))) {
            *out = static_cast<swf::i_host*>(this);
            return swf::kOk;
        }
        return before_ ? before_->QueryInterface(id, out) : swf::kErrNoInterface;
    }
    swf::Result CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) override {
        return sounds_.CreateWavePlay(player, source);
    }

private:
    FlashSounds& sounds_;
    swf::i_host* before_;
};

// The page's sound goes into the movie of its player file, and the player's first frame
// starts it on the audio device until it has been heard.
TEST_F(PageFlashExport, ThePlayerHearsThePagesSound) {
    RPageData page;
    paint(page, {248, 0, 0});
    ASSERT_NE(page.AddObject(kTypeSound, -1, sound(300), {}), nullptr);
    std::vector<u8> movie;
    ASSERT_EQ(composePageFlash(page, {100, 60}, &movie), kExportOk);

    plat::ScopedFakeClock clock;
    plat::VirtualAudioBackend device;
    plat::setAudioBackend(&device);
    {
        FlashSounds sounds;
        swf::i_host* before = swf::Host();
        SoundHost host(sounds, before);
        swf::SetHost(&host);
        std::unique_ptr<FlashFramePlayer> frames = FlashFramePlayer::Open(movie, 98, 59);
        ASSERT_NE(frames, nullptr);
        ASSERT_TRUE(frames->DrawNext());
        EXPECT_EQ(sounds.Playing(), 1u);
        clock.advance(200);
        const std::vector<u8> heard = device.lastCapture()->bytes();
        i32 loudest = 0;
        for (size_t i = 0; i + 1 < heard.size(); i += 2) loudest = std::max(loudest, std::abs(i32(i16(heard[i] | heard[i + 1] << 8))));
        EXPECT_GT(loudest, 2000);
        clock.advance(200);
        sounds.Poll();
        EXPECT_EQ(sounds.Playing(), 0u);
        frames.reset();
        swf::SetHost(before);
    }
    plat::setAudioBackend(nullptr);
}

}  // namespace
