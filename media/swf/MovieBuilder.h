#pragma once
// The empty movie that composing starts from: version 2, the given frame size, 12 frames per
// second, a white background, one frame. The builder owns its document.
//
// Composing adds to the current frame (before its ShowFrame): pictures as a JPEG bitmap
// filling a rectangle shape, whole movies as sprites, and archive waves as sounds. New
// characters take the smallest id that no character uses. The JPEG coding is the host's
// (SetHost). Every operation leaves its code as the builder's last error; tags made before a
// failure stay linked.
#include <memory>

#include "media/swf/Block.h"
#include "media/swf/Document.h"

namespace swf {

class tagDefineBitsJPEG2;
class tagDefineShape;
class tagSetBackgroundColor;
class tagShowFrame;

// Composed movies hold DefineShape3, DefineSprite and PlaceObject2 at most: version 3.
constexpr u8 kComposedMovieVersion = 3;

constexpr u8 kNewMovieVersion = 2;
constexpr u32 kNewMovieFrameRate = 0xC0000;

class MovieBuilder {
public:
    explicit MovieBuilder(const Rect& frameRect);
    MovieBuilder(const MovieBuilder&) = delete;
    MovieBuilder& operator=(const MovieBuilder&) = delete;
    ~MovieBuilder();

    Result Write(stream& out);

    // A DefineBitsJPEG2 (not linked) of RGB pixels coded by the host; none on failure.
    tagDefineBitsJPEG2* MakeJPEGBitmap(const u8* rgb, u32 rowBytes, u32 width, u32 height);
    // The same from 16-bit pixels, red in bits 10-14, green 5-9, blue 0-4.
    tagDefineBitsJPEG2* MakeJPEGBitmapFrom555(const u16* pixels, u32 rowBytes, u32 width, u32 height);
    // The picture as a bitmap, a shape filled with it (one pixel to 20 twips) and its placement.
    Result AddPicture(const u16* pixels, u32 rowBytes, u32 width, u32 height, const Matrix& matrix, u16 depth);
    // A loaded movie moved in as a sprite placed at the depth: its characters take ids free in
    // both movies, and its timeline becomes the sprite's.
    Result MergeMovie(std::unique_ptr<document> source, const Matrix& matrix, u16 depth);
    // An archive wave image as a DefineSound and a StartSound.
    Result AddSound(const u8* image, u32 size);

    // The last picture placed at depth 0.
    tagDefineShape* PictureShape() const { return pictureShape_; }
    u16 PictureBitmapId() const { return pictureBitmapId_; }

    document& Document() { return *document_; }
    tagSetBackgroundColor* Background() const { return background_; }
    tagShowFrame* CurrentFrame() const { return currentFrame_; }
    Result LastError() const { return lastError_; }

private:
    // New tags go before the current ShowFrame.
    void SetCursorToFrame();
    Result Keep(Result result) { return lastError_ = result; }
    void RaiseVersion(u8 version);

    std::unique_ptr<document> document_;
    tagSetBackgroundColor* background_ = nullptr;
    tagShowFrame* currentFrame_ = nullptr;
    tagDefineShape* pictureShape_ = nullptr;
    u16 pictureBitmapId_ = 0;
    Result lastError_ = kOk;
};

// A shape block of one rectangle (0, 0) to the RECT's size, filled with the one fill style
// record (in its block form), without lines.
Result MakeRectangleShape(Block& out, const Rect& rect, const u8* fillStyle, u32 fillStyleLength);

}  // namespace swf
