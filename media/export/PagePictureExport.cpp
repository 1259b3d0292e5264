#include "media/export/PagePictureExport.h"

#include "media/export/PagePicture.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "platform/media/MediaRuntimeAbi.h"

namespace Ostrel {

i32 exportPagePicture(const RPageData& page, const MovieExportCanvas& canvas, const std::string& target,
                      PagePictureFormat format, const std::vector<u8>& shown) {
    const bool jpeg = format == PagePictureFormat::Jpeg;
    std::unique_ptr<PagePicture> picture = PagePicture::Shown(shown, canvas.width, canvas.height);
    if (!picture) picture = PagePicture::OfPage(page, canvas.width, canvas.height, kPictureFlash | kPictureMovies);
    if (!picture) return kExportNoMemory;
    // "photo.jpeg" keeps its name as "photo.jpg" would.
    const bool jpegNamed = jpeg && exportTargetName(target, "jpeg") == target;
    const std::string name = jpegNamed ? target : exportTargetName(target, jpeg ? "jpg" : "bmp");
    switch (picture->Export(name, jpeg ? plat::media::kMrExportJpeg : plat::media::kMrExportBmp)) {
        case 0: return kExportOk;
        case kImgExportNoMemory: return kExportNoMemory;
        case kImgExportDiskFull: return kExportDiskFull;
        default: return kExportFailed;
    }
}

}  // namespace Ostrel
