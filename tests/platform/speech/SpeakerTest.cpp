#include "platform/speech/Speaker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/speech/headless/HeadlessSpeech.h"
#include "tests/platform/speech/PiecewiseSpeech.h"

namespace plat {
namespace {

constexpr SpeechVoice kEnglishFemale{SpeechLanguage::English, SpeechGender::Female, 0};

TEST(SpeakerTest, QueuedSpeechDrainsThroughPullAndThenStopsSpeaking) {
    HeadlessSpeechBackend backend;
    Speaker speaker(backend);
    EXPECT_FALSE(speaker.isSpeaking());
    ASSERT_TRUE(speaker.speak(kEnglishFemale, "Hello"));
    EXPECT_TRUE(speaker.isSpeaking());
    EXPECT_EQ(speaker.sampleRate(), HeadlessSpeechBackend::kSampleRate);

    std::vector<int16_t> out(HeadlessSpeechBackend::kToneSamples - 1);
    EXPECT_EQ(speaker.pull(out.data(), uint32_t(out.size())), out.size());
    EXPECT_TRUE(speaker.isSpeaking()) << "one sample is still queued";
    EXPECT_EQ(speaker.pull(out.data(), uint32_t(out.size())), 1u);
    EXPECT_FALSE(speaker.isSpeaking());
    EXPECT_EQ(speaker.pull(out.data(), uint32_t(out.size())), 0u);
}

TEST(SpeakerTest, StopDropsQueuedSpeechAtOnce) {
    HeadlessSpeechBackend backend;
    Speaker speaker(backend);
    ASSERT_TRUE(speaker.speak(kEnglishFemale, "Hello"));
    speaker.stop();
    EXPECT_FALSE(speaker.isSpeaking());
    int16_t sample = 0;
    EXPECT_EQ(speaker.pull(&sample, 1), 0u);
    ASSERT_TRUE(speaker.speak(kEnglishFemale, "Again")) << "a stop does not refuse the next text";
    EXPECT_TRUE(speaker.isSpeaking());
}

// Blocks its rendering until the test stops the speaker from another thread; a stop that
// never arrives fails the test after a few seconds instead of hanging it.
class StallingBackend : public HeadlessSpeechBackend {
public:
    bool render(const SpeechVoice& voice, std::string_view text, const std::atomic<bool>& cancel,
                SpeechAudio& out) override {
        started.store(true);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!cancel.load()) {
            if (std::chrono::steady_clock::now() > deadline) {
                ADD_FAILURE() << "the stop never reached the rendering";
                break;
            }
            std::this_thread::yield();
        }
        return HeadlessSpeechBackend::render(voice, text, cancel, out);
    }
    std::atomic<bool> started{false};
};

TEST(SpeakerTest, StopFromAnotherThreadCancelsARenderingUnderWay) {
    StallingBackend backend;
    Speaker speaker(backend);
    std::thread stopper([&] {
        while (!backend.started.load()) std::this_thread::yield();
        speaker.stop();
    });
    EXPECT_FALSE(speaker.speak(kEnglishFemale, "Never heard"));
    stopper.join();
    EXPECT_FALSE(speaker.isSpeaking());
}

// Each piece is queued as it is rendered, the first in place of what was queued; the flag
// holds while the rendering goes on, even with every piece pulled, and falls once the last
// is pulled. A rendering failing part way leaves nothing queued.
TEST(SpeakerTest, PiecesAreQueuedAsTheyAreRendered) {
    PiecewiseSpeechBackend backend;
    Speaker speaker(backend);
    for (const size_t failAt : {PiecewiseSpeechBackend::kPieces, size_t(2)}) {
        SCOPED_TRACE(failAt);
        backend.failAt = PiecewiseSpeechBackend::kPieces;
        ASSERT_TRUE(speaker.speak(kEnglishFemale, "before"));
        backend.failAt = failAt;
        std::vector<size_t> queuedAfterPiece;
        std::vector<int16_t> pulled;
        const bool spoken = speaker.speak(kEnglishFemale, "pieces", [&] {
            queuedAfterPiece.push_back(speaker.available());
            std::vector<int16_t> piece(speaker.available());
            pulled.insert(pulled.end(), piece.begin(), piece.begin() + speaker.pull(piece.data(), uint32_t(piece.size())));
            EXPECT_TRUE(speaker.isSpeaking()) << "the rendering goes on";
        });
        EXPECT_EQ(spoken, failAt == PiecewiseSpeechBackend::kPieces);
        EXPECT_EQ(queuedAfterPiece, std::vector<size_t>(std::min(failAt, PiecewiseSpeechBackend::kPieces), PiecewiseSpeechBackend::kPiece));
        EXPECT_FALSE(speaker.isSpeaking());
        EXPECT_EQ(speaker.available(), 0u);
        EXPECT_EQ(pulled.size(), spoken ? PiecewiseSpeechBackend::whole().size() : failAt * PiecewiseSpeechBackend::kPiece);
        if (spoken) {
            EXPECT_EQ(pulled, PiecewiseSpeechBackend::whole());
        }
    }
}

TEST(SpeakerTest, AVoiceTheBackendDoesNotOfferQueuesNothing) {
    HeadlessSpeechBackend backend;
    Speaker speaker(backend);
    const SpeechVoice missing{SpeechLanguage::Spanish, SpeechGender::Male, HeadlessSpeechBackend::kVariantsPerGender};
    EXPECT_FALSE(speaker.speak(missing, "Hola"));
    EXPECT_FALSE(speaker.isSpeaking());
    ASSERT_EQ(backend.requests().size(), 1u);
    EXPECT_EQ(backend.requests()[0].text, "Hola");
}

}  // namespace
}  // namespace plat
