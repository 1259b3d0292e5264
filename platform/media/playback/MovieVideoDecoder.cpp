#include "platform/media/playback/MovieVideoDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <algorithm>

namespace plat::media {

namespace {

constexpr int32_t kRowAlign = 64;

int64_t startOf(const AVFrame* frame) {
    return frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : frame->pts;
}

}  // namespace

MovieVideoDecoder::~MovieVideoDecoder() {
    sws_freeContext(scaler_);
    av_frame_free(&current_);
    av_frame_free(&ahead_);
}

MrErr MovieVideoDecoder::open(std::shared_ptr<const MovieInput> input, std::unique_ptr<MovieVideoDecoder>* out) {
    std::unique_ptr<MovieVideoDecoder> v(new MovieVideoDecoder);
    const MrErr err = MovieDemuxer::open(std::move(input), MovieStreamKind::video, &v->demuxer_);
    if (err != kMrNoErr) return err;
    AVStream* stream = v->demuxer_->stream();
    const int count = avformat_index_get_entries_count(stream);
    for (int i = 0; i < count; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        if (entry && !(entry->flags & AVINDEX_DISCARD_FRAME) && entry->timestamp >= 0) {
            v->starts_.push_back(entry->timestamp);
            v->end_ = std::max(v->end_, entry->timestamp);
        }
    }
    if (v->starts_.empty()) return kMrBadFormat;
    std::sort(v->starts_.begin(), v->starts_.end());
    v->starts_.erase(std::unique(v->starts_.begin(), v->starts_.end()), v->starts_.end());
    // The last frame lasts as long as the one before it, unless the stream says longer.
    const int64_t last = v->starts_.back();
    const int64_t step = v->starts_.size() > 1 ? last - v->starts_[v->starts_.size() - 2] : 1;
    v->end_ = last + std::max<int64_t>(step, 1);
    if (stream->duration > 0 && stream->duration + std::max<int64_t>(stream->start_time, 0) > v->end_)
        v->end_ = stream->duration + std::max<int64_t>(stream->start_time, 0);
    v->current_ = av_frame_alloc();
    v->ahead_ = av_frame_alloc();
    if (!v->current_ || !v->ahead_) return kMrMemFullErr;
    *out = std::move(v);
    return kMrNoErr;
}

int32_t MovieVideoDecoder::width() const { return demuxer_->codec()->width; }
int32_t MovieVideoDecoder::height() const { return demuxer_->codec()->height; }
int32_t MovieVideoDecoder::timeBaseNum() const { return demuxer_->stream()->time_base.num; }
int32_t MovieVideoDecoder::timeBaseDen() const { return demuxer_->stream()->time_base.den; }

size_t MovieVideoDecoder::frameIndexAt(int64_t timestamp) const {
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), timestamp);
    return after == starts_.begin() ? 0 : size_t(after - starts_.begin() - 1);
}

bool MovieVideoDecoder::decodeTo(int64_t timestamp) {
    // The frame wanted starts where the index says; a later frame than the one held, or an
    // earlier one, decides whether to go on or to seek back.
    const int64_t wanted = starts_[frameIndexAt(timestamp)];
    if (haveCurrent_ && startOf(current_) == wanted) return true;
    if (!haveCurrent_ || startOf(current_) > wanted) {
        demuxer_->seek(wanted);
        haveCurrent_ = haveAhead_ = false;
        av_frame_unref(current_);
        av_frame_unref(ahead_);
    }
    for (;;) {
        if (!haveAhead_) {
            if (demuxer_->decodeNext(ahead_) != 0) return haveCurrent_;
            haveAhead_ = true;
        }
        if (haveCurrent_ && startOf(ahead_) > wanted) return true;
        av_frame_unref(current_);
        av_frame_move_ref(current_, ahead_);
        haveCurrent_ = true;
        haveAhead_ = false;
        if (startOf(current_) >= wanted) return true;
    }
}

bool MovieVideoDecoder::pictureAt(int64_t timestamp, int32_t w, int32_t h, std::vector<uint8_t>& rgb,
                                  int32_t* rowBytes) {
    if (w <= 0 || h <= 0 || w > kMovieMaxSide * 4 || h > kMovieMaxSide * 4) return false;
    if (!decodeTo(timestamp)) return false;
    scaler_ = sws_getCachedContext(scaler_, current_->width, current_->height, AVPixelFormat(current_->format), w, h,
                                   AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler_) return false;
    // The scaler's vector loops write whole blocks of pixels past the end of a row: rows are
    // aligned and a spare row follows the last.
    const int32_t stride = (w * 3 + kRowAlign - 1) / kRowAlign * kRowAlign;
    rgb.assign(size_t(stride) * size_t(h + 1), 0);
    *rowBytes = stride;
    uint8_t* planes[4] = {rgb.data(), nullptr, nullptr, nullptr};
    int strides[4] = {stride, 0, 0, 0};
    return sws_scale(scaler_, current_->data, current_->linesize, 0, current_->height, planes, strides) == h;
}

}  // namespace plat::media
