#pragma once
// Pages of our own making for the export tests: coloured backgrounds, sounds made by the
// archive's converter, movies and Flash movies made by our writers; the runtime connected and
// a scratch folder named by engine texts.
#include <fstream>
#include <string>
#include <vector>

#include "document/objects/RBitmapPageObject.h"
#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "media/quicktime/QtMovies.h"
#include "media/swf/Movie.h"
#include "media/swf/MovieBuilder.h"
#include "platform/files/Files.h"
#include "platform/media/movie/MovieEditingAbi.h"
#include "sound/import/SoundImport.h"
#include "tests/media/quicktime/QtTestSupport.h"

namespace exporttest {

using namespace Ostrel;

struct Rgb {
    u8 r, g, b;
};

class ExportTest : public qttest::QtRuntimeTest {
protected:
    std::string text(const std::string& name) const { return plat::textOfHostPath(file(name)); }
    static std::vector<u8> read(const std::string& host) {
        std::ifstream in(host, std::ios::binary);
        return std::vector<u8>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    // A page whose background is one colour.
    static void paint(RPageData& page, Rgb colour) {
        ASSERT_EQ(page.EnsureBackground(), kErrNone);
        RPageObject* found = nullptr;
        page.FindObject(kTypeBitmap, kBackgroundId, &found);
        auto& picture = static_cast<RBitmapPageObject*>(found)->picture;
        for (size_t i = 0; i < picture.pixels.size(); i += 4)
            picture.pixels[i] = colour.r, picture.pixels[i + 1] = colour.g, picture.pixels[i + 2] = colour.b;
    }

    // A tone of `ms` as the archive keeps sounds.
    static std::vector<u8> sound(i32 ms) {
        std::vector<u8> pcm;
        for (i32 i = 0; i < ms * 22050 / 1000; ++i) {
            const i16 s = i16((i % 50 < 25) ? 4000 : -4000);
            pcm.push_back(u8(u16(s))), pcm.push_back(u8(u16(s) >> 8));
        }
        std::vector<u8> wave;
        EXPECT_EQ(ConvertPcmToArchiveWave(pcm, 16, 1, 22050, kImportCompress | kImportNoLoop, &wave), 0);
        return wave;
    }

    // A movie file of one still picture lasting `ms`.
    std::vector<u8> movie(i32 ms, Rgb colour) {
        MrMovie* built = qtNewMovie(600);
        MrTrack* track = qtNewMovieTrack(built, 32 << 16, 24 << 16, 0);
        MrMedia* media = qtNewTrackMedia(track, plat::media::kMrMediaVideo, 600);
        std::vector<u8> rgb;
        for (int i = 0; i < 32 * 24; ++i) rgb.insert(rgb.end(), {colour.r, colour.g, colour.b});
        const auto jpeg = qttest::encodeWithLibjpeg(32, 24, 3, rgb);
        qtBeginMediaEdits(media);
        EXPECT_EQ(qtAddMediaSample(media, jpeg.data(), u32(jpeg.size()), ms * 600 / 1000, nullptr, 0, 1, nullptr), 0);
        qtEndMediaEdits(media);
        EXPECT_EQ(qtInsertMediaIntoTrack(track, 0, 0, ms * 600 / 1000, 0x10000), 0);
        const std::string path = file("source.mov");
        EXPECT_EQ(qtFlattenMovieToFile(built, path.c_str()), 0);
        qtDisposeMovie(built);
        std::vector<u8> bytes = read(path);
        std::filesystem::remove(path);
        return bytes;
    }

    // An empty Flash movie of one frame, 100 x 50 pixels.
    static std::vector<u8> flash() {
        swf::MovieBuilder builder(swf::Rect{0, 0, 2000, 1000});
        std::vector<u8> bytes;
        EXPECT_EQ(swf::SaveMovieToMemory(builder.Document(), bytes), swf::kOk);
        return bytes;
    }

    // Standard players' reading of a file's duration in seconds; negative without ffprobe.
    static double ffprobeSeconds(const std::string& host) {
        if (std::system("command -v ffprobe > /dev/null 2>&1") != 0) return -1;
        const std::string command = "ffprobe -v error -show_entries format=duration -of csv=p=0 '" + host + "'";
        std::string out;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[128];
            while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
            pclose(pipe);
        }
        return out.empty() ? 0 : std::stod(out);
    }
};

}  // namespace exporttest
