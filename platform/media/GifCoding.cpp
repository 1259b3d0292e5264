#include "platform/media/GifCoding.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

namespace plat::media {

namespace {

struct MemoryInput {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

int readMemory(GifFileType* gif, GifByteType* out, int count) {
    auto* in = static_cast<MemoryInput*>(gif->UserData);
    const size_t n = std::min(size_t(count), in->size - in->pos);
    std::memcpy(out, in->data + in->pos, n);
    in->pos += n;
    return int(n);
}

int writeMemory(GifFileType* gif, const GifByteType* data, int count) {
    static_cast<std::vector<uint8_t>*>(gif->UserData)->insert(
        static_cast<std::vector<uint8_t>*>(gif->UserData)->end(), data, data + count);
    return count;
}

struct GifCloser {
    GifFileType* gif;
    bool writing;
    ~GifCloser() {
        int error = 0;
        if (gif && writing) EGifCloseFile(gif, &error);
        else if (gif) DGifCloseFile(gif, &error);
    }
};

// Reads the first image's rows onto the screen; giflib's whole-file read is not used, so a
// frame with a crafted size is refused before its rows are allocated.
MrErr readFirstImage(GifFileType* gif, PictureImage& out) {
    int transparent = -1;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) return kMrBadFormat;
        if (record == TERMINATE_RECORD_TYPE) return kMrBadFormat;
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return kMrBadFormat;
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1)) transparent = block[4];
            while (block) {
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return kMrBadFormat;
            }
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) return kMrBadFormat;
        const GifImageDesc& d = gif->Image;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        if (!map || d.Width <= 0 || d.Height <= 0 || uint64_t(d.Width) * uint64_t(d.Height) > kMaxPicturePixels)
            return kMrBadFormat;
        std::vector<GifPixelType> line(size_t(d.Width));
        auto drawRow = [&](int32_t y) {
            for (int32_t x = 0; x < d.Width; ++x) {
                const int32_t sx = d.Left + x, sy = d.Top + y;
                if (sx < 0 || sy < 0 || sx >= out.width || sy >= out.height) continue;
                const int index = line[size_t(x)];
                if (index == transparent || index >= map->ColorCount) continue;
                uint8_t* p = out.pixel(sx, sy);
                const GifColorType& c = map->Colors[index];
                p[0] = c.Red, p[1] = c.Green, p[2] = c.Blue, p[3] = 255;
            }
        };
        if (d.Interlace) {
            static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int32_t y = kStart[pass]; y < d.Height; y += kStep[pass]) {
                    if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) return kMrBadFormat;
                    drawRow(y);
                }
        } else {
            for (int32_t y = 0; y < d.Height; ++y) {
                if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) return kMrBadFormat;
                drawRow(y);
            }
        }
        return kMrNoErr;
    }
}

}  // namespace

bool looksLikeGif(const uint8_t* data, size_t size) { return size >= 6 && std::memcmp(data, "GIF8", 4) == 0; }

MrErr decodeGif(const uint8_t* data, size_t size, PictureImage& out) {
    MemoryInput input{data, size, 0};
    int error = 0;
    GifCloser closer{DGifOpen(&input, readMemory, &error), false};
    if (!closer.gif) return kMrBadFormat;
    if (!out.allocate(closer.gif->SWidth, closer.gif->SHeight, 255)) return kMrBadFormat;
    for (size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 0;
    return readFirstImage(closer.gif, out);
}

std::vector<uint8_t> encodeGif(const PictureImage& image) {
    const size_t count = size_t(image.width) * size_t(image.height);
    std::vector<GifByteType> red(count), green(count), blue(count), indices(count);
    for (size_t i = 0; i < count; ++i)
        red[i] = image.rgba[4 * i], green[i] = image.rgba[4 * i + 1], blue[i] = image.rgba[4 * i + 2];
    int colors = 256;
    GifColorType palette[256];
    if (GifQuantizeBuffer(unsigned(image.width), unsigned(image.height), &colors, red.data(), green.data(),
                          blue.data(), indices.data(), palette) == GIF_ERROR)
        return {};
    ColorMapObject* map = GifMakeMapObject(256, palette);
    if (!map) return {};
    std::vector<uint8_t> out;
    int error = 0;
    GifCloser closer{EGifOpen(&out, writeMemory, &error), true};
    bool ok = closer.gif && EGifPutScreenDesc(closer.gif, image.width, image.height, 8, 0, map) != GIF_ERROR &&
              EGifPutImageDesc(closer.gif, 0, 0, image.width, image.height, false, nullptr) != GIF_ERROR;
    for (int32_t y = 0; ok && y < image.height; ++y)
        ok = EGifPutLine(closer.gif, indices.data() + size_t(y) * size_t(image.width), image.width) != GIF_ERROR;
    GifFreeMapObject(map);
    if (!ok) return {};
    int closeError = 0;
    const bool closed = EGifCloseFile(closer.gif, &closeError) != GIF_ERROR;
    closer.gif = nullptr;
    return closed ? out : std::vector<uint8_t>{};
}

}  // namespace plat::media
