// How long one A4 page takes to become a PDF file (colour order turned, Flate-compressed and
// written, flushed and moved into place) against writing its raw pixels with plain file calls
// and the same flush. The resolution is PRINT_BENCH_DPI (150 when unset).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/print/pdf/PdfFileJob.h"

namespace {

namespace pp = plat::print;

uint16_t resolution() {
    const char* dpi = std::getenv("PRINT_BENCH_DPI");
    const unsigned long value = dpi ? std::strtoul(dpi, nullptr, 10) : 150;
    return uint16_t(value == 0 || value > 1200 ? 150 : value);
}

// A painted A4 page: white paper, a soft sky gradient over the top half, blocks of paint below.
struct Page {
    Page() {
        const uint16_t dpi = resolution();
        width = int32_t((2100L * dpi + 127) / 254);
        height = int32_t((2970L * dpi + 127) / 254);
        stride = (width * 3 + 3) & ~3;
        pixels.assign(size_t(stride) * size_t(height), 0xFF);
        for (int32_t y = 0; y < height / 2; ++y)
            for (int32_t x = 0; x < width; ++x) {
                uint8_t* p = &pixels[size_t(y) * size_t(stride) + size_t(x) * 3];
                p[0] = 255, p[1] = uint8_t(150 + 100 * y / height), p[2] = uint8_t(80 + 100 * x / width);
            }
        for (int32_t y = height / 2; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                if (((x / 40) + (y / 40)) % 3 == 0) {
                    uint8_t* p = &pixels[size_t(y) * size_t(stride) + size_t(x) * 3];
                    p[0] = 30, p[1] = uint8_t(x), p[2] = 200;
                }
        image = pp::PageImage{pixels.data(), width, height, stride, dpi, dpi};
    }
    int32_t width, height, stride;
    std::vector<uint8_t> pixels;
    pp::PageImage image;
};

const Page& page() {
    static const Page made;
    return made;
}

std::string target(const char* name) { return std::string(P_tmpdir) + "/tumblo-bench-" + std::to_string(::getpid()) + name; }

off_t sizeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

void BM_PdfPage(benchmark::State& state) {
    const std::string path = target(".pdf");
    for (auto _ : state) {
        int error = 0;
        auto job = pp::PdfFileJob::create(path, "Bench", nullptr, &error);
        if (!job || job->addPage(page().image) != pp::kSpoolOk || job->finish() != pp::kSpoolOk) {
            state.SkipWithError("the PDF was not written");
            break;
        }
    }
    const off_t size = sizeOf(path);
    if (size <= 0) state.SkipWithError("no PDF file");
    state.counters["file_bytes"] = double(size);
    state.counters["pixels"] = double(page().width) * page().height;
    ::unlink(path.c_str());
}

void BM_RawPage(benchmark::State& state) {
    const std::string path = target(".raw");
    const size_t bytes = page().pixels.size();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool written = fd >= 0 && ::write(fd, page().pixels.data(), bytes) == ssize_t(bytes) && ::fsync(fd) == 0;
        if (fd >= 0) ::close(fd);
        if (!written) {
            state.SkipWithError("the raw page was not written");
            break;
        }
    }
    if (sizeOf(path) != off_t(bytes)) state.SkipWithError("raw file has the wrong size");
    state.counters["file_bytes"] = double(bytes);
    ::unlink(path.c_str());
}

BENCHMARK(BM_PdfPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawPage)->Unit(benchmark::kMillisecond);

}  // namespace
