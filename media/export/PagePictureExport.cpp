#include "media/export/PagePictureExport.h"

#include "media/export/PagePicture.h"
#include "platform/media/BmpCoding.h"

namespace Ostrel {

namespace {

u8 spread(u8 channel) { return u8((channel << 3) | (channel >> 2)); }

}  // namespace

std::vector<u8> bmpOfPixels(const PixelView& pixels) {
    plat::media::PictureImage image;
    if (!image.allocate(pixels.width, pixels.height, 255)) return {};
    for (i32 y = 0; y < pixels.height; ++y)
        for (i32 x = 0; x < pixels.width; ++x) {
            const u16 pixel = pixels.At(x, y);
            u8* out = image.pixel(x, y);
            out[0] = spread(rgb555Red(pixel));
            out[1] = spread(rgb555Green(pixel));
            out[2] = spread(rgb555Blue(pixel));
        }
    return plat::media::encodeBmp(image);
}

i32 exportPagePicture(const RPageData& page, const MovieExportCanvas& canvas, const std::string& target,
                      PagePictureFormat format) {
    const bool jpeg = format == PagePictureFormat::Jpeg;
    std::unique_ptr<PagePicture> picture = PagePicture::OfPage(page, canvas.width, canvas.height);
    if (!picture) return kExportNoMemory;
    const std::vector<u8> file = jpeg ? picture->Jpeg() : bmpOfPixels(picture->Pixels());
    if (file.empty()) return kExportFailed;
    // "photo.jpeg" keeps its name as "photo.jpg" would.
    const bool jpegNamed = jpeg && exportTargetName(target, "jpeg") == target;
    return exportWriteFile(jpegNamed ? target : exportTargetName(target, jpeg ? "jpg" : "bmp"), file);
}

}  // namespace Ostrel
