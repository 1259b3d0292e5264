// Plays whatever loads as a movie for a bounded number of steps: the root and every sprite
// timeline, gotos to frames and labels taken from the input, and every sound read through to
// its end as a host's player would. Nothing may hang, leak or touch freed memory.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/swf/Document.h"
#include "media/swf/Movie.h"
#include "media/swf/Player.h"
#include "media/swf/Sound.h"

namespace {

constexpr int kSteps = 24;
constexpr u32 kReadFrames = 1 << 11;
// Frames all the sounds of one input may read: a movie may start hundreds of sounds a frame.
constexpr u32 kInputReadFrames = 1 << 15;
u32 gFramesLeft = 0;

class ReadingPlay final : public swf::i_waveplay {
public:
    explicit ReadingPlay(swf::i_wavedata* source) : source_(source) {}
    u32 AddRef() override { return ++references_; }
    swf::Result QueryInterface(const std::type_info&, void** out) override {
        *out = nullptr;
        return swf::kErrNoInterface;
    }
    u32 Release() override {
        const u32 left = --references_;
        if (left == 0) delete this;
        return left;
    }
    // Reads the whole window in pieces, as the audio output would.
    swf::Result Play(u32, u16) override {
        u16 channels = 0, bits = 0;
        u32 rate = 0, count = 0;
        if (source_->GetFormat(channels, bits, rate, count) != swf::kOk) return swf::kErrBadData;
        std::vector<u8> buffer(size_t(256) * channels * (bits / 8 ? bits / 8 : 1) + 16);
        for (u32 at = 0; at < count && at < kReadFrames && gFramesLeft >= 256; at += 256, gFramesLeft -= 256)
            source_->ReadSamples(at, 256, buffer.data());
        return swf::kOk;
    }
    swf::Result Stop() override { return swf::kOk; }

private:
    swf::i_wavedata* source_;
    u32 references_ = 0;
};

class Host final : public swf::i_host {
public:
    u32 AddRef() override { return 1; }
    swf::Result QueryInterface(const std::type_info&, void** out) override {
        *out = nullptr;
        return swf::kErrNoInterface;
    }
    u32 Release() override { return 1; }
    swf::Result CreateWavePlay(swf::i_waveplay*& player, swf::i_wavedata* source) override {
        player = new ReadingPlay(source);
        player->AddRef();
        return swf::kOk;
    }
};

void StepTree(swf::movie& timeline, int depth) {
    if (depth > 4) return;
    timeline.AdvanceFrame();
    // Stepping may remove children; the list is walked again for each.
    for (int i = 0; i < 4; ++i) {
        int n = 0;
        swf::movie* child = timeline.FirstChild();
        while (child && n < i) child = child->NextSibling(), ++n;
        if (!child) break;
        StepTree(*child, depth + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFFFu) return 0;
    static Host host;
    swf::SetHost(&host);
    gFramesLeft = kInputReadFrames;
    swf::document movie;
    if (swf::LoadMovieFromMemory(movie, data, u32(size)) != swf::kOk) return 0;
    swf::player p(movie, nullptr);
    // Enough for every seed's frames; endless movies end their steps sooner.
    p.stepBudget = 1 << 14;
    p.nextFrameTime = 1;
    for (int step = 0; step < kSteps; ++step) {
        p.clock += 40;
        StepTree(p, 0);
        const u8 pick = size ? data[(step * 7919u) % size] : 0;
        if (pick % 5 == 0) p.GotoFrame(u16(pick % 7));
        if (pick % 11 == 0) p.GotoFrame(0xFFFF);
        if (pick % 13 == 0) p.GotoLabel("two");
        if (pick % 17 == 0) p.StopSounds();
    }
    return 0;
}
