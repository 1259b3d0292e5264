// Reading every resource of a large archive through the resource manager, against plain
// positioned reads of the same bytes; compacting an archive on closing, against copying
// the whole file. The engine runs as in the program, OS manager first; each benchmark checks
// that its calls succeeded and read or wrote what they should. Times are wall-clock: archive
// reads may be served by the engine's reader thread. Run with TUMBLO_HEADLESS=1.
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
        ready_ = osmInit(nullptr) == kErrNone && osInit() == kErrNone && memInit(0, 4096) == kErrNone &&
                 resInit() == kErrNone;
    }
    ~Workshop() {
        resShutdown();
        memShutdown();
        osShutdown();
        osmShutdown();
        drive_.reset();
        std::filesystem::remove_all(root_);
    }
    std::string hostPath(const std::string& name) const { return root_ + "/" + name; }
    bool ready() const { return ready_; }

    // Creates an archive of `count` resources and returns where their data lie; empty when
    // any step failed.
    std::vector<Range> build(const std::string& name, u16 count) {
        Path path;
        pathFromText(&path, ("B:\\" + name).c_str());
        bool whole = resCreateFile(&path) == kErrNone;
        const ResMapHandle map = resOpenFile(&path, 0, 0);
        pathRelease(&path);
        whole = whole && map != 0;
        std::vector<u8> data(kResourceSize);
        for (u16 id = 1; whole && id <= count; ++id) {
            data.assign(kResourceSize, u8(id));
            whole = resWriteResource(resAddResource(kType, id, nullptr), data.data(), kResourceSize, kResAppend) ==
                    kErrNone;
        }
        std::vector<Range> ranges;
        for (u16 id = 1; whole && id <= count; ++id) {
            ArchiveFile* file = nullptr;
            Range r{};
            whole = resGetResourceInfo(resFindResource(kType, id, map), &file, &r.offset, &r.size) == kErrNone &&
                    r.size == kResourceSize;
            ranges.push_back(r);
        }
        if (map != 0) whole = resCloseFile(map, 0, 0) == kErrNone && whole;
        return whole ? ranges : std::vector<Range>{};
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
    bool ready_ = false;
};

// Made on first use, stopped by main before the platform's own static objects go.
std::unique_ptr<Workshop>& workshopInstance() {
    static std::unique_ptr<Workshop> instance;
    return instance;
}

Workshop& workshop() {
    if (!workshopInstance()) workshopInstance() = std::make_unique<Workshop>();
    return *workshopInstance();
}

const std::vector<Range>& readArchive() {
    static const std::vector<Range> ranges = workshop().build("read.kvr", kReadCount);
    return ranges;
}

// Whether the engine started and the archive to read was built; marks the benchmark failed if not.
bool readArchiveReady(benchmark::State& state) {
    if (!workshop().ready()) state.SkipWithError("the engine did not start");
    else if (readArchive().size() != kReadCount) state.SkipWithError("the archive could not be built");
    else return true;
    return false;
}

void BM_LoadEveryResource(benchmark::State& state) {
    if (!readArchiveReady(state)) return;
    const ResMapHandle map = workshop().open("read.kvr");
    if (map == 0) {
        state.SkipWithError("the archive did not open");
        return;
    }
    u32 wrong = 0;
    for (auto _ : state) {
        for (u16 id = 1; id <= kReadCount; ++id) {
            const ResourceRef ref = resFindResource(kType, id, map);
            const memHandle data = resLoadResource(ref, 0);
            // Each resource holds its id in every byte: one byte shows the right data arrived.
            const auto* bytes = data ? static_cast<const u8*>(memDerefHandle(data)) : nullptr;
            wrong += bytes == nullptr || bytes[kResourceSize - 1] != u8(id);
            resReleaseResource(ref, 0);
        }
    }
    if (resCloseFile(map, 0, 0) != kErrNone || wrong != 0) state.SkipWithError("resources did not load whole");
    state.SetBytesProcessed(i64(state.iterations()) * kReadCount * kResourceSize);
}
BENCHMARK(BM_LoadEveryResource)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PreadEveryRange(benchmark::State& state) {
    if (!readArchiveReady(state)) return;
    const std::vector<Range>& ranges = readArchive();
    const int fd = ::open(workshop().hostPath("read.kvr").c_str(), O_RDONLY);
    if (fd < 0) {
        state.SkipWithError("the archive did not open");
        return;
    }
    std::vector<u8> buffer(kResourceSize);
    u32 wrong = 0;
    for (auto _ : state) {
        for (const Range& r : ranges) wrong += ::pread(fd, buffer.data(), r.size, r.offset) != ssize_t(r.size);
    }
    ::close(fd);
    if (wrong != 0) state.SkipWithError("reads came back short");
    state.SetBytesProcessed(i64(state.iterations()) * kReadCount * kResourceSize);
}
BENCHMARK(BM_PreadEveryRange)->Unit(benchmark::kMillisecond)->UseRealTime();

// An archive whose every other resource was removed: half its data moves on compaction.
// False when the template could not be built.
bool prepareHoles() {
    static const bool built = workshop().ready() && workshop().build("holes-template.kvr", kCompactCount).size() == kCompactCount;
    if (!built) return false;
    std::filesystem::copy_file(workshop().hostPath("holes-template.kvr"), workshop().hostPath("holes.kvr"),
                               std::filesystem::copy_options::overwrite_existing);
    return true;
}

void BM_CompactOnClose(benchmark::State& state) {
    u32 failures = 0;
    std::uintmax_t compacted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!prepareHoles()) {
            state.SkipWithError("the archive could not be built");
            return;
        }
        const ResMapHandle map = workshop().open("holes.kvr");
        failures += map == 0;
        for (u16 id = 1; map != 0 && id <= kCompactCount; id += 2)
            failures += resRemoveResource(resFindResource(kType, id, map)) != kErrNone;
        state.ResumeTiming();
        failures += map == 0 || resCloseFile(map, 1, 0) != kErrNone;
        state.PauseTiming();
        compacted = std::filesystem::file_size(workshop().hostPath("holes.kvr"));
        state.ResumeTiming();
    }
    // Half the resources are gone: the compacted file holds little more than the other half.
    if (failures != 0) state.SkipWithError("an archive call failed");
    else if (compacted > std::uintmax_t(kCompactCount / 2 + 1) * kResourceSize) state.SkipWithError("the archive was not compacted");
    state.SetBytesProcessed(i64(state.iterations()) * kCompactCount / 2 * kResourceSize);
}
BENCHMARK(BM_CompactOnClose)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyWholeFile(benchmark::State& state) {
    if (!prepareHoles()) {
        state.SkipWithError("the archive could not be built");
        return;
    }
    for (auto _ : state) {
        std::filesystem::copy_file(workshop().hostPath("holes.kvr"), workshop().hostPath("copy.kvr"),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    if (std::filesystem::file_size(workshop().hostPath("copy.kvr")) != std::filesystem::file_size(workshop().hostPath("holes.kvr")))
        state.SkipWithError("the copy differs in size");
    state.SetBytesProcessed(i64(state.iterations()) * kCompactCount * kResourceSize);
}
BENCHMARK(BM_CopyWholeFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    workshopInstance().reset();
    return 0;
}
