#pragma once
// Spoken sounds made at build time with espeak-ng: letter and sign names for the alphabet
// stamps, the help pages' explanations. The engine carries state from one utterance into the
// next (the same text comes out a few samples different the second time), so each batch of
// texts is spoken by a freshly started engine in a child process: the same texts in the same
// order and voice give the same samples whatever was spoken before, in whatever order the
// items are built. The child is the `contentspeak` program started with exec, since a bare
// fork of the multi-threaded generator can copy a lock another thread holds and hang.
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

struct SpokenSound {
    std::vector<i16> samples;  // mono
    u32 rate = 0;
};

// `voice` is an espeak-ng voice name ("en", "es"). Throws std::runtime_error when the speech
// engine or the voice cannot be had, or the text gives no sound.
SpokenSound speakText(const std::string& text, const std::string& voice);
// The texts spoken one after the other by one engine; one sound per text, in order.
std::vector<SpokenSound> speakTexts(const std::vector<std::string>& texts, const std::string& voice);

// A batch of texts being spoken in a child process from its construction on; `finish`
// collects the sounds (once) and throws like speakTexts. Destroying an unfinished batch ends
// its child.
class SpeechBatch {
public:
    SpeechBatch(std::vector<std::string> texts, const std::string& voice);
    SpeechBatch(const SpeechBatch&) = delete;
    SpeechBatch& operator=(const SpeechBatch&) = delete;
    ~SpeechBatch();
    std::vector<SpokenSound> finish();

private:
    std::vector<std::string> texts_;
    std::string voice_;
    int child_ = -1;  // the process id
    int fd_ = -1;
};
