#include "media/quicktime/QtConnection.h"

#include <cstring>
#include <mutex>

#include "media/quicktime/ImgJpeg.h"
#include "platform/clock/Clock.h"
#include "platform/files/Files.h"

namespace {

namespace pm = plat::media;

struct Connection {
    std::unique_ptr<plat::LoadableModule> module;
    const pm::MediaRuntimeTable* table = nullptr;
    i32 count = 0;
};

Connection& connection() {
    static Connection state;
    return state;
}

std::vector<std::string>& searchFolders() {
    static std::vector<std::string> folders;
    return folders;
}

std::mutex& connectMutex() {
    static std::mutex mutex;
    return mutex;
}

// A table we can call: our version or later, at least our entries, and none of them empty.
bool tableComplete(const pm::MediaRuntimeTable* table) {
    if (!table || table->version < pm::kMediaRuntimeVersion || table->entryCount < pm::kMediaRuntimeEntryCount)
        return false;
    const auto* slots = reinterpret_cast<const unsigned char*>(&table->initialize);
    for (u32 i = 0; i < pm::kMediaRuntimeEntryCount; ++i) {
        void* slot = nullptr;
        std::memcpy(&slot, slots + i * sizeof(void*), sizeof slot);
        if (!slot) return false;
    }
    return true;
}

// Runs the runtime's own initialisation and, on success, counts the connection.
i16 initialise(Connection& c, const pm::MediaRuntimeTable* table, u32 flags) {
    const i16 result = table->initialize(flags);
    if (result != 0) return result;
    // Movies run on the program's clock, which a test may replace by a fake one.
    table->playback.setPlaybackClock(&plat::clockMillis);
    c.table = table;
    ++c.count;
    return 0;
}

void disconnect(Connection& c) {
    c.table = nullptr;
    c.count = 0;
    c.module.reset();
}

}  // namespace

std::vector<std::string> qtSearchFolders() {
    if (!searchFolders().empty()) return searchFolders();
    return {plat::hostPathOfText(plat::programFolderText()), plat::LoadableModule::systemLibraryFolder()};
}

void qtSetSearchFolders(std::vector<std::string> folders) { searchFolders() = std::move(folders); }

std::unique_ptr<plat::LoadableModule> qtFindLibrary(const std::string& name) {
    if (name.empty()) return nullptr;
    for (const std::string& folder : qtSearchFolders()) {
        // Only absolute folders: a relative one would be the current folder's.
        if (folder.empty() || folder.front() != '/') continue;
        const std::string path = folder.back() == '/' ? folder + name : folder + "/" + name;
        if (auto module = plat::LoadableModule::open(path)) return module;
    }
    return nullptr;
}

i16 qtConnect(u32 flags) {
    std::lock_guard<std::mutex> lock(connectMutex());
    Connection& c = connection();
    if (c.count > 0) {
        ++c.count;
        return 0;
    }
    c.module = qtFindLibrary(pm::kMediaRuntimeLibrary);
    if (!c.module) return kQtErrLibraryNotFound;
    void* entry = c.module->entry(pm::kMediaRuntimeTableEntry);
    pm::MediaRuntimeTableEntry tableEntry = nullptr;
    static_assert(sizeof entry == sizeof tableEntry);
    std::memcpy(&tableEntry, &entry, sizeof entry);
    const pm::MediaRuntimeTable* table = tableEntry ? tableEntry() : nullptr;
    const i16 result = tableComplete(table) ? initialise(c, table, flags) : kQtErrMissingEntry;
    if (result != 0) disconnect(c);
    return result;
}

i16 qtConnectTable(const pm::MediaRuntimeTable* table, u32 flags) {
    std::lock_guard<std::mutex> lock(connectMutex());
    Connection& c = connection();
    if (c.count > 0) {
        ++c.count;
        return 0;
    }
    if (!tableComplete(table)) return kQtErrMissingEntry;
    return initialise(c, table, flags);
}

bool qtConnected() { return connection().table != nullptr; }

const pm::MediaRuntimeTable* qtRuntime() { return connection().table; }

QtLibrary qtLoadLibrary() {
    if (qtConnect(kQtConnectFlags) != 0) return nullptr;
    // The start-up's own reference keeps the runtime mapped for as long as it is held.
    auto library = qtFindLibrary(pm::kMediaRuntimeLibrary);
    if (!library) {
        disconnect(connection());
        return nullptr;
    }
    imgInstallJpegDecompressor();
    return library;
}

void qtFreeLibrary(QtLibrary library) {
    imgRemoveJpegDecompressor();
    std::lock_guard<std::mutex> lock(connectMutex());
    disconnect(connection());
    library.reset();
}
