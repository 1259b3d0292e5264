// Archive waves composed into a movie as a DefineSound and a StartSound.
#include <algorithm>
#include <new>
#include <span>
#include <vector>

#include "engine/audio/format/AdpcmSeekTable.h"
#include "engine/audio/format/ArchiveWave.h"
#include "engine/audio/format/ImaAdpcm.h"
#include "media/swf/CharacterIds.h"
#include "media/swf/MovieBuilder.h"
#include "media/swf/SoundTags.h"

namespace swf {

namespace {

constexpr u16 kEncodingRaw = 255;
constexpr u32 kSoundRates[] = {5512, 11025, 22050, 44100};
constexpr u32 kPointRate = 44100;
// A DefineSound's length field holds its id, format byte and sample count (7 bytes) and the data.
constexpr u64 kMaxSoundDataBytes = 0xFFFFFFFFull - 7;

// The smallest rate the format names that keeps every sample, or the highest.
u32 SoundRateFor(u32 rate) {
    for (u32 r : kSoundRates)
        if (r >= rate) return r;
    return kSoundRates[3];
}

// Frames at another rate, each channel's samples interpolated between the two nearest.
template <class Sample>
std::vector<Sample> Resample(const std::vector<Sample>& in, u32 channels, u32 fromRate, u32 toRate, u32& frames) {
    const u64 outFrames = u64(frames) * toRate / fromRate;
    std::vector<Sample> out(size_t(outFrames) * channels);
    for (u64 f = 0; f < outFrames; ++f) {
        const u64 position = (f * fromRate << 16) / toRate;
        const u64 first = std::min<u64>(position >> 16, frames - 1), second = std::min<u64>(first + 1, frames - 1);
        const i64 fraction = i64(position & 0xFFFF);
        for (u32 c = 0; c < channels; ++c) {
            const i64 a = in[first * channels + c], b = in[second * channels + c];
            out[f * channels + c] = Sample(a + (((b - a) * fraction) >> 16));
        }
    }
    frames = u32(outFrames);
    return out;
}

// A wave position at the wave's rate as a position at 44100 Hz, through a 16.16 time.
u32 ToPointRate(u32 position, u32 rate) {
    const u64 seconds = (u64(position) << 16) / rate;
    return u32(std::min<u64>(seconds * kPointRate >> 16, 0xFFFFFFFFu));
}

}  // namespace

Result MovieBuilder::AddSound(const u8* image, u32 size) {
    ArchiveWaveInfo wave;
    if (!image || readArchiveWave(std::span<const u8>(image, size), &wave) != 0) return Keep(kErrBadData);
    if (wave.sampleRate == 0 || wave.channels < 1 || wave.channels > 2 || wave.frames == 0) return Keep(kErrBadData);
    const u8* samples = image + wave.sampleOffset;
    u32 frames = wave.frames;
    const u32 channels = wave.channels;
    u32 bits = wave.bits;
    // The samples, as the movie format stores them, before any change of rate.
    std::vector<i16> wide;
    std::vector<u8> narrow;
    try {
        if (wave.encoding == kWaveEncodingPcm || wave.encoding == kEncodingRaw) {
            if (bits != 8 && bits != 16) return Keep(kErrBadData);
            if (u64(bits / 8) * channels * frames > wave.sampleBytes) return Keep(kErrBadData);
            if (bits == 8) {
                narrow.assign(samples, samples + size_t(frames) * channels);
            } else {
                wide.resize(size_t(frames) * channels);
                for (size_t i = 0; i < wide.size(); ++i) {
                    const u8* s = samples + 2 * i;
                    // Encoding 0 stores big-endian samples; raw ones are kept as they are.
                    wide[i] = wave.encoding == kWaveEncodingPcm ? i16(s[0] << 8 | s[1]) : i16(s[1] << 8 | s[0]);
                }
            }
        } else if (wave.encoding == kWaveEncodingImaAdpcm) {
            if (imaBytesForFrames(frames, u16(channels)) > wave.sampleBytes) return Keep(kErrBadData);
            ImaChannelState states[2] = {};
            for (const WaveChunk& chunk : wave.extraChunks) {
                std::vector<AdpcmSeekEntry> entries;
                if (chunk.tag == kWaveAdpcmChunk && parseAdpcmSeekTable(chunk.data, u16(channels), &entries) &&
                    !entries.empty())
                    std::copy(entries[0].channels.begin(), entries[0].channels.begin() + channels, states);
            }
            std::vector<i16> decoded(size_t(frames) * channels);
            imaDecode(samples, false, frames, u16(channels), states, decoded.data());
            narrow.resize(decoded.size());
            for (size_t i = 0; i < decoded.size(); ++i) narrow[i] = u8((decoded[i] >> 8) + 128);
            bits = 8;
        } else {
            return Keep(kErrBadData);
        }
        const u32 rate = SoundRateFor(wave.sampleRate);
        // The tag counts its samples and its length in 32 bits: a very slow wave raised to a
        // movie rate could pass both, so it is refused before anything is made.
        const u64 movieFrames = u64(frames) * rate / wave.sampleRate;
        if (movieFrames * channels * (bits / 8) > kMaxSoundDataBytes) return Keep(kErrBadData);
        if (rate != wave.sampleRate) {
            u32 resampled = frames;
            if (bits == 16) wide = Resample(wide, channels, wave.sampleRate, rate, resampled);
            else narrow = Resample(narrow, channels, wave.sampleRate, rate, resampled);
            frames = resampled;
        }
        std::vector<u8> data;
        if (bits == 16) {
            data.resize(wide.size() * 2);
            for (size_t i = 0; i < wide.size(); ++i) {
                data[2 * i] = u8(wide[i]);
                data[2 * i + 1] = u8(u16(wide[i]) >> 8);
            }
        } else {
            data = std::move(narrow);
        }

        document& movie = *document_;
        const u16 id = NextFreeCharacterId(UsedCharacterIds(movie));
        if (id == 0) return Keep(kErrBadData);
        auto* define = new (std::nothrow) tagDefineSound;
        auto* start = new (std::nothrow) tagStartSound;
        if (!define || !start) {
            delete define;
            delete start;
            return Keep(kErrMemory);
        }
        define->format = kSoundFormatRaw;
        define->rate = rate;
        define->bitsPerSample = u8(bits);
        define->channels = u8(channels);
        define->sampleCount = frames;
        SoundInfo info;
        info.soundId = id;
        if (wave.loopCount != 0) {
            info.flags = kSoundHasInPoint | kSoundHasOutPoint | kSoundHasLoops;
            info.loops = 0xFFFF;
            info.inPoint = ToPointRate(wave.loopStart, wave.sampleRate);
            info.outPoint = ToPointRate(wave.loopEnd ? wave.loopEnd : wave.frames, wave.sampleRate);
        }
        Result result = define->SetSamples(data.data(), u32(data.size()));
        if (result == kOk) result = start->SetUse(info);
        if (result != kOk) {
            delete define;
            delete start;
            return Keep(result);
        }
        SetCursorToFrame();
        define->SetCharacterId(id);
        define->Link(&movie);
        start->Link(&movie);
    } catch (const std::bad_alloc&) {
        return Keep(kErrMemory);
    }
    return Keep(kOk);
}

}  // namespace swf
