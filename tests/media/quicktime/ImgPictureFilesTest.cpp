#include <cstdio>
#include <cstring>
#include <filesystem>

#include <gif_lib.h>
#include <png.h>

#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "media/quicktime/ImgJpeg.h"
#include "media/quicktime/ImgPictureFiles.h"
#include "media/quicktime/JpegPictureBlock.h"
#include "tests/media/quicktime/QtTestSupport.h"
#include "tests/platform/media/PictureBytes.h"

namespace pm = plat::media;
using namespace qttest;

namespace {

constexpr u32 kRed = 0xFF0000, kBlue = 0x0000FF;

// The picture that every import test writes: its left half red, its right half blue.
u32 halvesAt(int x, int width) { return x < width / 2 ? kRed : kBlue; }

std::vector<u8> halvesRgb(int w, int h) {
    std::vector<u8> rgb(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const u32 c = halvesAt(x, w);
            u8* p = &rgb[(size_t(y) * w + x) * 3];
            p[0] = u8(c >> 16), p[1] = u8(c >> 8), p[2] = u8(c);
        }
    return rgb;
}

std::vector<u8> pngOf(int w, int h) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w), image.height = png_uint_32(h), image.format = PNG_FORMAT_RGB;
    const std::vector<u8> rgb = halvesRgb(w, h);
    std::vector<u8> out(size_t(w) * h * 4 + 1024);
    png_alloc_size_t size = out.size();
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr));
    out.resize(size);
    return out;
}

std::vector<u8> gifOf(int w, int h) {
    std::vector<u8> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, [](GifFileType* g, const GifByteType* d, int n) {
        auto* v = static_cast<std::vector<u8>*>(g->UserData);
        v->insert(v->end(), d, d + n);
        return n;
    }, &error);
    GifColorType colors[2] = {{255, 0, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colors);
    EGifPutScreenDesc(gif, w, h, 1, 0, map);
    EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr);
    std::vector<GifPixelType> row(static_cast<size_t>(w), 0);
    for (int x = 0; x < w; ++x) row[size_t(x)] = halvesAt(x, w) == kRed ? 0 : 1;
    for (int y = 0; y < h; ++y) EGifPutLine(gif, row.data(), w);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

std::vector<u8> bmp8Of(int w, int h) {
    const int stride = (w + 3) & ~3;
    std::vector<u8> rows(size_t(stride) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) rows[size_t(y) * stride + x] = halvesAt(x, w) == kRed ? 0 : 1;
    return picturebytes::bmp(w, h, 8, 0, {kRed, kBlue}, rows);
}

std::vector<u8> pictOf(int w, int h) {
    std::vector<u8> indices(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) indices[size_t(y) * w + x] = halvesAt(x, w) == kRed ? 0 : 1;
    return picturebytes::pict8(u16(w), u16(h), {kRed, kBlue}, indices);
}

class ImgPictureFiles : public QtRuntimeTest {
protected:
    std::vector<u8> blockBytes(memHandle handle) {
        const u8* data = static_cast<const u8*>(memLockHandle(handle));
        std::vector<u8> bytes(data, data + memGetHandleSize(handle));
        memUnlockHandle(handle);
        memFreeHandle(handle);
        return bytes;
    }
    Decoded decodeBlock(memHandle handle) {
        const std::vector<u8> block = blockBytes(handle);
        return decodeWithLibjpeg(block.data() + kJpegBlockHeaderSize, block.size() - kJpegBlockHeaderSize);
    }
    static u32 colorAt(const Decoded& d, int x, int y) {
        const u8* p = &d.rgb[(size_t(y) * d.width + x) * 3];
        // Snapped to the nearest of the two test colours.
        return p[0] > p[2] ? kRed : kBlue;
    }
    // A 16-bit port with its left half red and right half blue.
    GfxPort* halvesPort(i16 w, i16 h) {
        GfxPort* port = gfxNewOffscreenPort(u16(w), u16(h), 16, nullptr);
        gfxLockPort(port);
        gfxSetPort(port);
        gfxFillRect(Rect16{0, 0, i16(w / 2), h}, GfxColor::rgb(255, 0, 0), 0);
        gfxFillRect(Rect16{i16(w / 2), 0, w, h}, GfxColor::rgb(0, 0, 255), 0);
        gfxSetPort(nullptr);
        return port;
    }
    void dispose(GfxPort* port) {
        gfxUnlockPort(port);
        gfxDisposePort(port);
    }
    static std::string run(const std::string& command) {
        std::string out;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
            pclose(pipe);
        }
        return out;
    }
};

}  // namespace

TEST_F(ImgPictureFiles, ImportsEveryFormatOurTestsWrite) {
    struct Case {
        const char* name;
        std::vector<u8> bytes;
    };
    const Case cases[] = {
        {"picture.jpg", encodeWithLibjpeg(32, 16, 3, halvesRgb(32, 16))},
        {"picture.png", pngOf(32, 16)},
        {"picture.gif", gifOf(32, 16)},
        {"picture.bmp", bmp8Of(32, 16)},
        {"picture.pct", pictOf(32, 16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(file(c.name), c.bytes);
        Rect16 bounds{};
        u32 total = 0;
        const memHandle handle = imgFileToJPEG(file(c.name), &total, &bounds);
        ASSERT_NE(handle, 0);
        EXPECT_EQ(bounds.right, 32);
        EXPECT_EQ(bounds.bottom, 16);
        EXPECT_EQ(u32(memGetHandleSize(handle)), total);
        const Decoded d = decodeBlock(handle);
        ASSERT_EQ(d.width, 32);
        EXPECT_EQ(colorAt(d, 4, 8), kRed);
        EXPECT_EQ(colorAt(d, 28, 8), kBlue);
    }
}

TEST_F(ImgPictureFiles, FilesNoImporterReadsGiveNoPicture) {
    writeFile(file("notes.txt"), {'n', 'o', 't', 'e', 's'});
    EXPECT_EQ(imgFileToJPEG(file("notes.txt"), nullptr, nullptr), 0);
    EXPECT_EQ(imgFileToJPEG(file("missing.png"), nullptr, nullptr), 0);
}

TEST(ImgRectFit, ShrinksAndGrowsByTheSmallerGap) {
    struct Case {
        const char* name;
        Rect16 picture, target;
        u16 shrink;
        Rect16 fitted;
    };
    const Case cases[] = {
        {"100 x 50 shrunk into 40 x 40", {0, 0, 100, 50}, {0, 0, 40, 40}, 1, {0, 0, 40, 20}},
        {"50 x 100 shrunk into 40 x 40", {0, 0, 50, 100}, {0, 0, 40, 40}, 1, {0, 0, 20, 40}},
        {"fits: shrinking keeps it", {0, 0, 20, 10}, {0, 0, 40, 40}, 1, {0, 0, 20, 10}},
        {"20 x 10 grown into 40 x 40", {0, 0, 20, 10}, {0, 0, 40, 40}, 0, {0, 10, 40, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rect16 r = c.picture;
        RectFit(&r, c.target, c.shrink, 0);
        EXPECT_EQ(r.left, c.fitted.left);
        EXPECT_EQ(r.top, c.fitted.top);
        EXPECT_EQ(r.right, c.fitted.right);
        EXPECT_EQ(r.bottom, c.fitted.bottom);
    }
}

TEST_F(ImgPictureFiles, PlacementModes) {
    writeFile(file("small.png"), pngOf(30, 20));
    writeFile(file("big.png"), pngOf(100, 50));
    struct Case {
        const char* name;
        const char* file;
        Rect16 target;
        u32 mode;
        Rect16 pictureRect, placement;
        int width, height;
    };
    const Case cases[] = {
        {"natural size", "small.png", {0, 0, 100, 50}, kImgPlaceNatural, {0, 0, 30, 20}, {0, 0, 100, 50}, 30, 20},
        {"natural, too big: stretched", "big.png", {0, 0, 40, 40}, kImgPlaceNatural, {0, 0, 100, 50}, {0, 0, 40, 40}, 40, 40},
        {"fitted, too big", "big.png", {0, 0, 40, 40}, kImgPlaceFit, {0, 10, 40, 30}, {0, 0, 0, 0}, 40, 20},
        {"centred", "small.png", {0, 0, 100, 50}, kImgPlaceCentre, {0, 0, 30, 20}, {35, 15, 65, 35}, 30, 20},
        {"centred, exact size", "small.png", {0, 0, 30, 20}, kImgPlaceCentre, {0, 0, 30, 20}, {0, 0, 30, 20}, 30, 20},
        {"centred, too big: fitted", "big.png", {0, 0, 40, 40}, kImgPlaceCentre, {0, 10, 40, 30}, {0, 0, 0, 0}, 40, 20},
        {"tiled", "small.png", {0, 0, 100, 50}, kImgPlaceTile, {0, 0, 30, 20}, {0, 0, 100, 50}, 100, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rect16 pictureRect{}, placement{-1, -1, -1, -1};
        const memHandle handle =
            imgImportFileToBitmap(file(c.file), nullptr, 0, &pictureRect, c.target, &placement, c.mode, nullptr);
        ASSERT_NE(handle, 0);
        EXPECT_EQ(pictureRect.left, c.pictureRect.left);
        EXPECT_EQ(pictureRect.top, c.pictureRect.top);
        EXPECT_EQ(pictureRect.right, c.pictureRect.right);
        EXPECT_EQ(pictureRect.bottom, c.pictureRect.bottom);
        EXPECT_EQ(placement.left, c.placement.left);
        EXPECT_EQ(placement.top, c.placement.top);
        EXPECT_EQ(placement.right, c.placement.right);
        EXPECT_EQ(placement.bottom, c.placement.bottom);
        const Decoded d = decodeBlock(handle);
        EXPECT_EQ(d.width, c.width);
        EXPECT_EQ(d.height, c.height);
    }
}

TEST_F(ImgPictureFiles, TilesRunInColumnsFromTheLeft) {
    writeFile(file("tile.png"), pngOf(30, 20));
    const memHandle handle =
        imgImportFileToBitmap(file("tile.png"), nullptr, 0, nullptr, Rect16{0, 0, 100, 50}, nullptr, kImgPlaceTile, nullptr);
    ASSERT_NE(handle, 0);
    const Decoded d = decodeBlock(handle);
    ASSERT_EQ(d.width, 100);
    // Columns start at 0, 30, 60 and 90: each starts red and turns blue halfway.
    for (int column : {0, 30, 60, 90}) {
        EXPECT_EQ(colorAt(d, column + 3, 25), kRed) << column;
        if (column + 20 < 100) {
            EXPECT_EQ(colorAt(d, column + 20, 45), kBlue) << column;
        }
    }
}

TEST_F(ImgPictureFiles, ExportsReadBackByOtherReaders) {
    GfxPort* port = halvesPort(40, 20);
    struct Case {
        u32 format;
        const char* name;
        const char* kind;
    };
    const Case cases[] = {
        {pm::kMrExportBmp, "out.bmp", "bmp"},   {pm::kMrExportPng, "out.png", "png"},
        {pm::kMrExportGif, "out.gif", "gif"},   {pm::kMrExportTiff, "out.tif", "tiff"},
        {pm::kMrExportPict, "out.pct", "pict"}, {pm::kMrExportJpeg, "out.jpg", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(imgExportPicture(file(c.name), port, Rect16{0, 0, 40, 20}, c.format), 0);
        if (c.kind) {
            const std::string header =
                run("python3 " MEDIA_TEST_SCRIPTS_DIR "/read_picture_headers.py " + file(c.name));
            EXPECT_EQ(header, std::string(c.kind) + " 40 20\n");
        } else {
            const std::vector<u8> jpeg = readFile(file(c.name));
            const Decoded d = decodeWithLibjpeg(jpeg.data(), jpeg.size());
            EXPECT_EQ(d.width, 40);
            EXPECT_EQ(colorAt(d, 5, 10), kRed);
            EXPECT_EQ(colorAt(d, 35, 10), kBlue);
        }
        // Each export our importers read comes back as the picture it came from.
        if (c.format != pm::kMrExportJpeg && c.format != pm::kMrExportTiff) {
            const memHandle again = imgFileToJPEG(file(c.name), nullptr, nullptr);
            ASSERT_NE(again, 0);
            const Decoded d = decodeBlock(again);
            EXPECT_EQ(colorAt(d, 5, 10), kRed);
            EXPECT_EQ(colorAt(d, 35, 10), kBlue);
        }
    }
    dispose(port);
}

TEST_F(ImgPictureFiles, DjpegReadsTheJpegExport) {
    if (run("command -v djpeg").empty()) GTEST_FAIL() << "djpeg is not installed (libjpeg-turbo-progs, scripts/install-deps)";
    GfxPort* port = halvesPort(40, 20);
    ASSERT_EQ(imgExportPicture(file("out.jpg"), port, Rect16{0, 0, 40, 20}, pm::kMrExportJpeg), 0);
    dispose(port);
    EXPECT_EQ(run("djpeg -pnm " + file("out.jpg") + " | head -c 9"), "P6\n40 20\n");
}

TEST_F(ImgPictureFiles, AFailedExportLeavesTheUsersFileAsItWas) {
    const std::vector<u8> precious = {'m', 'i', 'n', 'e'};
    GfxPort* port = halvesPort(40, 20);
    GfxPort* wide = halvesPort(4100, 2);
    struct Case {
        const char* name;
        GfxPort* port;
        Rect16 rect;
        u32 format;
    };
    // 4095 pixels is the widest 32-bit PICT row; 4100 is refused by the writer.
    const Case cases[] = {
        {"unknown format", port, {0, 0, 40, 20}, fourCC("XXXX")},
        {"picture the format cannot hold", wide, {0, 0, 4100, 2}, pm::kMrExportPict},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(file("keep.pct"), precious);
        EXPECT_NE(imgExportPicture(file("keep.pct"), c.port, c.rect, c.format), 0);
        EXPECT_EQ(readFile(file("keep.pct")), precious);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 1);
    }
    EXPECT_EQ(imgExportPicture(file("keep.pct"), wide, Rect16{0, 0, 4095, 2}, pm::kMrExportPict), 0);
    EXPECT_NE(readFile(file("keep.pct")), precious);
    dispose(port);
    dispose(wide);
}

TEST(ImgExportResult, MapsRuntimeResultsToEngineCodes) {
    const std::pair<i16, u16> cases[] = {{-108, 10103}, {-54, 10300}, {-45, 10300}, {-5000, 10300},
                                         {-34, 10313},  {-33, 10313}, {-2003, 1},   {0, 1}};
    for (auto [runtime, engine] : cases) EXPECT_EQ(imgExportResult(runtime), engine) << runtime;
}

TEST_F(ImgPictureFiles, WithoutTheRuntimeImportAndExportFailQuietly) {
    writeFile(file("small.png"), pngOf(30, 20));
    GfxPort* port = halvesPort(10, 10);
    qtFreeLibrary(nullptr);
    EXPECT_EQ(imgFileToJPEG(file("small.png"), nullptr, nullptr), 0);
    EXPECT_EQ(imgImportFileToBitmap(file("small.png"), nullptr, 0, nullptr, Rect16{0, 0, 10, 10}, nullptr,
                                    kImgPlaceNatural, nullptr), 0);
    EXPECT_EQ(imgExportPicture(file("out.png"), port, Rect16{0, 0, 10, 10}, pm::kMrExportPng), kImgExportOther);
    EXPECT_FALSE(std::filesystem::exists(file("out.png")));
    dispose(port);
}
