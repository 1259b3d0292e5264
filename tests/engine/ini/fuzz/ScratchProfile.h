#pragma once
// A profile on a drive T: of this process alone (a scratch folder of its own, so that fuzzers
// run side by side never share a file), with the services the INI module reads and writes
// through: the profile fuzzer and its seed maker both write profiles here.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "platform/clock/Clock.h"
#include "platform/drives/Drives.h"

class ScratchProfile {
public:
    explicit ScratchProfile(const char* fileName = "fuzz.ini") : fileName_(fileName) {
        // In memory where the system has it: every write flushes the file and its folder, which
        // on a disk would make each input take milliseconds.
        std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/tumblo-ini-XXXXXX" : "/tmp/tumblo-ini-XXXXXX";
        if (!::mkdtemp(pattern.data())) std::abort();
        folder_ = pattern;
        drive_ = std::make_unique<plat::FakeDrive>('T', plat::FakeDisc{folder_, "SCRATCH", 4242, "CDFS", 255},
                                                   plat::DriveType::Fixed);
        if (osmInit(nullptr) != kErrNone || osInit() != kErrNone || memInit(0, 512) != kErrNone ||
            iniInit() != kErrNone)
            std::abort();
        pathFromText(&path_, ("T:\\" + fileName_).c_str());
    }
    ~ScratchProfile() {
        pathRelease(&path_);
        iniShutdown();
        memShutdown();
        osShutdown();
        osmShutdown();
        drive_.reset();
        std::filesystem::remove_all(folder_);
    }
    ScratchProfile(const ScratchProfile&) = delete;
    ScratchProfile& operator=(const ScratchProfile&) = delete;

    const Path* path() const { return &path_; }
    const std::string& folder() const { return folder_; }

    // Gives the profile these bytes, forgetting whatever the INI module held of the old ones.
    void put(std::string_view bytes) {
        restart();
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) std::filesystem::remove_all(entry.path());
        std::ofstream(hostFile(), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    // The next read loads the file again, as a later run of the program would.
    void restart() {
        iniShutdown();
        if (iniInit() != kErrNone) std::abort();
    }
    std::string onDisk() const {
        std::ifstream in(hostFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The names of the files in the folder.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) names.push_back(entry.path().filename());
        return names;
    }

private:
    std::string hostFile() const { return folder_ + "/" + fileName_; }

    plat::ScopedFakeClock clock_{100000};
    std::string fileName_;
    std::string folder_;
    std::unique_ptr<plat::FakeDrive> drive_;
    Path path_{};
};
