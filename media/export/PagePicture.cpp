#include "media/export/PagePicture.h"

#include <cstring>

#include "document/objects/RMediaFilePageObject.h"
#include "document/pages/PagePainting.h"
#include "document/project/BackgroundColors.h"
#include "document/storage/ObjectTypes.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "media/quicktime/JpegPictureBlock.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/PixelRows.h"
#include "platform/media/PngCoding.h"

using namespace Ostrel;

PagePicture::~PagePicture() {
    if (!port_) return;
    port_->UnlockBits(&bits_);
    gfxDisposePort(port_);
}

std::unique_ptr<PagePicture> PagePicture::Blank(u16 width, u16 height, u16 fill) {
    if (width == 0 || height == 0) return nullptr;
    std::unique_ptr<PagePicture> picture(new PagePicture());
    picture->port_ = gfxNewOffscreenPort(width, height, 16, nullptr);
    if (!picture->port_) return nullptr;
    if (picture->port_->LockBits(&picture->bits_) != kErrNone) {
        gfxDisposePort(picture->port_);
        picture->port_ = nullptr;
        return nullptr;
    }
    picture->width_ = width;
    picture->height_ = height;
    picture->View();
    for (i32 y = 0; y < height; ++y)
        for (i32 x = 0; x < width; ++x) picture->view_.Row(y)[x] = fill;
    return picture;
}

std::unique_ptr<PagePicture> PagePicture::Shown(const std::vector<u8>& jpeg, u16 width, u16 height) {
    i32 w = 0, h = 0;
    plat::media::PixelBytes rgba;
    if (jpeg.empty() || jpeg.size() > 0xFFFFFFFFu ||
        plat::media::jpegDecodeRgba(jpeg.data(), u32(jpeg.size()), &w, &h, rgba) != 0 || w != width || h != height ||
        rgba.size() < size_t(w) * size_t(h) * 4)
        return nullptr;
    std::unique_ptr<PagePicture> picture = Blank(width, height);
    if (!picture) return nullptr;
    for (i32 y = 0; y < height; ++y)
        for (i32 x = 0; x < width; ++x) {
            const u8* p = &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
            picture->view_.Row(y)[x] = rgb555(p[0], p[1], p[2]);
        }
    return picture;
}

PagePlacement PagePicture::SlidePlacement(const RPageData& page, u16 width, u16 height, u16 fill) {
    PagePlacement placement;
    placement.fill = fill;
    RPageObject* background = nullptr;
    if (page.FindObject(kTypeBitmap, kBackgroundId, &background) == 0 && background)
        placement.at = {i16((i32(width) - (background->rect.right - background->rect.left)) / 2),
                        i16((i32(height) - (background->rect.bottom - background->rect.top)) / 2)};
    return placement;
}

u16 PagePicture::ShowBackground(u16 colourIndex) {
    constexpr u16 kBlack = 14;
    const BackgroundColor& c = kBackgroundColors[colourIndex < kBackgroundColorCount ? colourIndex : kBlack];
    return rgb555(c.red, c.green, c.blue);
}

void PagePicture::View() {
    // The port's rows may run upwards in memory.
    u8* top = bits_.rowStep >= 0 ? bits_.base : bits_.base + std::ptrdiff_t(height_ - 1) * -bits_.rowStep;
    view_ = PixelView{top, bits_.rowStep, i16(width_), i16(height_)};
}

void PagePicture::Relock() {
    // The pixels may lie elsewhere once locked again.
    if (port_->LockBits(&bits_) == kErrNone) View();
}

std::unique_ptr<PagePicture> PagePicture::OfPage(const RPageData& page, u16 width, u16 height, u8 media,
                                                 PagePlacement placement) {
    std::unique_ptr<PagePicture> picture = Blank(width, height, placement.fill);
    if (!picture) return nullptr;
    // Render draws through the port's own drawing, which wants the bits unlocked.
    picture->port_->UnlockBits(&picture->bits_);
    EngineErr drawn = page.Render(picture->port_, placement.at.h, placement.at.v);
    if (drawn == kErrNone && (media & kPictureMovies))
        drawn = page.RenderMedia(picture->port_, placement.at.h, placement.at.v, kTypeMovie);
    if (picture->port_->LockBits(&picture->bits_) != kErrNone || drawn != kErrNone) return nullptr;
    picture->View();
    const VectorPainter painter = (media & kPictureFlash) ? GetVectorPainter() : nullptr;
    u32 it = 0;
    RPageObject* object = nullptr;
    while (painter && page.NextObjectSkipFlagged(&it, &object, fourCC("??PO"))) {
        if (object->Type() != kTypeFlash && object->Type() != kTypeFlashAnimation) continue;
        const auto& media = static_cast<const RMediaFilePageObject*>(object)->media;
        Rect16 place{object->rect.left, object->rect.top, object->rect.right, object->rect.bottom};
        rectOffset(&place, placement.at.h, placement.at.v);
        // A movie the painter cannot read leaves its place as the page shows it.
        painter(picture->bits_, media, place);
    }
    return picture;
}

u16 PagePicture::Export(const std::string& path, u32 format) {
    port_->UnlockBits(&bits_);
    const u16 result = gfxLockPort(port_) == kErrNone
                           ? imgExportPicture(path, port_, Rect16{0, 0, i16(width_), i16(height_)}, format)
                           : kImgExportOther;
    gfxUnlockPort(port_);
    Relock();
    return result;
}

std::vector<u8> PagePicture::Jpeg() {
    port_->UnlockBits(&bits_);
    std::vector<u8> stream = JpegOf(port_, Rect16{0, 0, i16(width_), i16(height_)});
    Relock();
    return stream;
}

std::vector<u8> PagePicture::PngLeavingOut(u16 uncovered) const {
    plat::media::PictureImage image;
    if (!image.allocate(width_, height_)) return {};
    std::vector<u32> row(width_);
    for (i32 y = 0; y < height_; ++y) {
        const u16* pixels = view_.Row(y);
        // Widened as the JPEG coding widens them, so both show a colour alike.
        plat::media::unpack555ToRgbx(reinterpret_cast<const u8*>(pixels), width_, row.data());
        for (i32 x = 0; x < width_; ++x) {
            u8* out = image.pixel(x, y);
            std::memcpy(out, &row[size_t(x)], 3);
            out[3] = pixels[x] == uncovered ? 0 : 255;
        }
    }
    return plat::media::encodePng(image);
}

std::vector<u8> PagePicture::JpegOf(GfxPort* port, const Rect16& area) {
    u32 size = 0;
    const Rect16 whole{0, 0, i16(area.right - area.left), i16(area.bottom - area.top)};
    const memHandle block = gfxLockPort(port) == kErrNone
                                ? imgBitmapToJPEG(port, &area, whole, &size, kImgDefaultQuality, 16)
                                : memHandle(0);
    gfxUnlockPort(port);
    std::vector<u8> stream;
    if (!block) return stream;
    const u8* bytes = static_cast<const u8*>(memLockHandle(block));
    JpegBlockHeader header;
    // A block shorter than its header, or a stream longer than the block, is no picture.
    if (bytes && imgReadJPEGHeader(bytes, size, &header))
        stream.assign(bytes + kJpegBlockHeaderSize, bytes + kJpegBlockHeaderSize + header.streamSize);
    memUnlockHandle(block);
    memFreeHandle(block);
    return stream;
}
