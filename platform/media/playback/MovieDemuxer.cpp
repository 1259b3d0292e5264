#include "platform/media/playback/MovieDemuxer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace plat::media {

namespace {

constexpr int kIoBufferSize = 32768;
// No block a movie of ours needs comes near this (a picture of the largest side at four bytes a
// pixel is 64 MB); a damaged header that asks libav for more (a sample table of a hundred
// million entries in a movie of a few kilobytes) is refused, never reserved.
constexpr size_t kLargestBlock = size_t(96) << 20;
// How much of a movie is read, and for how long a stream is looked at, before its streams are
// known; a movie of ours says it all in its header.
constexpr const char* kProbeBytes = "1000000";
constexpr const char* kAnalyzeMicroseconds = "2000000";
// More streams than a movie of ours has by far, fewer than a damaged one can make libav keep.
constexpr const char* kMostStreams = "16";
constexpr const char* kLargestIndexBytes = "4000000";

// libavformat reports damaged data on stderr; our callers get a result code instead. Nothing
// else in the process uses libav, so its largest allocation is ours to bound.
void setUpLibav() {
    static std::once_flag once;
    std::call_once(once, [] {
        av_log_set_level(AV_LOG_QUIET);
        av_max_alloc(kLargestBlock);
    });
}

// Options that hold a damaged movie's demands down.
AVDictionary* boundedFormatOptions() {
    AVDictionary* options = nullptr;
    av_dict_set(&options, "probesize", kProbeBytes, 0);
    av_dict_set(&options, "analyzeduration", kAnalyzeMicroseconds, 0);
    av_dict_set(&options, "max_streams", kMostStreams, 0);
    av_dict_set(&options, "max_index_size", kLargestIndexBytes, 0);
    return options;
}

// A decoder never makes a picture larger than the largest we accept.
std::string largestPicture() { return std::to_string(int64_t(kMovieMaxSide) * kMovieMaxSide); }

// The demuxer never opens another file or address of its own.
int refuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) { return AVERROR(EPERM); }

// The streams' parameters, each stream's decoder held to our largest picture.
int findStreamInfo(AVFormatContext* format) {
    std::vector<AVDictionary*> perStream(format->nb_streams, nullptr);
    for (AVDictionary*& options : perStream) {
        av_dict_set(&options, "max_pixels", largestPicture().c_str(), 0);
        av_dict_set(&options, "threads", "1", 0);
    }
    const int found = avformat_find_stream_info(format, perStream.empty() ? nullptr : perStream.data());
    for (AVDictionary*& options : perStream) av_dict_free(&options);
    return found;
}

}  // namespace

MovieDemuxer::~MovieDemuxer() {
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
    if (io_) av_freep(&io_->buffer);
    avio_context_free(&io_);
}

int MovieDemuxer::readPacket(void* opaque, uint8_t* buffer, int size) {
    auto* self = static_cast<MovieDemuxer*>(opaque);
    const size_t got = self->input_->read(self->position_, buffer, size_t(size));
    if (got == 0) return AVERROR_EOF;
    self->position_ += got;
    return int(got);
}

int64_t MovieDemuxer::seekBytes(void* opaque, int64_t offset, int whence) {
    auto* self = static_cast<MovieDemuxer*>(opaque);
    const int64_t size = int64_t(self->input_->size());
    int64_t to = 0;
    switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE: return size;
        case SEEK_SET: to = offset; break;
        case SEEK_CUR: to = int64_t(self->position_) + offset; break;
        case SEEK_END: to = size + offset; break;
        default: return AVERROR(EINVAL);
    }
    if (to < 0 || to > size) return AVERROR(EINVAL);
    self->position_ = uint64_t(to);
    return to;
}

MrErr MovieDemuxer::open(std::shared_ptr<const MovieInput> input, MovieStreamKind kind,
                         std::unique_ptr<MovieDemuxer>* out) {
    setUpLibav();
    if (!input || !out) return kMrParamErr;
    std::unique_ptr<MovieDemuxer> d(new MovieDemuxer);
    d->input_ = std::move(input);
    auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
    if (!buffer) return kMrMemFullErr;
    d->io_ = avio_alloc_context(buffer, kIoBufferSize, 0, d.get(), &MovieDemuxer::readPacket, nullptr,
                                &MovieDemuxer::seekBytes);
    if (!d->io_) {
        av_free(buffer);
        return kMrMemFullErr;
    }
    d->format_ = avformat_alloc_context();
    if (!d->format_) return kMrMemFullErr;
    d->format_->pb = d->io_;
    d->format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    d->format_->io_open = refuseNestedOpen;
    const AVInputFormat* mov = av_find_input_format("mov");
    AVDictionary* formatOptions = boundedFormatOptions();
    const int opened = avformat_open_input(&d->format_, nullptr, mov, &formatOptions);  // frees format_ on failure
    av_dict_free(&formatOptions);
    if (opened < 0) return kMrBadFormat;
    if (findStreamInfo(d->format_) < 0) return kMrBadFormat;
    const AVMediaType type = kind == MovieStreamKind::video ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_AUDIO;
    const AVCodec* decoder = nullptr;
    const int index = av_find_best_stream(d->format_, type, -1, -1, &decoder, 0);
    if (index < 0 || !decoder) return kMrNoCodec;
    d->stream_ = d->format_->streams[index];
    const AVCodecParameters* parameters = d->stream_->codecpar;
    if (kind == MovieStreamKind::video &&
        (parameters->width <= 0 || parameters->height <= 0 || parameters->width > kMovieMaxSide ||
         parameters->height > kMovieMaxSide))
        return kMrBadFormat;
    if (d->stream_->time_base.num <= 0 || d->stream_->time_base.den <= 0) return kMrBadFormat;
    d->codec_ = avcodec_alloc_context3(decoder);
    d->packet_ = av_packet_alloc();
    if (!d->codec_ || !d->packet_) return kMrMemFullErr;
    if (avcodec_parameters_to_context(d->codec_, parameters) < 0) return kMrBadFormat;
    d->codec_->thread_count = 1;
    d->codec_->max_pixels = int64_t(kMovieMaxSide) * kMovieMaxSide;
    if (avcodec_open2(d->codec_, decoder, nullptr) < 0) return kMrNoCodec;
    for (unsigned i = 0; i < d->format_->nb_streams; ++i)
        if (int(i) != index) d->format_->streams[i]->discard = AVDISCARD_ALL;
    *out = std::move(d);
    return kMrNoErr;
}

int MovieDemuxer::decodeNext(AVFrame* frame) {
    for (;;) {
        const int received = avcodec_receive_frame(codec_, frame);
        if (received == 0) {
            if (stream_->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
                (frame->width != codec_->width || frame->height != codec_->height || frame->width <= 0 ||
                 frame->height <= 0 || frame->width > kMovieMaxSide || frame->height > kMovieMaxSide)) {
                av_frame_unref(frame);
                continue;
            }
            return 0;
        }
        // Anything else wants more input; a damaged frame is passed over the same way.
        if (received == AVERROR_EOF || drained_) return 1;
        const int read = av_read_frame(format_, packet_);
        if (read < 0) {
            drained_ = true;
            avcodec_send_packet(codec_, nullptr);
            continue;
        }
        if (packet_->stream_index == stream_->index) avcodec_send_packet(codec_, packet_);
        av_packet_unref(packet_);
    }
}

void MovieDemuxer::seek(int64_t timestamp) {
    av_seek_frame(format_, stream_->index, timestamp, AVSEEK_FLAG_BACKWARD);
    avcodec_flush_buffers(codec_);
    drained_ = false;
}

}  // namespace plat::media
