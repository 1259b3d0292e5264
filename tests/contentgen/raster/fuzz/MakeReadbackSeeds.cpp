// Writes seed archives for the read-back fuzzer: one with a picture and a two-frame shape
// group (one frame with gaps and repeats), one with only a compressed group.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "contentgen/content/ArchiveImage.h"
#include "contentgen/content/BitmapWriter.h"
#include "contentgen/content/ShapeGroupBuilder.h"

namespace {

Raster stripes(int w, int h) {
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x + y) % 7 != 0) r.pixels[size_t(y * w + x)] = x < w / 2 ? 0xFFFF0000u : 0xFF00FF00u;
    return r;
}

bool save(const std::filesystem::path& file, const ArchiveImage& archive) {
    std::vector<u8> bytes;
    if (archive.serialize(&bytes) != kErrNone) return false;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    ShapeGroupBuilder group;
    group.addFrame(stripes(12, 9), 0, 0);
    group.addFrame(stripes(40, 3), 2, 1);
    ArchiveImage both, groupOnly;
    const std::vector<u8> picture = writePlainBitmap16(stripes(6, 4));
    both.add(fourCC("tBMP"), 1, picture);
    both.add(fourCC("tBMH"), 1, group.groupBytes());
    groupOnly.add(fourCC("tBMH"), 7, group.groupBytes());
    const bool ok = save(folder / "picture_and_group", both) && save(folder / "group", groupOnly);
    if (!ok) std::fprintf(stderr, "make_readback_seeds: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
