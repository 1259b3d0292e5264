#include "app/dialogs/DemoMovies.h"

#include <memory>
#include <vector>

#include "app/application/RApplication.h"
#include "document/users/Paths.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "engine/ini/IniProfiles.h"
#include "media/objects/RDemoMovie.h"
#include "media/quicktime/QtMovies.h"

namespace Ostrel {

namespace {

std::string setting(const char* key) {
    const RApplication* app = GetApplication();
    if (!app) return {};
    char value[kDemoPathChars + 1] = {};
    iniGetString(&app->GetConfigPath(), kHelpDemosSection, key, value, u16(sizeof value), "");
    return value;
}

// A name inside the demonstration folder; empty without paths.
std::string inDemoFolder(const std::string& name) {
    const RApplication* app = GetApplication();
    if (!app || !app->GetPaths()) return {};
    std::string path = app->GetPaths()->BuildPath(kFolderDemoMovies, true) + name;
    if (path.size() > kDemoPathChars) path.resize(kDemoPathChars);
    return path;
}

bool readWhole(const std::string& file, std::vector<u8>* bytes) {
    Path path{};
    pathInitEmpty(&path);
    OsFile* opened = pathFromText(&path, file.c_str()) ? osOpenFile(&path, kOsOpenRead | kOsOpenShareRead) : nullptr;
    pathRelease(&path);
    if (!opened) return false;
    const i64 size = osGetFileSize(opened);
    bool read = size > 0 && u64(size) <= kDemoMovieMaxBytes;
    if (read) {
        bytes->resize(size_t(size));
        u32 count = u32(size);
        read = osReadFile(opened, bytes->data(), &count) == kErrNone && count == u32(size);
    }
    osCloseFile(opened, 0);
    return read;
}

}  // namespace

std::string GettingStartedMovieFile(bool easel) {
    return inDemoFolder(setting(easel ? kGetStartedEaselKey : kGetStartedPickerKey));
}

std::string HelpDemoMovieFile(const std::string& item) {
    return inDemoFolder(setting(kDemoPrefixKey) + item + setting(kDemoSuffixKey));
}

DemoMovieObj* StartDemoMovie(const std::string& file, Point16 origin) {
    std::vector<u8> bytes;
    if (file.empty() || !readWhole(file, &bytes)) return nullptr;
    MrMovie* movie = nullptr;
    if (qtOpenMovieFromMemory(bytes.data(), u32(bytes.size()), &movie) != 0 || !movie) return nullptr;
    MrRect box{};
    qtGetMovieBox(movie, &box);
    const Rect16 rect{i16(origin.h), i16(origin.v), i16(origin.h + box.right - box.left),
                      i16(origin.v + box.bottom - box.top)};
    auto demo = std::make_unique<RDemoMovie>(nullptr, rect);
    DemoMovieObj* record = DemoMovieObj::Create(demo.get(), movie, rect, true);
    demoMovieSetSlot(std::move(demo));
    return record;
}

DemoMovieObj* CurrentDemoMovie() {
    const RDemoMovie* demo = demoMovieSlot();
    return demo ? demo->current() : nullptr;
}

void StopDemoMovie() {
    MovieObjStop(CurrentDemoMovie());
    demoMovieSetSlot(nullptr);
}

}  // namespace Ostrel
