#include "text/speech/SpeechPlayback.h"

SpeechPlayback::~SpeechPlayback() {
    std::lock_guard lock(mutex_);
    close();
}

void SpeechPlayback::MixerCallback(PcmMixHandle, u32 message, uintptr_t instance, uintptr_t, uintptr_t) {
    // On the device thread with the device locked, or in the mixer's shut-down: only note.
    auto* playback = reinterpret_cast<SpeechPlayback*>(instance);
    if (message == plat::kWaveOutDone) playback->inMixer_.fetch_sub(1);
    if (message == plat::kWaveOutClosed) playback->closedByMixer_.store(true);
}

u16 SpeechPlayback::play(bool rest) {
    std::lock_guard lock(mutex_);
    // Odd while the queue is replaced: the old chunks' count falls and the speaker's flag
    // falls with its last samples before the new chunks are counted.
    replacements_.fetch_add(1);
    takeBackChunks();
    u16 error = openFor(speaker_.sampleRate());
    if (!error) error = writeQueued(rest);
    if (error) dropAll();
    replacements_.fetch_add(1);
    return error;
}

u16 SpeechPlayback::playMore(bool rest) {
    std::lock_guard lock(mutex_);
    // Odd too while chunks are added: the speaker's flag falls with its last samples before
    // the chunk holding them is counted.
    replacements_.fetch_add(1);
    // A mixer shut down since has closed the channel and taken its chunks back itself.
    const u16 error = handle_ && !closedByMixer_.load() ? writeQueued(rest) : plat::kMmErrInvalidHandle;
    if (error) dropAll();
    replacements_.fetch_add(1);
    return error;
}

u16 SpeechPlayback::writeQueued(bool rest) {
    u16 error = plat::kMmNoError;
    while (!error && (rest || speaker_.available() >= kChunkFrames)) {
        auto chunk = std::make_unique<Chunk>();
        chunk->samples.resize(kChunkFrames);
        const uint32_t pulled = speaker_.pull(chunk->samples.data(), kChunkFrames);
        if (pulled == 0) break;
        chunk->samples.resize(pulled);
        chunk->header.data = reinterpret_cast<uint8_t*>(chunk->samples.data());
        chunk->header.bufferLength = pulled * uint32_t(sizeof(int16_t));
        error = pcmMixPrepareHeader(handle_, &chunk->header, kPcmMixHeaderSize);
        if (error) break;
        inMixer_.fetch_add(1);
        error = pcmMixWrite(handle_, &chunk->header, kPcmMixHeaderSize);
        chunks_.push_back(std::move(chunk));
        if (error) inMixer_.fetch_sub(1);
    }
    return error;
}

void SpeechPlayback::dropAll() {
    speaker_.stop();
    takeBackChunks();
}

bool SpeechPlayback::isSpeaking() const {
    for (;;) {
        const uint32_t before = replacements_.load();
        if (before & 1) return true;
        // Outside a replacement the count only falls and the speaker's flag only rises
        // before it is played, so reading the count first never misses both.
        const bool speaking = inMixer_.load() > 0 || speaker_.isSpeaking();
        if (replacements_.load() == before) return speaking;
    }
}

void SpeechPlayback::stop() {
    speaker_.stop();
    std::lock_guard lock(mutex_);
    takeBackChunks();
}

u16 SpeechPlayback::openFor(uint32_t sampleRate) {
    if (handle_ && handleRate_ == sampleRate) return plat::kMmNoError;
    close();
    const plat::WaveFormat format = plat::makePcmFormat(sampleRate, 1, 16);
    const u16 error = pcmMixOpen(&handle_, plat::kWaveMapper, &format, &SpeechPlayback::MixerCallback,
                                 reinterpret_cast<uintptr_t>(this), kPcmMixCallbackFunction | kPcmMixNativeOrder);
    if (error) {
        handle_ = nullptr;
        return error;
    }
    handleRate_ = sampleRate;
    return plat::kMmNoError;
}

void SpeechPlayback::takeBackChunks() {
    // A mixer shut down since has closed the channel itself, handing its chunks back; a
    // mixer started again needs a channel of its own.
    if (closedByMixer_.exchange(false)) {
        handle_ = nullptr;
        handleRate_ = 0;
    }
    // A reset hands every queued chunk back as done, so none is in the mixer afterwards.
    if (handle_) pcmMixReset(handle_);
    for (auto& chunk : chunks_)
        if (handle_ && (chunk->header.flags.load() & plat::kWaveHeaderPrepared))
            pcmMixUnprepareHeader(handle_, &chunk->header, kPcmMixHeaderSize);
    chunks_.clear();
    inMixer_.store(0);
}

void SpeechPlayback::close() {
    takeBackChunks();
    if (handle_) pcmMixClose(handle_);
    closedByMixer_.store(false);
    handle_ = nullptr;
    handleRate_ = 0;
}
