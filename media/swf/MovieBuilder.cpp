#include "media/swf/MovieBuilder.h"

#include "media/swf/FrameTags.h"

namespace swf {

MovieBuilder::MovieBuilder(const Rect& frameRect) : document_(std::make_unique<document>()) {
    document& movie = *document_;
    movie.version = kNewMovieVersion;
    movie.frameRect = frameRect;
    movie.frameRate = kNewMovieFrameRate;
    movie.frameCount = 1;
    movie.framesRead = 1;
    background_ = new tagSetBackgroundColor;
    background_->colour = Rgba{255, 255, 255, 255};
    background_->Link(&movie);
    currentFrame_ = new tagShowFrame;
    currentFrame_->Link(&movie);
    (new tag(kTagEnd))->Link(&movie);
}

MovieBuilder::~MovieBuilder() { document_->Clear(); }

Result MovieBuilder::Write(stream& out) { return lastError_ = document_->Write(out); }

void MovieBuilder::SetCursorToFrame() { document_->SetCursor(currentFrame_->Previous()); }

void MovieBuilder::RaiseVersion(u8 version) {
    if (document_->version < version) document_->version = version;
}

}  // namespace swf
