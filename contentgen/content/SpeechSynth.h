#pragma once
// Spoken sounds made at build time with espeak-ng: letter and sign names for the alphabet
// stamps. The engine carries state from one utterance into the next (the same text comes
// out a few samples different the second time), so each text is spoken by a freshly started
// engine in a child process: the same text and voice give the same samples whatever was
// spoken before, in whatever order the items are built. The child is the `contentspeak` program,
// started with exec, since a bare fork of the multi-threaded generator can copy a lock another
// thread holds and hang.
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
