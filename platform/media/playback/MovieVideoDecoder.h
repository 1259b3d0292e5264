#pragma once
// The pictures of a movie's video stream: the frame shown at a time (the last one that starts
// at or before it) decoded on demand, going forward from the frame before or seeking back to a
// key frame, and scaled to RGB rows of any size. UI thread.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/media/playback/MovieDemuxer.h"

struct SwsContext;

namespace plat::media {

class MovieVideoDecoder {
public:
    ~MovieVideoDecoder();
    MovieVideoDecoder(const MovieVideoDecoder&) = delete;
    MovieVideoDecoder& operator=(const MovieVideoDecoder&) = delete;

    // A movie without frames in its index is refused (kMrBadFormat).
    static MrErr open(std::shared_ptr<const MovieInput> input, std::unique_ptr<MovieVideoDecoder>* out);

    int32_t width() const;
    int32_t height() const;
    // The stream's time base as a fraction of a second.
    int32_t timeBaseNum() const;
    int32_t timeBaseDen() const;
    // Where the frames start, in the stream's time base, in order; and where the last one ends.
    const std::vector<int64_t>& frameStarts() const { return starts_; }
    int64_t end() const { return end_; }
    // The index of the frame shown at `timestamp`.
    size_t frameIndexAt(int64_t timestamp) const;

    // The frame shown at `timestamp` scaled to `w` x `h` RGB rows `rowBytes` apart; false when
    // it cannot be decoded.
    bool pictureAt(int64_t timestamp, int32_t w, int32_t h, std::vector<uint8_t>& rgb, int32_t* rowBytes);

private:
    MovieVideoDecoder() = default;
    bool decodeTo(int64_t timestamp);

    std::unique_ptr<MovieDemuxer> demuxer_;
    std::vector<int64_t> starts_;
    int64_t end_ = 0;
    AVFrame* current_ = nullptr;  // the last frame decoded at or before the wanted time
    AVFrame* ahead_ = nullptr;    // the frame decoded after it, kept for the next call
    bool haveCurrent_ = false;
    bool haveAhead_ = false;
    SwsContext* scaler_ = nullptr;
};

}  // namespace plat::media
