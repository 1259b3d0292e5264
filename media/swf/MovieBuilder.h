#pragma once
// The empty movie that composing starts from: version 2, the given frame size, 12 frames per
// second, a white background, one frame. The builder owns its document.
#include <memory>

#include "media/swf/Document.h"

namespace swf {

class tagSetBackgroundColor;
class tagShowFrame;

constexpr u8 kNewMovieVersion = 2;
constexpr u32 kNewMovieFrameRate = 0xC0000;

class MovieBuilder {
public:
    explicit MovieBuilder(const Rect& frameRect);
    MovieBuilder(const MovieBuilder&) = delete;
    MovieBuilder& operator=(const MovieBuilder&) = delete;
    ~MovieBuilder();

    Result Write(stream& out);

    document& Document() { return *document_; }
    tagSetBackgroundColor* Background() const { return background_; }
    tagShowFrame* CurrentFrame() const { return currentFrame_; }
    Result LastError() const { return lastError_; }

private:
    std::unique_ptr<document> document_;
    tagSetBackgroundColor* background_ = nullptr;
    tagShowFrame* currentFrame_ = nullptr;
    Result lastError_ = kOk;
};

}  // namespace swf
