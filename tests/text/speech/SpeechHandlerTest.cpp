#include "text/speech/SpeechHandler.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "platform/drives/Drives.h"
#include "platform/speech/choice/SpeechChoice.h"
#include "platform/speech/headless/HeadlessSpeech.h"
#include "tests/engine/audio/MixerTestSupport.h"
#include "tests/platform/speech/PiecewiseSpeech.h"
#include "text/speech/PronunciationFile.h"
#include "text/speech/SpeechVoices.h"

namespace {

namespace fs = std::filesystem;
using namespace plat;

// Speech is heard through a mixer on the virtual audio device, played by hand.
class SpeechHandlerTest : public mixertest::MixerTest {
protected:
    void SetUp() override {
        start(mixertest::testSettings(16));
        char pattern[] = "/tmp/tumblo-speech-XXXXXX";
        root_ = ::mkdtemp(pattern);
        drive_ = std::make_unique<FakeDrive>('T', FakeDisc{root_, "SCRATCH", 1234}, DriveType::Fixed);
    }
    void TearDown() override {
        drive_.reset();
        fs::remove_all(root_);
        mixertest::MixerTest::TearDown();
    }
    // The user's folder is the test drive's root.
    SpeechSurroundings surroundings() {
        return {[this](u16 folder) {
                    foldersAsked.push_back(folder);
                    return std::string("T:\\");
                },
                [this] { ++missingNotices; }};
    }
    std::vector<u16> foldersAsked;
    int missingNotices = 0;
    std::vector<Pronunciation> fileList() {
        PronunciationDecoding read;
        EXPECT_EQ(loadPronunciationFile(kPath, read), kSysOk);
        return read.entries;
    }

    static constexpr const char* kPath = "T:\\Words.dic";
    HeadlessSpeechBackend backend_;
    std::string root_;
    std::unique_ptr<FakeDrive> drive_;
};

TEST_F(SpeechHandlerTest, NothingIsSpokenBeforeAVoiceIsChosen) {
    SpeechHandler handler(backend_, surroundings());
    handler.Speak("Hello", 5);
    EXPECT_TRUE(backend_.requests().empty());
    ASSERT_TRUE(handler.SetVoice(0)) << "the first choice selects even voice 0";
    handler.Speak("Hello", 5);
    ASSERT_EQ(backend_.requests().size(), 1u);
    EXPECT_TRUE(handler.IsSpeaking());
    EXPECT_EQ(handler.Stop(), 0);
    EXPECT_FALSE(handler.IsSpeaking());
}

TEST_F(SpeechHandlerTest, SpeakReadsNoFurtherThanTheGivenLength) {
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    const char text[] = {'H', 'i', '!', 'X'};  // no NUL
    handler.Speak(text, 3);
    handler.Speak("a\0b", 3);
    handler.Speak(text, 0);
    ASSERT_EQ(backend_.requests().size(), 2u);
    EXPECT_EQ(backend_.requests()[0].text, "Hi!");
    EXPECT_EQ(backend_.requests()[1].text, "a");
}

TEST_F(SpeechHandlerTest, FamilyAndVoiceChoiceFollowTheReselectRules) {
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(2));
    EXPECT_EQ(handler.SetVoiceFamily(kSpeechFamilySpanish), kSpeechFamilySpanish);
    EXPECT_FALSE(handler.SetVoice(2)) << "Spanish has no third voice";
    handler.Speak("x", 1);
    EXPECT_EQ(backend_.requests().back().voice.language, SpeechLanguage::English) << "the failed choice changed nothing";
    ASSERT_TRUE(handler.SetVoice(1));
    handler.Speak("x", 1);
    EXPECT_EQ(backend_.requests().back().voice, (SpeechVoice{SpeechLanguage::Spanish, SpeechGender::Male, 0}));

    // An unknown family keeps the family but makes the same number select again.
    EXPECT_EQ(handler.SetVoiceFamily(2), 2u);
    EXPECT_EQ(handler.family(), kSpeechFamilySpanish);
    EXPECT_TRUE(handler.SetVoice(1));

    // An English note after a Spanish one is read in English.
    handler.SetVoiceFamily(speechFamilyOfNoteLanguage(kNoteLanguageEnglish));
    ASSERT_TRUE(handler.SetVoice(1));
    handler.Speak("x", 1);
    EXPECT_EQ(backend_.requests().back().voice, (SpeechVoice{SpeechLanguage::English, SpeechGender::Female, 1}));
}

TEST_F(SpeechHandlerTest, OtherFamilyEntriesAreKeptButNotApplied) {
    ASSERT_EQ(savePronunciationFile(kPath, {{"queso", "keso", 0, 1}, {"gif", "jif", 0, 0}}), kSysOk);
    {
        SpeechHandler handler(backend_, surroundings());
        ASSERT_TRUE(handler.SetVoice(0));
        handler.Speak("queso gif", 9);
        EXPECT_EQ(backend_.requests().back().text, "queso jif");
        ASSERT_TRUE(handler.AddPronunciation("tomato", "tomahto"));
    }
    const std::vector<Pronunciation> expected = {
        {"queso", "keso", 0, 1}, {"gif", "jif", 0, 0}, {"tomato", "tomahto", 0, 0}};
    EXPECT_EQ(fileList(), expected);
}

TEST_F(SpeechHandlerTest, AFailedWriteKeepsTheListInMemoryAndReportsIt) {
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    handler.Speak("x", 1);
    ASSERT_TRUE(handler.AddPronunciation("gif", "jif"));
    drive_->setWriteProtected(true);
    handler.SetEnabled(true);
    handler.Speak("gif", 3);
    EXPECT_NE(handler.lastSaveError(), kSysOk);
    EXPECT_EQ(backend_.requests().back().text, "jif") << "the added word is still applied";
    drive_->setWriteProtected(false);
    handler.SetEnabled(true);
    handler.Speak("gif", 3);
    EXPECT_EQ(handler.lastSaveError(), kSysOk);
    EXPECT_EQ(fileList(), (std::vector<Pronunciation>{{"gif", "jif", 0, 0}}));
}

TEST_F(SpeechHandlerTest, AListThatCouldNotBeReadIsNeverWrittenOver) {
    ASSERT_EQ(savePronunciationFile(kPath, {{"gif", "jif", 0, 0}}), kSysOk);
    {
        SpeechHandler handler(backend_, surroundings());
        drive_->failNext(kSysNotReady);
        ASSERT_TRUE(handler.AddPronunciation("tomato", "tomahto"));
        handler.SetEnabled(true);
        drive_->failNext(kSysNotReady);
        ASSERT_TRUE(handler.SetVoice(0));
        handler.Speak("x", 1);
        handler.Speak("x", 1);
        EXPECT_EQ(handler.lastSaveError(), kSysNotReady) << "the list is still unread";
        EXPECT_EQ(fileList(), (std::vector<Pronunciation>{{"gif", "jif", 0, 0}}));
    }
    // Once the file reads again, its entries come first and the added one follows them.
    EXPECT_EQ(fileList(), (std::vector<Pronunciation>{{"gif", "jif", 0, 0}, {"tomato", "tomahto", 0, 0}}));
}

TEST_F(SpeechHandlerTest, PronunciationTextsAtTheLimitAreRefused) {
    SpeechHandler handler(backend_, surroundings());
    EXPECT_TRUE(handler.AddPronunciation(std::string(kPronunciationTextLimit - 1, 'a'), "b"));
    EXPECT_FALSE(handler.AddPronunciation(std::string(kPronunciationTextLimit, 'a'), "b"));
    EXPECT_FALSE(handler.AddPronunciation("a", std::string(kPronunciationTextLimit, 'b')));
    EXPECT_EQ(handler.pronunciations().size(), 1u);
}

// The 16-bit samples the virtual device was handed, silence left out at both ends.
std::vector<int16_t> heardSamples(const std::vector<u8>& bytes) {
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = int16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    const auto first = std::find_if(samples.begin(), samples.end(), [](int16_t s) { return s != 0; });
    const auto last = std::find_if(samples.rbegin(), samples.rend(), [](int16_t s) { return s != 0; }).base();
    return first < last ? std::vector<int16_t>(first, last) : std::vector<int16_t>{};
}

std::vector<int16_t> headlessTone() {
    HeadlessSpeechBackend backend;
    std::atomic<bool> cancel{false};
    SpeechAudio audio;
    EXPECT_TRUE(backend.render({}, "x", cancel, audio));
    const auto last = std::find_if(audio.samples.rbegin(), audio.samples.rend(), [](int16_t s) { return s != 0; });
    audio.samples.erase(last.base(), audio.samples.end());
    audio.samples.erase(audio.samples.begin(), std::find_if(audio.samples.begin(), audio.samples.end(),
                                                            [](int16_t s) { return s != 0; }));
    return audio.samples;
}

TEST_F(SpeechHandlerTest, SpeechIsHeardThroughTheMixerAndTheFlagFallsOnceItIsPlayed) {
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    handler.Speak("Hello", 5);
    EXPECT_TRUE(handler.IsSpeaking());
    play(50);
    EXPECT_TRUE(handler.IsSpeaking()) << "half of the tenth of a second is still to come";
    play(300);
    EXPECT_FALSE(handler.IsSpeaking());
    EXPECT_EQ(handler.playback().chunksInMixer(), 0u);
    EXPECT_EQ(heardSamples(output()), headlessTone()) << "the rendering is heard sample for sample";
}

// A text rendered in pieces reaches the mixer a whole chunk at a time while the rest is still
// being rendered, and is heard sample for sample; one whose rendering fails part way has
// replaced what played and leaves nothing behind.
TEST_F(SpeechHandlerTest, SpeechIsPlayedWhileTheRestIsRendered) {
    PiecewiseSpeechBackend pieces;
    SpeechHandler handler(pieces, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    std::vector<uint32_t> inMixer;
    pieces.afterPiece = [&] { inMixer.push_back(handler.playback().chunksInMixer()); };
    handler.Speak("Hello", 5);
    // 1500 samples a piece, 4096 a chunk.
    EXPECT_EQ(inMixer, (std::vector<uint32_t>{0, 0, 1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(handler.playback().chunksInMixer(), 3u);
    play(1000);
    EXPECT_FALSE(handler.IsSpeaking());
    EXPECT_EQ(heardSamples(output()), PiecewiseSpeechBackend::whole());

    handler.Speak("Hello", 5);
    pieces.failAt = 4;
    handler.Speak("again", 5);
    EXPECT_FALSE(handler.IsSpeaking());
    EXPECT_EQ(handler.playback().chunksInMixer(), 0u);
    play(1000);
    EXPECT_EQ(heardSamples(output()), PiecewiseSpeechBackend::whole()) << "nothing more was heard";
}

TEST_F(SpeechHandlerTest, StopSilencesAtOnceWhateverThreadAsks) {
    struct Case {
        const char* what;
        bool otherThread;
    };
    for (const Case c : {Case{"main thread", false}, Case{"another thread", true}}) {
        SCOPED_TRACE(c.what);
        SpeechHandler handler(backend_, surroundings());
        ASSERT_TRUE(handler.SetVoice(0));
        handler.Speak("Hello", 5);
        play(20);
        ASSERT_TRUE(handler.IsSpeaking());
        if (c.otherThread)
            std::thread([&] { handler.Stop(); }).join();
        else
            handler.Stop();
        EXPECT_FALSE(handler.IsSpeaking());
        EXPECT_EQ(handler.playback().chunksInMixer(), 0u);
    }
    // Only what the device held when each stop came was heard.
    play(300);
    EXPECT_LT(heardSamples(output()).size(), 2 * headlessTone().size());
}

TEST_F(SpeechHandlerTest, StopsFromAnotherThreadRaceSpeakingSafely) {
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    std::atomic<bool> done{false};
    std::thread stopper([&] {
        while (!done.load()) handler.Stop();
    });
    for (int i = 0; i < 300; ++i) {
        handler.Speak("Hello", 5);
        play(10);
    }
    done.store(true);
    stopper.join();
    handler.Stop();
    EXPECT_FALSE(handler.IsSpeaking());
    EXPECT_EQ(handler.playback().chunksInMixer(), 0u);
    handler.Speak("after", 5);
    EXPECT_TRUE(handler.IsSpeaking()) << "the races left the channel usable";
}

TEST_F(SpeechHandlerTest, ANewTextReplacesTheOneBeingSpoken) {
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    handler.Speak("first", 5);
    handler.Speak("second", 6);
    EXPECT_EQ(handler.playback().chunksInMixer(), 1u);
    play(400);
    EXPECT_FALSE(handler.IsSpeaking());
    // The first text is heard only as far as the device held it when the second came.
    const std::vector<int16_t> heard = heardSamples(output());
    const std::vector<int16_t> tone = headlessTone();
    ASSERT_GE(heard.size(), tone.size());
    EXPECT_LT(heard.size(), 2 * tone.size());
    EXPECT_TRUE(std::equal(tone.begin(), tone.end(), heard.end() - ptrdiff_t(tone.size())));
}

TEST_F(SpeechHandlerTest, TheFlagStaysUpWhileNewTextsReplaceTheOneBeingSpoken) {
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    handler.Speak("first", 5);
    ASSERT_TRUE(handler.IsSpeaking());
    // The device is not played, so speech is under way throughout: any fall is seen.
    std::atomic<bool> done{false};
    std::atomic<int> falls{0};
    std::thread watcher([&] {
        while (!done.load())
            if (!handler.IsSpeaking()) falls.fetch_add(1);
    });
    for (int i = 0; i < 1000; ++i) handler.Speak("again", 5);
    done.store(true);
    watcher.join();
    EXPECT_EQ(falls.load(), 0);
}

TEST_F(SpeechHandlerTest, SpeechIsHeardAgainWhenTheMixerHasStartedAgain) {
    struct Case {
        const char* what;
        bool playedOut;
    };
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    for (const Case c : {Case{"after the speech was played", true}, Case{"while speech was queued", false}}) {
        SCOPED_TRACE(c.what);
        handler.Speak("Hello", 5);
        if (c.playedOut) play(300);
        stop();
        start(mixertest::testSettings(16));
        EXPECT_FALSE(handler.IsSpeaking()) << "the mixer's shutdown finished what it held";
        handler.Speak("again", 5);
        EXPECT_TRUE(handler.IsSpeaking());
        play(300);
        EXPECT_FALSE(handler.IsSpeaking());
        EXPECT_EQ(heardSamples(output()), headlessTone());
    }
}

TEST_F(SpeechHandlerTest, WithoutAMixerNothingStaysSpeaking) {
    stop();
    SpeechHandler handler(backend_, surroundings());
    ASSERT_TRUE(handler.SetVoice(0));
    handler.Speak("Hello", 5);
    EXPECT_EQ(backend_.requests().size(), 1u);
    EXPECT_FALSE(handler.IsSpeaking());
}

TEST_F(SpeechHandlerTest, TheListLivesInTheUsersFolderAskedForAtFirstUse) {
    {
        SpeechHandler handler(backend_, surroundings());
        EXPECT_TRUE(foldersAsked.empty()) << "no user may be chosen yet at construction";
        ASSERT_TRUE(handler.AddPronunciation("gif", "jif"));
        EXPECT_EQ(foldersAsked, std::vector<u16>{kSpeechListFolder});
    }
    EXPECT_EQ(fileList(), (std::vector<Pronunciation>{{"gif", "jif", 0, 0}}));
}

// Each child's words go into that child's own list, however often the users change.
TEST_F(SpeechHandlerTest, TheListFollowsTheUserWhoIsLoggedIn) {
    fs::create_directories(root_ + "/Ann");
    fs::create_directories(root_ + "/Ben");
    ASSERT_EQ(savePronunciationFile("T:\\Ben\\Words.dic", {{"gif", "jif", 0, 0}}), kSysOk);
    std::string user = "Ann";
    {
        SpeechHandler handler(backend_, {[&](u16) { return "T:\\" + user + "\\"; }, {}});
        ASSERT_TRUE(handler.SetVoice(0));
        ASSERT_TRUE(handler.AddPronunciation("tomato", "tomahto"));
        user = "Ben";
        handler.Speak("gif tomato", 10);
        EXPECT_EQ(backend_.requests().back().text, "jif tomato") << "Ben's words, not Ann's";
        ASSERT_TRUE(handler.AddPronunciation("queso", "keso"));
        user = "Ann";
        handler.Speak("tomato queso", 12);
        EXPECT_EQ(backend_.requests().back().text, "tomahto queso");
    }
    PronunciationDecoding ann, ben;
    ASSERT_EQ(loadPronunciationFile("T:\\Ann\\Words.dic", ann), kSysOk);
    ASSERT_EQ(loadPronunciationFile("T:\\Ben\\Words.dic", ben), kSysOk);
    EXPECT_EQ(ann.entries, (std::vector<Pronunciation>{{"tomato", "tomahto", 0, 0}}));
    EXPECT_EQ(ben.entries, (std::vector<Pronunciation>{{"gif", "jif", 0, 0}, {"queso", "keso", 0, 0}}));
}

TEST_F(SpeechHandlerTest, WithoutAUsersFolderTheListStaysInMemoryAndTheSaveReportsIt) {
    SpeechHandler handler(backend_, {[](u16) { return std::string(); }, {}});
    ASSERT_TRUE(handler.SetVoice(0));
    ASSERT_TRUE(handler.AddPronunciation("gif", "jif"));
    handler.Speak("x", 1);
    handler.SetEnabled(true);
    handler.Speak("gif", 3);
    EXPECT_EQ(handler.lastSaveError(), kSysPathNotFound);
    EXPECT_EQ(backend_.requests().back().text, "jif");
}

TEST_F(SpeechHandlerTest, MissingSpeechIsToldOnceAtTheFirstSpeak) {
    struct Case {
        const char* what;
        bool standsIn;
        int notices;
    };
    for (const Case c : {Case{"real speech", false, 0}, Case{"a stand-in", true, 1}}) {
        SCOPED_TRACE(c.what);
        missingNotices = 0;
        HeadlessSpeechBackend backend(c.standsIn);
        SpeechHandler handler(backend, surroundings());
        ASSERT_TRUE(handler.AddPronunciation("gif", "jif"));
        EXPECT_EQ(missingNotices, 0) << "adding a word tells nothing";
        ASSERT_TRUE(handler.SetVoice(0));
        handler.Speak("one", 3);
        handler.Speak("two", 3);
        EXPECT_EQ(missingNotices, c.notices);
    }
}

TEST_F(SpeechHandlerTest, TheProcessWideHandlerLivesFromGetInstanceToDestroyInstance) {
    setSpeechBackend(&backend_);
    SetSpeechSurroundings(surroundings());
    ASpeechHandler* handler = ASpeechHandler::GetInstance();
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(ASpeechHandler::GetInstance(), handler);
    ASSERT_TRUE(handler->SetVoice(0));
    ASSERT_TRUE(handler->AddPronunciation("gif", "jif"));
    handler->Speak("gif", 3);
    EXPECT_TRUE(handler->IsSpeaking());
    ASpeechHandler::DestroyInstance();
    EXPECT_EQ(fileList(), (std::vector<Pronunciation>{{"gif", "jif", 0, 0}})) << "destruction writes the list";
    EXPECT_EQ(backend_.requests().back().text, "jif");
    SetSpeechSurroundings({});
    setSpeechBackend(nullptr);
}

}  // namespace
