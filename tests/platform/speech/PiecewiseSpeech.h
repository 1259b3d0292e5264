#pragma once
// A backend that renders in pieces, as espeak-ng does: a ramp of kPieces pieces of kPiece
// samples, calling the audio's grew after each and then `afterPiece`; told to, it fails
// instead of rendering piece `failAt`.
#include <functional>

#include "platform/speech/headless/HeadlessSpeech.h"

namespace plat {

class PiecewiseSpeechBackend : public HeadlessSpeechBackend {
public:
    static constexpr size_t kPiece = 1500;
    static constexpr size_t kPieces = 8;

    bool render(const SpeechVoice& voice, std::string_view text, const std::atomic<bool>& cancel,
                SpeechAudio& out) override {
        if (!HeadlessSpeechBackend::render(voice, text, cancel, out)) return false;
        out.samples.clear();
        for (size_t piece = 0; piece < kPieces; ++piece) {
            if (piece == failAt || cancel.load()) {
                out.samples.clear();
                return false;
            }
            for (size_t i = 0; i < kPiece; ++i) out.samples.push_back(sampleAt(piece * kPiece + i));
            if (out.grew) out.grew();
            if (afterPiece) afterPiece();
        }
        return true;
    }
    static std::vector<int16_t> whole() {
        std::vector<int16_t> all(kPiece * kPieces);
        for (size_t i = 0; i < all.size(); ++i) all[i] = sampleAt(i);
        return all;
    }

    size_t failAt = kPieces;
    std::function<void()> afterPiece;

private:
    static int16_t sampleAt(size_t i) { return int16_t(1000 + i % 977); }
};

}  // namespace plat
