// A movie's sound reaching the engine's mixer: the runtime decodes it ahead, the mixer on the
// virtual device hears the tone while the movie plays and silence once it stops.
#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

#include "engine/os/OsIntervalTasks.h"
#include "media/objects/MovieSound.h"
#include "tests/engine/audio/AudioTestSupport.h"
#include "tests/platform/media/playback/TestMovies.h"

namespace {

class MovieSounds : public audiotest::AudioTest {
protected:
    virtual AudioSettings settings() const { return defaultSettings(); }
    void SetUp() override {
        startWith(settings());
        if (HasFatalFailure()) return;
        if (!movietest::ffmpegPresent()) GTEST_FAIL() << "ffmpeg is not installed (scripts/install-deps)";
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
        if (!samples.empty()) std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
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
        MovieSound sound(std::shared_ptr<MrMovie>(movie, qtDisposeMovie));
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
}

// The mixer's device on its own thread, woken by the fake clock.
class MovieSoundsWithMixerThread : public MovieSounds {
protected:
    AudioSettings settings() const override {
        AudioSettings s = defaultSettings();
        s.mixer.runDeviceThreads = true;
        return s;
    }
    // Moves the clock, giving the mixer's thread, the sound's feeding and the interval tasks
    // their turns (and the movie, when given, its time), until `done`; a bounded number of steps stands in for a
    // watchdog.
    template <class Done>
    bool playUntil(MrMovie* movie, Done&& done) {
        for (int step = 0; step < 60000; ++step) {
            clock.advance(1);
            std::this_thread::yield();
            osmLockRunForeignPosts();
            osmSleep(0);
            osmDispatchTasks(plat::clockMillis(), 1);
            if (movie) qtMoviesTask(movie, 0);
            if (step % 10 == 0 && done()) return true;
        }
        return false;
    }
    bool toneHeard() const { return peakOf(heard()) > 10000; }
};

// The sound holds its movie: whichever of the sound and the movie's other holder lets go
// first, the movie is disposed of with the last one, and the mixer never reads a disposed movie.
TEST_F(MovieSoundsWithMixerThread, TheMovieLastsAsLongAsItsSoundInEitherOrder) {
    // Longer than the mixer decodes ahead, so that it still reads the movie at the end.
    const movietest::MovieSpec spec{.soundRate = 22050, .toneHz = 441, .soundSeconds = 16.0};
    const std::string path = movietest::makeMovie(folder_, "tone", spec);
    ASSERT_FALSE(path.empty());
    for (const bool soundFirst : {true, false}) {
        SCOPED_TRACE(soundFirst ? "the sound goes first" : "the movie's holder lets go first");
        MrMovie* raw = nullptr;
        ASSERT_EQ(qtOpenMovieFile(path.c_str(), &raw), 0);
        bool disposed = false;
        auto movie = std::shared_ptr<MrMovie>(raw, [&disposed](MrMovie* m) {
            disposed = true;
            qtDisposeMovie(m);
        });
        qtStartMovie(raw);
        auto sound = std::make_unique<MovieSound>(movie);
        ASSERT_EQ(sound->Start(), swf::kOk);
        ASSERT_TRUE(playUntil(raw, [&] { return toneHeard(); }));
        if (soundFirst) {
            sound.reset();
            EXPECT_FALSE(disposed);
            movie.reset();
        } else {
            movie.reset();
            EXPECT_FALSE(disposed) << "the playing sound keeps the movie";
            // Nobody gives the movie time any more; the mixer reads it to the sound's end.
            EXPECT_TRUE(playUntil(nullptr, [&] { return !sound->playing(); }));
            EXPECT_FALSE(disposed);
            sound.reset();
        }
        EXPECT_TRUE(disposed);
    }
}

}  // namespace
