#include "engine/gfx/GfxDecompressors.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <list>
#include <memory>

#include "platform/modules/LoadableModule.h"

namespace {

constexpr const char* kEntryNames[] = {"gfxXDecProc", "_gfxXDecProc", "GFXXDECPROC", "_GFXXDECPROC"};
constexpr const char* kSeparators = ",;:";

struct Plugin {
    u8 name[kGfxCodecNameSize] = {};
    std::unique_ptr<plat::LoadableModule> library;
    GfxDecompressor decompressor{};
};

std::list<Plugin>& plugins() {
    static std::list<Plugin> list;
    return list;
}

std::unique_ptr<plat::LoadableModule> openLibrary(const std::string& name, const std::string& folder) {
    if (auto library = plat::LoadableModule::open(name)) return library;
    if (folder.empty()) return nullptr;
    return plat::LoadableModule::open(folder + "/" + name);
}

}  // namespace

bool gfxLoadDecompressor(const std::string& key, const std::string& value, const std::string& programFolder) {
    if (key.empty() || key.size() > kGfxCodecNameSize) return false;
    size_t nameEnd = value.find_first_of(kSeparators);
    std::string libraryName = value.substr(0, nameEnd);
    if (libraryName.empty()) return false;
    u32 datum = 0;
    if (nameEnd != std::string::npos) {
        size_t numberStart = value.find_first_not_of(kSeparators, nameEnd);
        if (numberStart != std::string::npos) datum = u32(std::strtol(value.c_str() + numberStart, nullptr, 0));
    }
    auto library = openLibrary(libraryName, programFolder);
    if (!library) return false;
    void* entry = nullptr;
    for (const char* name : kEntryNames)
        if ((entry = library->entry(name))) break;
    if (!entry) return false;
    Plugin plugin;
    std::memcpy(plugin.name, key.data(), key.size());
    plugin.library = std::move(library);
    plugin.decompressor = {reinterpret_cast<GfxDecodeEntry>(entry), datum};
    plugins().push_front(std::move(plugin));
    return true;
}

void gfxUnloadDecompressors() { plugins().clear(); }

bool gfxRegisterDecompressor(const std::string& key, GfxDecodeEntry decode, u32 datum) {
    if (key.empty() || key.size() > kGfxCodecNameSize || !decode) return false;
    Plugin plugin;
    std::memcpy(plugin.name, key.data(), key.size());
    plugin.decompressor = {decode, datum};
    plugins().push_front(std::move(plugin));
    return true;
}

void gfxUnregisterDecompressor(const std::string& key) {
    u8 name[kGfxCodecNameSize] = {};
    std::memcpy(name, key.data(), std::min(key.size(), kGfxCodecNameSize));
    plugins().remove_if([&](const Plugin& plugin) { return !plugin.library && std::memcmp(plugin.name, name, kGfxCodecNameSize) == 0; });
}

const GfxDecompressor* gfxFindDecompressor(const u8* name) {
    for (const Plugin& plugin : plugins())
        if (std::memcmp(plugin.name, name, kGfxCodecNameSize) == 0) return &plugin.decompressor;
    return nullptr;
}
