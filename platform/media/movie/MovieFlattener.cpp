#include "platform/media/movie/MovieFlattener.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "platform/media/JpegCoding.h"
#include "platform/media/movie/MovieCompositor.h"
#include "platform/media/movie/MoviePosterMarks.h"
#include "platform/media/movie/MovieSoundMix.h"

namespace plat::media {

namespace {

// Sound is encoded this many frames at a time (the IMA 4:1 packet size).
constexpr int kImaFrames = 64;

struct Muxer {
    AVFormatContext* format = nullptr;
    AVStream* video = nullptr;
    AVStream* sound = nullptr;
    // The movie's poster picture, a track of its own.
    AVStream* poster = nullptr;
    AVCodecContext* encoder = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    bool headerWritten = false;

    ~Muxer() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
        if (format) {
            if (format->pb) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

// A Photo-JPEG stream of the box's size.
AVStream* newPictureStream(Muxer& mux, const MrMovie& movie, const MrRect& box) {
    AVStream* stream = avformat_new_stream(mux.format, nullptr);
    if (!stream) return nullptr;
    stream->time_base = AVRational{1, int(movie.timeScale)};
    AVCodecParameters* video = stream->codecpar;
    video->codec_type = AVMEDIA_TYPE_VIDEO;
    video->codec_id = AV_CODEC_ID_MJPEG;
    video->codec_tag = MKTAG('j', 'p', 'e', 'g');
    video->width = widthOf(box);
    video->height = heightOf(box);
    video->format = AV_PIX_FMT_YUVJ420P;
    return stream;
}

MrErr openMuxer(Muxer& mux, const std::string& path, const MrMovie& movie, const MrRect& box, bool withSound,
                bool withPoster) {
    if (avformat_alloc_output_context2(&mux.format, nullptr, "mov", path.c_str()) < 0) return kMrMemFullErr;
    mux.packet = av_packet_alloc();
    if (!mux.packet) return kMrMemFullErr;
    if (widthOf(box) > 0 && heightOf(box) > 0 && !(mux.video = newPictureStream(mux, movie, box))) return kMrMemFullErr;
    if (withSound) {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_ADPCM_IMA_QT);
        if (!codec) return kMrNoCodec;
        mux.encoder = avcodec_alloc_context3(codec);
        mux.frame = av_frame_alloc();
        if (!mux.encoder || !mux.frame) return kMrMemFullErr;
        mux.encoder->sample_rate = kMixRate;
        mux.encoder->sample_fmt = AV_SAMPLE_FMT_S16P;
        av_channel_layout_default(&mux.encoder->ch_layout, kMixChannels);
        mux.encoder->time_base = AVRational{1, kMixRate};
        if (avcodec_open2(mux.encoder, codec, nullptr) < 0) return kMrNoCodec;
        mux.sound = avformat_new_stream(mux.format, nullptr);
        if (!mux.sound) return kMrMemFullErr;
        mux.sound->time_base = AVRational{1, kMixRate};
        if (avcodec_parameters_from_context(mux.sound->codecpar, mux.encoder) < 0) return kMrMemFullErr;
        mux.frame->format = AV_SAMPLE_FMT_S16P;
        mux.frame->nb_samples = kImaFrames;
        av_channel_layout_copy(&mux.frame->ch_layout, &mux.encoder->ch_layout);
        if (av_frame_get_buffer(mux.frame, 0) < 0) return kMrMemFullErr;
    }
    if (withPoster && mux.video && !(mux.poster = newPictureStream(mux, movie, box))) return kMrMemFullErr;
    if (avio_open(&mux.format->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return kMrWriteErr;
    if (avformat_write_header(mux.format, nullptr) < 0) return kMrWriteErr;
    mux.headerWritten = true;
    return kMrNoErr;
}

MrErr writeVideo(Muxer& mux, AVStream* stream, const std::vector<uint8_t>& jpeg, int64_t start, int64_t duration,
                 int64_t timeScale) {
    av_packet_unref(mux.packet);
    if (av_new_packet(mux.packet, int(jpeg.size())) < 0) return kMrMemFullErr;
    std::memcpy(mux.packet->data, jpeg.data(), jpeg.size());
    mux.packet->stream_index = stream->index;
    mux.packet->pts = mux.packet->dts = start;
    mux.packet->duration = duration;
    mux.packet->flags |= AV_PKT_FLAG_KEY;
    // The muxer picks the stream's own time base when it writes the header.
    av_packet_rescale_ts(mux.packet, AVRational{1, int(timeScale)}, stream->time_base);
    return av_interleaved_write_frame(mux.format, mux.packet) < 0 ? kMrWriteErr : kMrNoErr;
}

MrErr drainSound(Muxer& mux) {
    for (;;) {
        const int got = avcodec_receive_packet(mux.encoder, mux.packet);
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return kMrNoErr;
        if (got < 0) return kMrBadFormat;
        mux.packet->stream_index = mux.sound->index;
        av_packet_rescale_ts(mux.packet, mux.encoder->time_base, mux.sound->time_base);
        if (av_interleaved_write_frame(mux.format, mux.packet) < 0) return kMrWriteErr;
    }
}

// Sound frames [from, to) of the mix, in encoder packets (the last one padded with silence).
MrErr writeSound(Muxer& mux, const MrMovie& movie, int64_t from, int64_t to) {
    std::vector<int16_t> mixed(size_t(kImaFrames) * kMixChannels);
    for (int64_t at = from; at < to; at += kImaFrames) {
        const int64_t count = std::min<int64_t>(kImaFrames, to - at);
        std::fill(mixed.begin(), mixed.end(), int16_t(0));
        mixMovieSound(movie, at, count, mixed.data());
        if (av_frame_make_writable(mux.frame) < 0) return kMrMemFullErr;
        for (int c = 0; c < kMixChannels; ++c) {
            auto* plane = reinterpret_cast<int16_t*>(mux.frame->data[c]);
            for (int i = 0; i < kImaFrames; ++i) plane[i] = mixed[size_t(i) * kMixChannels + size_t(c)];
        }
        mux.frame->pts = at;
        if (avcodec_send_frame(mux.encoder, mux.frame) < 0) return kMrBadFormat;
        const MrErr err = drainSound(mux);
        if (err != kMrNoErr) return err;
    }
    return kMrNoErr;
}

MrErr finish(Muxer& mux, const MrMovie& movie, int64_t soundDone, int64_t duration) {
    MrErr err = kMrNoErr;
    if (mux.sound) {
        if ((err = writeSound(mux, movie, soundDone, (duration * kMixRate + movie.timeScale - 1) / movie.timeScale)) !=
            kMrNoErr)
            return err;
        if (avcodec_send_frame(mux.encoder, nullptr) < 0) return kMrBadFormat;
        if ((err = drainSound(mux)) != kMrNoErr) return err;
    }
    if (av_write_trailer(mux.format) < 0) return kMrWriteErr;
    avio_flush(mux.format->pb);
    return mux.format->pb->error < 0 ? kMrWriteErr : kMrNoErr;
}

MrErr writeMovie(Muxer& mux, const MrMovie& movie, const MrRect& box, int64_t duration) {
    if (!mux.video) return finish(mux, movie, 0, duration);
    Frame current, next;
    MrErr err = current.reset(widthOf(box), heightOf(box));
    if (err == kMrNoErr) err = next.reset(widthOf(box), heightOf(box));
    if (err != kMrNoErr) return err;
    MovieCompositor compositor(movie);
    std::vector<uint8_t> jpeg;
    if (mux.poster) {
        // The poster's picture from the poster time to the end.
        const int64_t at = std::min(movie.posterTime, duration - 1);
        if ((err = compositor.draw(at, current.map, box, kMrUsagePoster)) != kMrNoErr) return err;
        if ((err = jpegCompress(current.map, current.map.bounds, kFlattenJpegQuality, jpeg)) != kMrNoErr) return err;
        if ((err = writeVideo(mux, mux.poster, jpeg, at, duration - at, movie.timeScale)) != kMrNoErr) return err;
    }
    int64_t shownFrom = 0, soundDone = 0;
    if ((err = compositor.draw(0, current.map, box)) != kMrNoErr) return err;
    for (int64_t time = 0; time < duration;) {
        int64_t after = nextInterestingTime(movie, time);
        if (after < 0 || after > duration) after = duration;
        if (after < duration) {
            if ((err = compositor.draw(after, next.map, box)) != kMrNoErr) return err;
            // A picture that did not change only lengthens the sample shown.
            if (next.pixels == current.pixels) {
                time = after;
                continue;
            }
        }
        if ((err = jpegCompress(current.map, current.map.bounds, kFlattenJpegQuality, jpeg)) != kMrNoErr) return err;
        if ((err = writeVideo(mux, mux.video, jpeg, shownFrom, after - shownFrom, movie.timeScale)) != kMrNoErr) return err;
        if (mux.sound) {
            // Whole packets only, so that no padding falls between two pictures' sounds.
            const int64_t soundTo = after * kMixRate / movie.timeScale / kImaFrames * kImaFrames;
            if ((err = writeSound(mux, movie, soundDone, soundTo)) != kMrNoErr) return err;
            soundDone = soundTo;
        }
        std::swap(current.pixels, next.pixels);
        std::swap(current.map.base, next.map.base);
        shownFrom = time = after;
    }
    return finish(mux, movie, soundDone, duration);
}

// Whether a visual track is used for the movie's poster.
bool movieHasPoster(const MrMovie& movie) {
    for (const auto& track : movie.tracks)
        if (track->enabled && (track->usage & kMrUsagePoster) && track->media && isVisual(track->media->type))
            return true;
    return false;
}

// The written file reaches the disk before it replaces the target.
bool syncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

}  // namespace

std::string flattenTempPath(const std::string& target) { return target + std::string(kMovieWritingSuffix); }

MrErr flattenMovie(const MrMovie& movie, const char* path) {
    if (!path || !*path) return kMrParamErr;
    const int64_t duration = movie.duration();
    MrRect box = movieBox(movie);
    if (widthOf(movie.clip) > 0 && heightOf(movie.clip) > 0) box = movie.clip;
    const bool sound = movieHasSound(movie);
    const bool poster = movieHasPoster(movie);
    if (duration <= 0) return kMrInvalidDuration;
    if ((widthOf(box) <= 0 || heightOf(box) <= 0) && !sound) return kMrNotAMovie;
    const std::string temp = flattenTempPath(path);
    MrErr err;
    int32_t posterTrack = 0;
    {
        Muxer mux;
        try {
            err = openMuxer(mux, temp, movie, box, sound, poster);
            if (err == kMrNoErr) err = writeMovie(mux, movie, box, duration);
            posterTrack = mux.poster ? mux.poster->index + 1 : 0;
        } catch (const std::bad_alloc&) {
            err = kMrMemFullErr;
        }
        if (mux.format && mux.format->pb && avio_closep(&mux.format->pb) < 0 && err == kMrNoErr) err = kMrWriteErr;
    }
    if (err == kMrNoErr && posterTrack > 0)
        err = markMoviePoster(temp, posterTrack, std::min(movie.posterTime, duration - 1), movie.timeScale);
    if (err == kMrNoErr && !syncFile(temp)) err = kMrWriteErr;
    if (err == kMrNoErr && std::rename(temp.c_str(), path) != 0) err = kMrWriteErr;
    if (err != kMrNoErr) std::remove(temp.c_str());
    return err;
}

}  // namespace plat::media
