#include "platform/media/playback/MovieSoundDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>

namespace plat::media {

MovieSoundDecoder::~MovieSoundDecoder() {
    swr_free(&converter_);
    av_frame_free(&frame_);
}

MrErr MovieSoundDecoder::open(std::shared_ptr<const MovieInput> input, int32_t rate, int32_t channels,
                              std::unique_ptr<MovieSoundDecoder>* out) {
    if (channels < 0 || channels > 2 || (rate != 0 && (rate < kMovieSoundMinRate || rate > kMovieSoundMaxRate)))
        return kMrParamErr;
    std::unique_ptr<MovieSoundDecoder> s(new MovieSoundDecoder);
    const MrErr err = MovieDemuxer::open(std::move(input), MovieStreamKind::sound, &s->demuxer_);
    if (err != kMrNoErr) return err;
    AVCodecContext* codec = s->demuxer_->codec();
    if (codec->sample_rate < kMovieSoundMinRate || codec->sample_rate > kMovieSoundMaxRate ||
        codec->ch_layout.nb_channels <= 0)
        return kMrBadFormat;
    s->rate_ = rate ? rate : codec->sample_rate;
    s->channels_ = channels ? channels : std::min(codec->ch_layout.nb_channels, 2);
    AVChannelLayout outLayout;
    av_channel_layout_default(&outLayout, s->channels_);
    const int made = swr_alloc_set_opts2(&s->converter_, &outLayout, AV_SAMPLE_FMT_S16, s->rate_, &codec->ch_layout,
                                         codec->sample_fmt, codec->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&outLayout);
    if (made < 0) return kMrNoCodec;
    // Mono goes to both sides as it was recorded and stereo to mono as the mean of its sides,
    // not at the resampler's default centre level.
    const int inChannels = codec->ch_layout.nb_channels;
    if (inChannels == 1 && s->channels_ == 2) {
        const double both[2] = {1.0, 1.0};
        swr_set_matrix(s->converter_, both, 1);
    } else if (inChannels == 2 && s->channels_ == 1) {
        const double mean[2] = {0.5, 0.5};
        swr_set_matrix(s->converter_, mean, 2);
    }
    if (swr_init(s->converter_) < 0) return kMrNoCodec;
    s->frame_ = av_frame_alloc();
    if (!s->frame_) return kMrMemFullErr;
    const AVStream* stream = s->demuxer_->stream();
    if (stream->duration > 0)
        s->frames_ = av_rescale_q(stream->duration, stream->time_base, AVRational{1, s->rate_});
    *out = std::move(s);
    return kMrNoErr;
}

bool MovieSoundDecoder::flushConverter(std::vector<int16_t>& samples) {
    const int waiting = int(std::min<int64_t>(swr_get_delay(converter_, rate_) + 64, 1 << 20));
    if (waiting <= 0 || next_ < 0) return false;
    const size_t before = samples.size();
    samples.resize(before + size_t(waiting) * size_t(channels_));
    auto* out = reinterpret_cast<uint8_t*>(samples.data() + before);
    const int got = std::max(swr_convert(converter_, &out, waiting, nullptr, 0), 0);
    const int64_t drop = std::clamp<int64_t>(target_ - next_, 0, got);
    next_ += got;
    const auto first = samples.begin() + std::ptrdiff_t(before);
    samples.erase(first + std::ptrdiff_t(int64_t(got) * channels_), samples.end());
    samples.erase(first, first + std::ptrdiff_t(drop * channels_));
    return got > drop;
}

void MovieSoundDecoder::seekTo(int64_t frame) {
    target_ = std::max<int64_t>(frame, 0);
    next_ = -1;
    const AVStream* stream = demuxer_->stream();
    demuxer_->seek(av_rescale_q(target_, AVRational{1, rate_}, stream->time_base));
    // What the resampler held belongs to the old position: starting it again drops it.
    swr_init(converter_);
}

bool MovieSoundDecoder::decodeChunk(std::vector<int16_t>& samples) {
    for (;;) {
        if (demuxer_->decodeNext(frame_) != 0) return flushConverter(samples);
        if (next_ < 0) {
            const int64_t start = frame_->best_effort_timestamp != AV_NOPTS_VALUE ? frame_->best_effort_timestamp : 0;
            next_ = av_rescale_q(start, demuxer_->stream()->time_base, AVRational{1, rate_});
        }
        const int capacity = swr_get_out_samples(converter_, frame_->nb_samples);
        if (capacity <= 0) {
            av_frame_unref(frame_);
            continue;
        }
        const size_t before = samples.size();
        samples.resize(before + size_t(capacity) * size_t(channels_));
        auto* out = reinterpret_cast<uint8_t*>(samples.data() + before);
        const int got = swr_convert(converter_, &out, capacity, const_cast<const uint8_t**>(frame_->extended_data),
                                    frame_->nb_samples);
        av_frame_unref(frame_);
        const int64_t produced = std::max(got, 0);
        // Samples before the wanted position (the seek lands on the packet that holds it) are dropped.
        const int64_t drop = std::clamp<int64_t>(target_ - next_, 0, produced);
        next_ += produced;
        const auto first = samples.begin() + std::ptrdiff_t(before);
        samples.erase(first + std::ptrdiff_t((produced) * channels_), samples.end());
        samples.erase(first, first + std::ptrdiff_t(drop * channels_));
        if (produced > drop) return true;
    }
}

}  // namespace plat::media
