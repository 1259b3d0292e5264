// What the speech benchmarks share: the text they speak, its length from SPEECH_BENCH_CHARS
// (2000 when unset), and the espeak-ng backend made once for the whole run.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/speech/espeak/EspeakSpeech.h"

namespace speechbench {

inline size_t textLength() {
    const char* chars = std::getenv("SPEECH_BENCH_CHARS");
    return chars ? size_t(std::strtoul(chars, nullptr, 10)) : 2000;
}

inline std::string sampleText(size_t length) {
    static const std::string kSentence = "The little red hen found a grain of wheat and planted it in the garden. ";
    std::string text;
    while (text.size() < length) text += kSentence;
    text.resize(length);
    return text;
}

inline plat::SpeechBackend* espeak() {
    static std::unique_ptr<plat::SpeechBackend> backend = plat::makeEspeakSpeechBackend();
    return backend.get();
}

}  // namespace speechbench
