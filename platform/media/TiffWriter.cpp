#include "platform/media/TiffWriter.h"

#include <cstdarg>
#include <vector>

#include <tiffio.h>

namespace plat::media {

namespace {

// libtiff reports to stderr by default; failures reach the caller through the results.
void quiet(const char*, const char*, va_list) {}

}  // namespace

MrErr writeTiff(const PictureImage& image, const std::string& path) {
    TIFFSetErrorHandler(quiet);
    TIFFSetWarningHandler(quiet);
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (!tif) return kMrIoErr;
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(image.width)) &&
              TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(image.height)) &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3) && TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
              TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    std::vector<uint8_t> row(size_t(image.width) * 3);
    for (int32_t y = 0; ok && y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = image.pixel(x, y);
            row[3 * size_t(x)] = p[0], row[3 * size_t(x) + 1] = p[1], row[3 * size_t(x) + 2] = p[2];
        }
        ok = TIFFWriteScanline(tif, row.data(), uint32_t(y), 0) == 1;
    }
    ok = ok && TIFFFlush(tif) == 1;
    TIFFClose(tif);
    return ok ? kMrNoErr : kMrIoErr;
}

}  // namespace plat::media
