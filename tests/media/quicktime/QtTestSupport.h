#pragma once
// Fixtures for the media runtime's client: the memory manager and palettes started and the
// runtime connected from the program folder; worlds filled with patterns; JPEG streams read
// back by bare libjpeg and compared by their peak signal-to-noise ratio.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "engine/base/MemoryHandles.h"
#include "engine/gfx/GfxPalette.h"
#include "engine/gfx/GfxPort.h"
#include "media/quicktime/QtRuntime.h"
#include "platform/gdi/DisplayPalette.h"

namespace qttest {

class QtRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        plat::gdi::DisplayPalette::instance().restoreDefaults();
        ASSERT_EQ(gfxInitPalettes(), kErrNone);
        qtSetSearchFolders({MEDIA_RUNTIME_DIR});
        library_ = qtLoadLibrary();
        ASSERT_NE(library_, nullptr);
        folder_ = std::filesystem::temp_directory_path() /
                  ("qt_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                   std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        gfxSetPort(nullptr);
        qtFreeLibrary(std::move(library_));
        qtSetSearchFolders({});
        gfxShutdownPalettes();
        memShutdown();
        std::filesystem::remove_all(folder_);
    }
    std::string folder_str() const { return folder_.string(); }
    std::string file(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;

private:
    QtLibrary library_;
};

// A smooth colour pattern: red across, green down, blue along the diagonal.
inline void patternAt(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t* rgb) {
    rgb[0] = uint8_t(x * 255 / std::max(w - 1, 1));
    rgb[1] = uint8_t(y * 255 / std::max(h - 1, 1));
    rgb[2] = uint8_t(((x + y) * 255) / std::max(w + h - 2, 1));
}

struct Decoded {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<uint8_t> rgb;
};

// Bare libjpeg, as any other program would read the stream; empty on failure.
inline Decoded decodeWithLibjpeg(const uint8_t* data, size_t size) {
    Decoded out;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, (unsigned long)size);
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return out;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = int(cinfo.output_width), out.height = int(cinfo.output_height), out.components = cinfo.num_components;
    out.rgb.resize(size_t(out.width) * out.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + size_t(cinfo.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

// Bare libjpeg writing an RGB or grey picture at quality 90.
inline std::vector<uint8_t> encodeWithLibjpeg(int w, int h, int components, const std::vector<uint8_t>& pixels) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(w), cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + size_t(cinfo.next_scanline) * w * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> bytes(out, out + size);
    free(out);
    return bytes;
}

inline std::vector<uint8_t> patternRgb(int w, int h) {
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) patternAt(x, y, w, h, &rgb[(size_t(y) * w + x) * 3]);
    return rgb;
}

inline double psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += double(int(a[i]) - int(b[i])) * double(int(a[i]) - int(b[i]));
    if (sum == 0) return 99;
    return 10 * std::log10(255.0 * 255.0 / (sum / double(a.size())));
}

inline std::vector<uint8_t> readFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(uint8_t(c));
        std::fclose(f);
    }
    return bytes;
}

inline void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace qttest
