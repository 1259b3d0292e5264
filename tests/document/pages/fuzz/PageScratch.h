#pragma once
// A scratch folder of this process with the services a page archive is opened and saved
// through (memory, OS, profiles, resources): the page fuzzer and its seed maker share it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"

class PageScratch {
public:
    PageScratch() {
        std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/tumblo-page-XXXXXX" : "/tmp/tumblo-page-XXXXXX";
        if (!::mkdtemp(pattern.data())) std::abort();
        folder_ = pattern;
        if (memInit(0, 512) != kErrNone || osmInit(nullptr) != kErrNone || osInit() != kErrNone ||
            iniInit() != kErrNone || resInit() != kErrNone)
            std::abort();
    }
    ~PageScratch() {
        resShutdown();
        iniShutdown();
        osShutdown();
        osmShutdown();
        memShutdown();
        std::filesystem::remove_all(folder_);
    }
    PageScratch(const PageScratch&) = delete;
    PageScratch& operator=(const PageScratch&) = delete;

    // The engine path of `name` in the folder.
    Ostrel::EnginePath path(const std::string& name) const {
        return Ostrel::EnginePath(Ostrel::engineTextOfHostFolder(folder_) + "\\" + name);
    }
    void put(const std::string& name, const uint8_t* data, size_t size) const {
        std::ofstream(folder_ + "/" + name, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    std::vector<uint8_t> read(const std::string& name) const {
        std::ifstream in(folder_ + "/" + name, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    void remove(const std::string& name) const { std::filesystem::remove(folder_ + "/" + name); }

private:
    std::string folder_;
};
