#pragma once
// Test helpers around PDF files: a scratch folder of one's own, and the pages of a PDF as
// pdftoppm renders them (poppler-utils), read back from its PPM output. Poppler smooths
// pictures it draws at less than four times their size, so pages are rendered at four times
// their resolution and read back from the middle of each 4 x 4 block.
#include <dirent.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testprint {

struct RenderedPage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // red, green, blue per pixel, rows from the top
    // The colour of a picture pixel.
    uint32_t at(int x, int y) const {
        const uint8_t* p = &rgb[(size_t(4 * y + 2) * size_t(4 * width) + size_t(4 * x + 2)) * 3];
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
};

class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/tumblo-print-test-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) out.push_back(entry.path().filename());
        return out;
    }

private:
    std::string path_;
};

// Reads one binary PPM (P6, maxval 255); an empty page when the file is not one.
inline RenderedPage readPpm(const std::string& path) {
    RenderedPage page;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> page.width >> page.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || page.width <= 0 || page.height <= 0) return RenderedPage{};
    page.rgb.resize(size_t(page.width) * size_t(page.height) * 3);
    page.width /= 4;
    page.height /= 4;
    in.read(reinterpret_cast<char*>(page.rgb.data()), std::streamsize(page.rgb.size()));
    if (!in) return RenderedPage{};
    return page;
}

// Every page of the PDF, for pictures of `dpi` pixels per inch; empty when pdftoppm refuses the file.
inline std::vector<RenderedPage> renderPdf(const std::string& pdf, int dpi, const ScratchFolder& scratch) {
    const std::string prefix = scratch.file("render");
    const std::string command =
        "pdftoppm -r " + std::to_string(4 * dpi) + " '" + pdf + "' '" + prefix + "' 2>'" + scratch.file("render.err") + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::vector<std::string> files;
    for (const std::string& name : scratch.names())
        if (name.rfind("render-", 0) == 0) files.push_back(scratch.file(name));
    std::sort(files.begin(), files.end());
    std::vector<RenderedPage> pages;
    for (const std::string& file : files) {
        pages.push_back(readPpm(file));
        std::filesystem::remove(file);
    }
    return pages;
}

}  // namespace testprint
