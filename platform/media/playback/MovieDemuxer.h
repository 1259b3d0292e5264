#pragma once
// One reading of a movie's container: libavformat's QuickTime demuxer over a MovieInput
// (through our own byte reader: no protocol, no other file is ever opened, the movie's data
// references to outside files are not followed), one stream of it chosen, with its decoder.
// Each decoder keeps its own demuxer so that video and sound read and seek independently.
#include <cstdint>
#include <memory>

#include "platform/media/MediaRuntimeAbi.h"
#include "platform/media/playback/MovieInput.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;

namespace plat::media {

enum class MovieStreamKind { video, sound };

// Pictures larger than this on a side are refused: no movie of ours comes near it, and a
// damaged header must not make us allocate gigabytes.
constexpr int32_t kMovieMaxSide = 4096;

class MovieDemuxer {
public:
    ~MovieDemuxer();
    MovieDemuxer(const MovieDemuxer&) = delete;
    MovieDemuxer& operator=(const MovieDemuxer&) = delete;

    // kMrBadFormat when the bytes are no movie we can read; kMrNoCodec when the movie has no
    // stream of the kind or no decoder for it (a movie without sound asks for none).
    static MrErr open(std::shared_ptr<const MovieInput> input, MovieStreamKind kind,
                      std::unique_ptr<MovieDemuxer>* out);

    AVFormatContext* format() const { return format_; }
    AVStream* stream() const { return stream_; }
    AVCodecContext* codec() const { return codec_; }

    // The next decoded frame of the stream into `frame`: 0, 1 at the end of the stream.
    // Damaged packets are passed over.
    int decodeNext(AVFrame* frame);
    // Goes back to the last key frame at or before `timestamp` (the stream's time base).
    void seek(int64_t timestamp);

private:
    MovieDemuxer() = default;
    static int readPacket(void* opaque, uint8_t* buffer, int size);
    static int64_t seekBytes(void* opaque, int64_t offset, int whence);

    std::shared_ptr<const MovieInput> input_;
    uint64_t position_ = 0;
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVStream* stream_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVPacket* packet_ = nullptr;
    bool drained_ = false;
};

}  // namespace plat::media
