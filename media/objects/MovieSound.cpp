#include "media/objects/MovieSound.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "media/objects/WavePlay.h"

MovieSound::~MovieSound() { Stop(); }

swf::Result MovieSound::Start() {
    Stop();
    if (!movie_) return swf::kErrBadData;
    // The mixer's thread only reads the movie's player: an edited movie gets its player on the
    // first playback call, made here, on this thread, before the mixer can ask for samples.
    (void)qtGetMovieRate(movie_.get());
    auto* player = new (std::nothrow) WavePlay(this);
    if (!player) return swf::kErrMemory;
    player->AddRef();
    player_ = player;
    const swf::Result result = player_->Play(0, 1);
    if (result != swf::kOk) Stop();
    return result;
}

void MovieSound::Stop() {
    if (!player_) return;
    swf::i_waveplay* player = player_;
    player_ = nullptr;
    player->Stop();
    player->Release();
}

swf::Result MovieSound::QueryInterface(const std::type_info& id, void** out) {
    if (!out) return swf::kErrNoInterface;
    *out = id == typeid(swf::i_wavedata) ? static_cast<swf::i_wavedata*>(this) : nullptr;
    if (!*out) return swf::kErrNoInterface;
    AddRef();
    return swf::kOk;
}

// The end of play: the player goes, the movie stays.
void MovieSound::Destroy() { Stop(); }

swf::Result MovieSound::GetFormat(u16& channels, u16& bitsPerSample, u32& sampleRate, u32& sampleCount) {
    channels = u16(plat::media::kMrMovieSoundChannels);
    bitsPerSample = 16;
    sampleRate = u32(plat::media::kMrMovieSoundRate);
    const i64 scale = qtGetMovieTimeScale(movie_.get());
    const i64 left = i64(qtGetMovieDuration(movie_.get())) - qtGetMovieTime(movie_.get());
    sampleCount = scale > 0 && left > 0 ? u32(std::min<i64>(left * sampleRate / scale, 0xFFFFFFFF)) : 0;
    return sampleCount ? swf::kOk : swf::kErrBadData;
}

swf::Result MovieSound::ReadSamples(u32, u32 count, void* samples) {
    auto* out = static_cast<i16*>(samples);
    const u32 got = qtReadMovieSound(movie_.get(), out, count);
    std::memset(out + size_t(got) * plat::media::kMrMovieSoundChannels, 0,
                size_t(count - std::min(got, count)) * plat::media::kMrMovieSoundChannels * sizeof(i16));
    return swf::kOk;
}
