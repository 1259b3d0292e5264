// The cut and move panel's part in the program's cut, copy and paste.
#include <string>

#include "app/application/RApplication.h"
#include "document/storage/ObjectTypes.h"
#include "engine/regions/Regions.h"
#include "panels/cutmove/RCutMovePanel.h"
#include "platform/clipboard/formats/ClipboardFormats.h"
#include "tools/base/RToolMgr.h"
#include "tools/cut/ClipPicture.h"
#include "tools/cut/ClipPixels.h"

namespace Ostrel {
namespace {

constexpr u8 kOpaque = 0xFF;

plat::ClipboardFormat privateFormat() { return plat::registerClipboardFormat(kPrivateClipFormat); }

Point16 centreOf(const Rect16& r) { return Point16{i16(r.left + (r.right - r.left) / 2), i16(r.top + (r.bottom - r.top) / 2)}; }

u8 channel8(u32 five) { return u8((five << 3) | (five >> 2)); }

// The clip's pixels and shape as a picture with a mask, as the clip list keeps pictures.
PictureRecord recordOf(const PixelView& pixels, memHandle shape) {
    PictureRecord record;
    record.width = u16(pixels.width);
    record.height = u16(pixels.height);
    record.pixels.reserve(size_t(pixels.width) * size_t(pixels.height) * 4);
    for (i32 y = 0; y < pixels.height; ++y)
        for (i32 x = 0; x < pixels.width; ++x) {
            const u16 p = pixels.At(x, y);
            record.pixels.insert(record.pixels.end(),
                                 {channel8(rgb555Red(p)), channel8(rgb555Green(p)), channel8(rgb555Blue(p)), kOpaque});
        }
    record.mask = maskBytes(shape, pixels.width, pixels.height);
    for (u8& m : record.mask) m = m ? kOpaque : 0;
    return record;
}

// The piece as other programs see it: a rectangle, white where the shape leaves the cut.
plat::media::PictureImage desktopPicture(const PictureRecord& record) {
    plat::media::PictureImage picture;
    if (!picture.allocate(record.width, record.height)) return picture;
    std::copy(record.pixels.begin(), record.pixels.end(), picture.rgba.begin());
    picture.opaque = true;
    return picture;
}

}  // namespace

bool RCutMovePanel::Copy() {
    if (mode_ == kMsgMoveMode) {
        if (frameMaker_) {
            RMessage copy(kFrameMakerCopy, 0, 0);
            frameMaker_->HandleMessage(&copy, 0);
        }
        SetPasteButton(true);
        return true;
    }
    if (!clip_ || clip_->IsGone() || !picture_ || !picture_->Work().top) return false;
    const Rect16 bounds = clip_->GetBounds();
    std::vector<u16> store;
    const PixelView copy = pixelViewOfBuffer(store, i16(bounds.right - bounds.left), i16(bounds.bottom - bounds.top));
    if (!copy.top) return false;
    if (clip_->HoldsPixels()) {
        copy.Fill(kRgb555White);
        clip_->CopyThroughMask(copy, Point16{0, 0});
    } else {
        const Rect16& canvas = picture_->CanvasRect();
        const Point16 from{i16(bounds.left - canvas.left), i16(bounds.top - canvas.top)};
        const PlacedMask all{clip_->Mask(), {0, 0}, copy.Bounds()};
        copy.Fill(kRgb555White);
        copyThroughMask(copy, picture_->Work(), Point16{i16(-from.h), i16(-from.v)}, all);
    }
    PictureRecord record = recordOf(copy, clip_->Mask());
    // Other programs paste the piece as a picture; another program copying anything takes the
    // private format away again.
    plat::placeClipboardPicture(desktopPicture(record), privateFormat(), std::string("\0\0\0\1", 4));
    Clips().DeleteAll();
    Clips().Add(std::make_unique<BitmapClip>(kTypeBitmap, -1, std::move(record)));
    SetPasteButton(true);
    return true;
}

bool RCutMovePanel::CanPaste() {
    if (!plat::clipboardFormatData(privateFormat())) return false;
    const auto& k = kinds_;
    return Clips().FindLastOfTypes({k[0], k[1], k[2], k[3], k[4], k[5]}) != nullptr;
}

bool RCutMovePanel::Paste() {
    RApplication* app = GetApplication();
    if (!CanPaste() || (app && !app->GetCurrentPage())) return false;
    const auto& k = kinds_;
    Clip* clip = Clips().FindLastOfTypes({k[0], k[1], k[2], k[3], k[4], k[5]});
    bool done = false;
    if (auto* picture = dynamic_cast<BitmapClip*>(clip)) {
        EndCut();
        ClipPicture pixels = clipPictureOf(picture->Pixels());
        const PixelView image = pixels.View();
        memHandle shape = clipShapeOf(picture->Pixels(), Point16{0, 0});
        PlayCutStage(-1);
        NewClip(true);
        const u16 failed = shape ? clip_->Init(picture_, &image, shape, GetCanvasRect(), nullptr, true) : 1;
        if (shape) rgnDispose(shape);
        if (failed) {
            clip_.reset();
            return false;
        }
        clip_->CenterOn(centreOf(GetCanvasRect()));
        TakeUndo();
        done = true;
    } else if (clip && (clip->Type() == kTypeFlash || clip->Type() == kTypeFlashAnimation || clip->Type() == kTypeText)) {
        if (mode_ == kMsgMoveMode && !frameMaker_) frameMaker_ = MakeFrameMaker();
        if (frameMaker_) {
            RMessage paste(kFrameMakerPaste, reinterpret_cast<uintptr_t>(clip), 0);
            frameMaker_->HandleMessage(&paste, 0);
            if (mode_ == kMsgCutMode) frameMaker_->ClearObjectFrames();
        }
        done = mode_ == kMsgMoveMode;
    }
    if (done) SetEditButtons(true);
    return done;
}

bool RCutMovePanel::Cut() {
    const bool copied = Copy();
    if (mode_ == kMsgMoveMode) {
        if (frameMaker_) {
            RMessage remove(kFrameMakerDelete, 0, 0);
            frameMaker_->HandleMessage(&remove, 0);
        }
        SetEditButtons(frameMaker_ && frameMaker_->HasCurrentFrame());
        return copied;
    }
    if (clip_ && !clip_->IsGone()) {
        // The piece is on the clipboard now. One still in the picture leaves its hole; one
        // already lifted left it where it came from, and the picture under its present place
        // was never part of it. Its pixels are not put back.
        if (!clip_->HoldsPixels()) clip_->EraseUnder(false);
        clip_->Drop(true);
        EndCut();
    }
    SetEditButtons(false);
    SelectShapeAgain();
    return copied;
}

}  // namespace Ostrel
