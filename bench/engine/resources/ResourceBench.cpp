// Reading every resource of a large archive through the resource manager, against plain
// positioned reads of the same bytes; compacting an archive on closing, against copying
// the whole file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"
#include "platform/drives/Drives.h"

namespace {

const FourCC kType = fourCC("tBMP");
constexpr u32 kResourceSize = 64 * 1024;
constexpr u16 kReadCount = 800;     // 50 MB
constexpr u16 kCompactCount = 128;  // 8 MB, rebuilt for every run

struct Range {
    u32 offset;
    u32 size;
};

// The engine started over a scratch folder played by drive B:.
class Workshop {
public:
    Workshop() {
        char pattern[] = "/tmp/tumblo-bench-XXXXXX";
        root_ = ::mkdtemp(pattern);
        drive_ = std::make_unique<plat::FakeDrive>('B', plat::FakeDisc{root_, "BENCH", 42, "ext4", 255},
                                                   plat::DriveType::Fixed);
        osmInit(nullptr);
        memInit(0, 4096);
        osInit();
        resInit();
    }
    ~Workshop() {
        resShutdown();
        osShutdown();
        memShutdown();
        osmShutdown();
        drive_.reset();
        std::filesystem::remove_all(root_);
    }
    std::string hostPath(const std::string& name) const { return root_ + "/" + name; }

    // Creates an archive of `count` resources and returns where their data lie.
    std::vector<Range> build(const std::string& name, u16 count) {
        Path path;
        pathFromText(&path, ("B:\\" + name).c_str());
        resCreateFile(&path);
        const ResMapHandle map = resOpenFile(&path, 0, 0);
        std::vector<u8> data(kResourceSize);
        for (u16 id = 1; id <= count; ++id) {
            data.assign(kResourceSize, u8(id));
            resWriteResource(resAddResource(kType, id, nullptr), data.data(), kResourceSize, kResAppend);
        }
        std::vector<Range> ranges;
        for (u16 id = 1; id <= count; ++id) {
            ArchiveFile* file = nullptr;
            Range r{};
            resGetResourceInfo(resFindResource(kType, id, map), &file, &r.offset, &r.size);
            ranges.push_back(r);
        }
        resCloseFile(map, 0, 0);
        pathRelease(&path);
        return ranges;
    }
    ResMapHandle open(const std::string& name) {
        Path path;
        pathFromText(&path, ("B:\\" + name).c_str());
        const ResMapHandle map = resOpenFile(&path, 0, 0);
        pathRelease(&path);
        return map;
    }

private:
    std::string root_;
    std::unique_ptr<plat::FakeDrive> drive_;
};

Workshop& workshop() {
    static Workshop instance;
    return instance;
}

const std::vector<Range>& readArchive() {
    static const std::vector<Range> ranges = workshop().build("read.kvr", kReadCount);
    return ranges;
}

void BM_LoadEveryResource(benchmark::State& state) {
    readArchive();
    const ResMapHandle map = workshop().open("read.kvr");
    for (auto _ : state) {
        for (u16 id = 1; id <= kReadCount; ++id) {
            const ResourceRef ref = resFindResource(kType, id, map);
            const memHandle handle = resLoadResource(ref, 0);
            if (handle == 0 || memGetHandleSize(handle) != i32(kResourceSize)) {
                state.SkipWithError("a resource did not load");
                break;
            }
            resReleaseResource(ref, 0);
        }
    }
    resCloseFile(map, 0, 0);
    state.SetBytesProcessed(i64(state.iterations()) * kReadCount * kResourceSize);
}
BENCHMARK(BM_LoadEveryResource)->Unit(benchmark::kMillisecond);

void BM_PreadEveryRange(benchmark::State& state) {
    const std::vector<Range>& ranges = readArchive();
    const int fd = ::open(workshop().hostPath("read.kvr").c_str(), O_RDONLY);
    std::vector<u8> buffer(kResourceSize);
    for (auto _ : state) {
        for (const Range& r : ranges) benchmark::DoNotOptimize(::pread(fd, buffer.data(), r.size, r.offset));
    }
    ::close(fd);
    state.SetBytesProcessed(i64(state.iterations()) * kReadCount * kResourceSize);
}
BENCHMARK(BM_PreadEveryRange)->Unit(benchmark::kMillisecond);

// An archive whose every other resource was removed: half its data moves on compaction.
void prepareHoles() {
    static bool built = false;
    if (!built) workshop().build("holes-template.kvr", kCompactCount);
    built = true;
    std::filesystem::copy_file(workshop().hostPath("holes-template.kvr"), workshop().hostPath("holes.kvr"),
                               std::filesystem::copy_options::overwrite_existing);
}

void BM_CompactOnClose(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        prepareHoles();
        const ResMapHandle map = workshop().open("holes.kvr");
        for (u16 id = 1; id <= kCompactCount; id += 2) resRemoveResource(resFindResource(kType, id, map));
        state.ResumeTiming();
        if (resCloseFile(map, 1, 0) != kErrNone) {
            state.SkipWithError("closing with compaction failed");
            break;
        }
        state.PauseTiming();
        const bool halved = std::filesystem::file_size(workshop().hostPath("holes.kvr")) < u64(kCompactCount / 2 + 1) * kResourceSize;
        state.ResumeTiming();
        if (!halved) {
            state.SkipWithError("compaction left the removed data");
            break;
        }
    }
    state.SetBytesProcessed(i64(state.iterations()) * kCompactCount / 2 * kResourceSize);
}
BENCHMARK(BM_CompactOnClose)->Unit(benchmark::kMillisecond);

void BM_CopyWholeFile(benchmark::State& state) {
    prepareHoles();
    for (auto _ : state) {
        std::filesystem::copy_file(workshop().hostPath("holes.kvr"), workshop().hostPath("copy.kvr"),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    state.SetBytesProcessed(i64(state.iterations()) * kCompactCount * kResourceSize);
}
BENCHMARK(BM_CopyWholeFile)->Unit(benchmark::kMillisecond);

}  // namespace
