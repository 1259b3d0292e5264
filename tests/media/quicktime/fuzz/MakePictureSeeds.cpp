// Writes the seed pictures of the picture fuzz targets with the runtime's own writers: picture
// files of every format into <folder>/files and JPEG and raw picture blocks into <folder>/blocks.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/media/BmpCoding.h"
#include "platform/media/GifCoding.h"
#include "platform/media/JpegCoding.h"
#include "platform/media/MediaWorld.h"
#include "platform/media/PictCoding.h"
#include "platform/media/PngCoding.h"

namespace pm = plat::media;

namespace {

void save(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

pm::PictureImage gradient(int32_t w, int32_t h) {
    pm::PictureImage image;
    image.allocate(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = image.pixel(x, y);
            p[0] = uint8_t(x * 255 / w), p[1] = uint8_t(y * 255 / h), p[2] = uint8_t((x + y) * 4), p[3] = 255;
        }
    return image;
}

std::vector<uint8_t> jpegOf(const pm::PictureImage& image) {
    pm::MrWorld* world = nullptr;
    const pm::MrRect bounds{0, 0, int16_t(image.height), int16_t(image.width)};
    pm::newWorldOfFormat(&world, pm::kMrFormatRgb24, &bounds);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            for (int c = 0; c < 3; ++c) world->map.base[y * world->map.rowBytes + 3 * x + c] = image.pixel(x, y)[c];
    std::vector<uint8_t> out;
    pm::jpegCompress(world->map, bounds, 0x200, out);
    pm::disposeWorld(world);
    return out;
}

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v) { out[at] = uint8_t(v >> 8), out[at + 1] = uint8_t(v); }
void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) { put16(out, at, v >> 16), put16(out, at + 2, v); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path root = argv[1];
    std::filesystem::create_directories(root / "files");
    std::filesystem::create_directories(root / "blocks");
    const pm::PictureImage image = gradient(12, 9);
    const std::vector<uint8_t> jpeg = jpegOf(image);
    save(root / "files" / "picture.jpg", jpeg);
    save(root / "files" / "picture.png", pm::encodePng(image));
    save(root / "files" / "picture.gif", pm::encodeGif(image));
    save(root / "files" / "picture.bmp", pm::encodeBmp(image));
    save(root / "files" / "picture.pict", pm::encodePict(gradient(3, 2)));
    save(root / "files" / "wide.pict", pm::encodePict(image));

    std::vector<uint8_t> block(24, 0);
    put16(block, 0, 12), put16(block, 2, 9), put16(block, 4, 36), put16(block, 6, 0x0F04);
    block[8] = 'j', block[9] = 'p', block[10] = 'e', block[11] = 'g';
    put32(block, 16, 36 * 9), put32(block, 20, uint32_t(jpeg.size()));
    block.insert(block.end(), jpeg.begin(), jpeg.end());
    save(root / "blocks" / "jpeg.block", block);
    std::vector<uint8_t> raw(8 + 4 * 2, 0x11);
    put16(raw, 0, 2), put16(raw, 2, 2), put16(raw, 4, 4), put16(raw, 6, 0x1003);
    save(root / "blocks" / "raw.block", raw);
    return 0;
}
