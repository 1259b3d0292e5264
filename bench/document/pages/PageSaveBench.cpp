// Saving an 800 x 600 picture with its objects and opening it again, against writing and
// reading back the same number of bytes with plain file calls. The object count is the
// benchmark's argument.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/pages/RPageData.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/TextRecords.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/os/OsManager.h"
#include "platform/drives/Drives.h"

namespace {

using namespace Ostrel;

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
        pathFromText(&path_, "B:\\Page.tbx");
    }
    ~Workshop() {
        pathRelease(&path_);
        resShutdown();
        osShutdown();
        memShutdown();
        osmShutdown();
        drive_.reset();
        std::filesystem::remove_all(root_);
    }
    const Path* path() const { return &path_; }
    std::string host(const std::string& name) const { return root_ + "/" + name; }

private:
    std::string root_;
    std::unique_ptr<plat::FakeDrive> drive_;
    Path path_{};
};

// The background and objects-1 small texts, stickers and sounds in turn.
void fill(RPageData& page, int objects) {
    page.EnsureBackground();
    for (int i = 1; i < objects; ++i) {
        const i16 at = i16(i * 10);
        std::vector<u8> media;
        switch (i % 3) {
        case 0: writeTextRecord({"Sans", 20, 0, 0, "Once upon a time " + std::to_string(i)}, &media); break;
        case 1: media.assign(8 * 1024, u8(i)); break;
        default: media.assign(20 * 1024, u8(i)); break;
        }
        const FourCC kinds[] = {kTypeText, kTypeFlash, kTypeSound};
        page.AddObject(kinds[i % 3], -1, media, {at, at, i16(at + 50), i16(at + 40)});
    }
}

void BM_SaveAndReopenPage(benchmark::State& state) {
    Workshop workshop;
    RPageData page;
    fill(page, int(state.range(0)));
    for (auto _ : state) {
        page.SetDirtyState(true);
        if (page.SaveToFile(workshop.path()) != kErrNone) state.SkipWithError("the save failed");
        RPageData back;
        if (back.OpenAndLoad(workshop.path()) != kErrNone || back.ObjectCount() != page.ObjectCount())
            state.SkipWithError("the page did not come back");
    }
    state.SetBytesProcessed(i64(state.iterations()) * i64(std::filesystem::file_size(workshop.host("Page.tbx"))));
}
BENCHMARK(BM_SaveAndReopenPage)->Arg(50)->Unit(benchmark::kMillisecond);

// The same bytes through a new file, flushed and renamed over the old, then read back.
void BM_PlainWriteAndRead(benchmark::State& state) {
    Workshop workshop;
    RPageData page;
    fill(page, int(state.range(0)));
    page.SaveToFile(workshop.path());
    const size_t size = std::filesystem::file_size(workshop.host("Page.tbx"));
    std::vector<char> bytes(size, 'x'), back(size);
    const std::string target = workshop.host("Plain.bin"), temporary = target + ".tmp";
    for (auto _ : state) {
        const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const bool written = out >= 0 && ::write(out, bytes.data(), size) == ssize_t(size) && ::fsync(out) == 0;
        if (out >= 0) ::close(out);
        if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) state.SkipWithError("the write failed");
        const int in = ::open(target.c_str(), O_RDONLY);
        const bool read = in >= 0 && ::read(in, back.data(), size) == ssize_t(size);
        if (in >= 0) ::close(in);
        if (!read || back != bytes) state.SkipWithError("the read failed");
    }
    state.SetBytesProcessed(i64(state.iterations()) * i64(size));
}
BENCHMARK(BM_PlainWriteAndRead)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
