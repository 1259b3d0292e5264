// Reading 1000 keys from a 64 KB profile through the INI module, side by side with a plain
// scan of the same text held in memory (find the header, then the key line, per read).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ini/IniProfiles.h"
#include "engine/base/MemoryHandles.h"
#include "engine/os/OsManager.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "platform/files/Files.h"

namespace {

constexpr int kSections = 40;
constexpr int kKeysPerSection = 58;  // just under the 64 KB a profile may hold
constexpr int kReads = 1000;

struct Lookup {
    std::string section;
    std::string key;
};

std::string makeProfile() {
    std::string text;
    for (int s = 0; s < kSections; ++s) {
        text += "[Section" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < kKeysPerSection; ++k) {
            text += "Key" + std::to_string(k) + " = value number " + std::to_string(s * 1000 + k) + "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

std::vector<Lookup> makeLookups() {
    std::vector<Lookup> lookups;
    unsigned seed = 12345;
    for (int i = 0; i < kReads; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int s = int((seed >> 8) % kSections);
        const int k = int((seed >> 20) % kKeysPerSection);
        lookups.push_back({"section" + std::to_string(s), "KEY" + std::to_string(k)});
    }
    return lookups;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

// The naive reader: line by line from the start for every read.
std::string_view scanValue(std::string_view text, std::string_view section, std::string_view key) {
    bool inSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\r', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 2;
        if (!line.empty() && line[0] == '[') {
            if (inSection) return {};
            const size_t close = line.find(']');
            inSection = close != std::string_view::npos && equalNoCase(line.substr(1, close - 1), section);
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        std::string_view name = line.substr(0, equals);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        if (!equalNoCase(name, key)) continue;
        std::string_view value = line.substr(equals + 1);
        while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
        return value;
    }
    return {};
}

class ProfileOnDisk {
public:
    ProfileOnDisk() {
        char pattern[] = "/tmp/tumblo-bench-XXXXXX";
        folder_ = ::mkdtemp(pattern);
        std::ofstream(folder_ + "/bench.ini", std::ios::binary) << makeProfile();
        memInit(0, 512);
        osmInit(nullptr);
        osInit();
        iniInit();
        const std::string text = plat::textOfHostPath(folder_ + "/bench.ini");
        pathFromText(&path_, text.c_str());
    }
    ~ProfileOnDisk() {
        pathRelease(&path_);
        iniShutdown();
        osShutdown();
        osmShutdown();
        memShutdown();
        std::filesystem::remove_all(folder_);
    }
    const Path* path() const { return &path_; }

private:
    std::string folder_;
    Path path_{};
};

void IniModuleReads1000Keys(benchmark::State& state) {
    ProfileOnDisk profile;
    const auto lookups = makeLookups();
    char buffer[64];
    if (iniGetString(profile.path(), "Section1", "Key1", buffer, sizeof buffer, "") != kErrNone) {
        state.SkipWithError("the profile did not load");
        return;
    }
    for (auto _ : state) {
        for (const Lookup& lookup : lookups) {
            iniGetString(profile.path(), lookup.section.c_str(), lookup.key.c_str(), buffer, sizeof buffer, "");
            benchmark::DoNotOptimize(buffer);
        }
    }
    state.counters["profile_bytes"] = double(makeProfile().size());
}
BENCHMARK(IniModuleReads1000Keys)->Unit(benchmark::kMicrosecond);

void PlainScanReads1000Keys(benchmark::State& state) {
    const std::string text = makeProfile();
    const auto lookups = makeLookups();
    for (auto _ : state) {
        for (const Lookup& lookup : lookups) {
            benchmark::DoNotOptimize(scanValue(text, lookup.section, lookup.key));
        }
    }
    state.counters["profile_bytes"] = double(text.size());
}
BENCHMARK(PlainScanReads1000Keys)->Unit(benchmark::kMicrosecond);

}  // namespace
