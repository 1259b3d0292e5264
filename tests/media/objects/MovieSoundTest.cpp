// A movie's sound reaching the engine's mixer: the runtime decodes it ahead, the mixer on the
// virtual device hears the tone while the movie plays and silence once it stops.
#include <algorithm>
#include <cstring>

#include "media/objects/MovieSound.h"
#include "tests/engine/audio/AudioTestSupport.h"
#include "tests/platform/media/playback/TestMovies.h"

namespace {

class MovieSounds : public audiotest::AudioTest {
protected:
    void SetUp() override {
        AudioTest::SetUp();
        if (HasFatalFailure()) return;
        if (!movietest::ffmpegPresent()) GTEST_SKIP() << "ffmpeg is not installed";
        qtSetSearchFolders({MEDIA_RUNTIME_DIR});
        library_ = qtLoadLibrary();
        ASSERT_NE(library_, nullptr);
        folder_ = std::filesystem::temp_directory_path() /
                  ("moviesound_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        if (library_) qtFreeLibrary(std::move(library_));
        qtSetSearchFolders({});
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
        AudioTest::TearDown();
    }
    std::vector<i16> heard() const {
        const std::vector<u8> bytes = output();
        std::vector<i16> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    QtLibrary library_;
    std::filesystem::path folder_;
};

int peakOf(const std::vector<i16>& samples) {
    int peak = 0;
    for (i16 s : samples) peak = std::max(peak, std::abs(int(s)));
    return peak;
}

TEST_F(MovieSounds, ThePlayingMovieIsHeardAndAStoppedOneIsNot) {
    const movietest::MovieSpec spec{.soundRate = 22050, .toneHz = 441, .soundSeconds = 2.0};
    const std::string path = movietest::makeMovie(folder_, "tone", spec);
    ASSERT_FALSE(path.empty());
    MrMovie* movie = nullptr;
    ASSERT_EQ(qtOpenMovieFile(path.c_str(), &movie), 0);
    {
        MovieSound sound(movie);
        // Stopped: the sound plays, but the movie has nothing to say.
        ASSERT_EQ(sound.Start(), swf::kOk);
        run(300);
        EXPECT_EQ(peakOf(heard()), 0);
        sound.Stop();

        qtStartMovie(movie);
        ASSERT_EQ(sound.Start(), swf::kOk);
        for (int i = 0; i < 50; ++i) {
            qtMoviesTask(movie, 0);  // tops the sound up as the program's idle step does
            run(10);
        }
        // The tone, at its pitch: the mixer's device runs at the movie sound rate.
        const std::vector<i16> samples = heard();
        EXPECT_GT(peakOf(samples), 10000);
        const auto first = std::find_if(samples.begin(), samples.end(), [](i16 v) { return v != 0; });
        int rising = 0;
        for (auto it = first + 1; it < samples.end(); ++it) rising += it[-1] < 0 && it[0] >= 0;
        const double seconds = double(samples.end() - first) / plat::media::kMrMovieSoundRate;
        EXPECT_NEAR(rising / seconds, 441, 20);
        EXPECT_TRUE(sound.playing());
        sound.Stop();
        EXPECT_FALSE(sound.playing());
    }
    qtDisposeMovie(movie);
}

}  // namespace
