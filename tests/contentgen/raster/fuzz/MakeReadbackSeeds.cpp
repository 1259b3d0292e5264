// Writes seed archives for the read-back fuzzer with the generator's own writers: pictures from
// one pixel to wide and tall ones, pictures of the kinds the reader turns down, and shape
// groups stored plain, compressed by either method, with one frame or many, with gaps and
// repeats, and frames from one pixel to hundreds wide; and an empty picture whose entry points
// past the end of the file.
#include <cstdio>
#include <string>
#include <vector>

#include "contentgen/content/ArchiveImage.h"
#include "contentgen/content/BitmapWriter.h"
#include "contentgen/content/ShapeGroupBuilder.h"
#include "engine/base/ByteOrder.h"
#include "engine/gfx/sprites/format/ShapeGroupFormat.h"
#include "engine/resources/format/ArchiveFormat.h"
#include "tests/FuzzSeeds.h"

namespace {

constexpr FourCC kPicture = fourCC("tBMP");
constexpr FourCC kGroup = fourCC("tBMH");

// Diagonal gaps, two colours: runs of both kinds and transparent places in every row.
Raster stripes(int w, int h) {
    Raster r(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x + y) % 7 != 0) r.pixels[size_t(y * w + x)] = x < w / 2 ? 0xFFFF0000u : 0xFF00FF00u;
    return r;
}

// No two neighbours alike: nothing to gain from compressing.
Raster noise(int w, int h) {
    Raster r(w, h);
    u32 state = 0x12345678;
    for (u32& p : r.pixels) {
        state = state * 1664525u + 1013904223u;
        p = 0xFF000000u | (state >> 8);
    }
    return r;
}

std::vector<u8> group(const std::vector<Raster>& frames) {
    ShapeGroupBuilder builder;
    for (size_t i = 0; i < frames.size(); ++i) builder.addFrame(frames[i], int(i % 3), int(i % 2));
    return builder.groupBytes();
}

// The same group compressed by `method`, whatever the builder chose.
std::vector<u8> recompressed(const std::vector<u8>& stored, ShapeMethod method) {
    std::vector<u8> plain = stored;
    if (shapeGroupIsCompressed(stored)) {
        ShapeGroupStream stream{};
        if (shapeGroupReadStream(stored, &stream) != kErrNone) return {};
        plain.assign(kShapeGroupHeaderSize + stream.decodedSize, 0);
        if (shapeGroupExpand(stored, stream, plain) != kErrNone) return {};
    }
    return shapeGroupCompress(plain, method);
}

// An empty picture whose entry keeps an offset past the end of the file, as the format allows
// for a resource without bytes, beside a picture that has them.
std::vector<u8> emptyPicturePastTheEnd() {
    ArchiveImage image;
    std::vector<u8> bytes;
    if (image.add(kPicture, 1, {}) != kErrNone || image.add(kPicture, 2, writePlainBitmap16(stripes(3, 2))) != kErrNone ||
        image.serialize(&bytes) != kErrNone)
        return {};
    ArchiveContents contents;
    if (parseArchiveImage(bytes, &contents) != kErrNone) return {};
    const ArchiveHeader& h = contents.header;
    writeBE32(bytes.data() + h.directoryOffset + h.directorySize + kFileTableHeadSize, u32(bytes.size()) + 100);
    return bytes;
}

class SeedWriter {
public:
    explicit SeedWriter(std::string folder) : folder_(std::move(folder)) {}
    void archive(const char* name, const std::vector<std::pair<FourCC, std::vector<u8>>>& resources) {
        ArchiveImage image;
        u16 id = 1;
        for (const auto& [type, bytes] : resources) {
            if (bytes.empty() || image.add(type, id++, bytes) != kErrNone) ok_ = false;
        }
        std::vector<u8> out;
        if (image.serialize(&out) != kErrNone) ok_ = false;
        if (!ok_) std::fprintf(stderr, "make_readback_seeds: cannot make %s\n", name);
        fuzzseeds::save(folder_, name, out);
    }
    void bytes(const char* name, const std::vector<u8>& bytes) {
        if (bytes.empty()) {
            std::fprintf(stderr, "make_readback_seeds: cannot make %s\n", name);
            ok_ = false;
        }
        fuzzseeds::save(folder_, name, bytes);
    }
    bool ok() const { return ok_; }

private:
    std::string folder_;
    bool ok_ = true;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    fuzzseeds::resetFolder(argv[1]);
    SeedWriter out(argv[1]);
    const std::vector<u8> twoFrames = group({stripes(12, 9), stripes(40, 3)});
    out.archive("picture_and_group", {{kPicture, writePlainBitmap16(stripes(6, 4))}, {kGroup, twoFrames}});
    out.archive("group", {{kGroup, twoFrames}});
    out.archive("pictures", {{kPicture, writePlainBitmap16(stripes(1, 1))},
                             {kPicture, writePlainBitmap16(stripes(7, 3))},
                             {kPicture, writePlainBitmap16(noise(640, 2))},
                             {kPicture, writePlainBitmap16(noise(1, 300))}});
    out.archive("pictures_turned_down", {{kPicture, writeAlphaMask8(stripes(8, 8))},
                                         {kPicture, writePackedBitmap16(stripes(8, 8), RasterBounds{0, 0, 8, 8})}});
    out.archive("plain_group", {{kGroup, group({noise(16, 16), noise(3, 30)})}});
    out.archive("method_b_group", {{kGroup, recompressed(twoFrames, ShapeMethod::B)}});
    out.archive("method_a_noise", {{kGroup, recompressed(group({noise(20, 10)}), ShapeMethod::A)}});
    std::vector<Raster> many;
    for (int i = 1; i <= 24; ++i) many.push_back(stripes(i, 25 - i));
    out.archive("many_frames", {{kGroup, group(many)}, {kGroup, group({stripes(1, 1)})}});
    out.archive("wide_and_tall", {{kGroup, group({stripes(700, 2), stripes(2, 500)})}});
    out.bytes("empty_picture_past_the_end", emptyPicturePastTheEnd());
    return out.ok() ? 0 : 1;
}
