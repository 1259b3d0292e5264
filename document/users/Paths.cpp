#include "document/users/Paths.h"

#include <vector>

#include "document/storage/ObjectTypes.h"
#include "document/users/EnginePath.h"
#include "document/users/IdeaPictures.h"
#include "document/users/UserNames.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"
#include "platform/system/UserFolders.h"

namespace Ostrel {

namespace {

constexpr const char* kProgramFolderName = "tumblo4";
constexpr const char* kUsersFolderName = "Users";

struct MediaFolder {
    FourCC type;
    u16 folder;
    const char* name;
};

constexpr MediaFolder kMediaFolders[] = {
    {kTypeBitmap, kFolderLibPictures, "Pictures"},    {kTypeMovie, kFolderLibMovies, "Movies"},
    {kTypeSound, kFolderLibSounds, "Sounds"},         {kTypeStamp, kFolderLibStamps, "Stamps"},
    {kTypeMovableBitmap, kFolderLibMovable, "Movable Pictures"}, {kTypeFlash, kFolderLibStickers, "Stickers"},
    {kTypeFlashAnimation, kFolderLibAnimations, "Animations"},
};

struct InstalledFolder {
    FourCC type;
    u16 folder;
};

constexpr InstalledFolder kInstalledFolders[] = {
    {kTypeBitmap, kFolderProgLibPictures}, {kTypeSound, kFolderProgLibSounds}, {kTypeStamp, kFolderProgLibStamps},
    {kTypeFlash, kFolderProgLibStickers}, {kTypeFlashAnimation, kFolderProgLibAnimations},
};

const char* mediaFolderName(FourCC type) {
    for (const MediaFolder& media : kMediaFolders)
        if (media.type == type) return media.name;
    return nullptr;
}

std::string join(const std::string& folder, const char* name) {
    if (folder.empty()) return {};
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

bool exists(const std::string& text) {
    EnginePath path(text);
    return !path.empty() && pathCheckExists(path.get()) == kErrNone;
}

// Copies the whole file through a replacement beside the target, so that a stopped copy
// leaves no half-written settings file behind.
EngineErr copyFile(const std::string& from, const std::string& to) {
    EnginePath source(from), target(to);
    if (source.empty() || target.empty()) return kDocErrNoFolder;
    OsFile* in = osOpenFile(source.get(), kOsOpenRead | kOsOpenShareRead);
    if (in == nullptr) return pathGetLastError();
    const i64 size = osGetFileSize(in);
    std::vector<u8> bytes(size > 0 ? size_t(size) : 0);
    u32 count = u32(bytes.size());
    EngineErr err = size < 0 ? pathGetLastError() : osReadFile(in, bytes.data(), &count);
    osCloseFile(in, 0);
    if (err) return err;
    EnginePath temporary;
    osReplacementPathOf(target.get(), temporary.get());
    if (temporary.empty()) return kDocErrNoFolder;
    OsFile* out = osOpenFile(temporary.get(), kOsOpenWrite | kOsOpenAlways | kOsOpenTruncate);
    if (out == nullptr) return pathGetLastError();
    err = osWriteFile(out, bytes.data(), &count);
    if (!err) err = osFlushFile(out);
    const EngineErr closed = osCloseFile(out, 1);
    if (!err) err = closed;
    if (!err) err = osReplacePath(temporary.get(), target.get());
    // The copy counts once its name lasts through a power loss too.
    if (!err) err = osFlushFolderOf(target.get());
    else osDeletePath(temporary.get());
    return err;
}

}  // namespace

EngineErr makeFolders(const std::string& text) {
    if (text.size() < 3) return kDocErrNoFolder;
    for (size_t at = text.find('\\', 3);; at = text.find('\\', at + 1)) {
        const std::string level = at == std::string::npos ? text : text.substr(0, at);
        EnginePath path(level);
        if (path.empty()) return kDocErrNoFolder;
        u16 kind = 0;
        if (osGetPathKind(path.get(), &kind) != kErrNone) {
            if (EngineErr err = osCreatePath(path.get(), kOsKindFolder)) return err;
        } else if (!(kind & kOsKindFolder)) {
            // A file standing where the folder goes: nothing could be kept in it.
            return kDocErrNoFolder;
        }
        if (at == std::string::npos) return kErrNone;
    }
}

Paths::Paths(FolderRoots roots) : roots_(std::move(roots)) {}

FolderRoots Paths::RootsOfThisMachine() {
    FolderRoots roots;
    Path app;
    char text[kSystemTextSize];
    if (pathGetAppDirectory(&app)->record && pathGetFullText(&app, text) == kErrNone) roots.program = text;
    pathRelease(&app);
    const std::string data = engineTextOfHostFolder(plat::userDataHome());
    const std::string settings = engineTextOfHostFolder(plat::userConfigHome());
    if (!data.empty()) roots.data = join(data, kProgramFolderName);
    if (!settings.empty()) roots.settings = join(settings, kProgramFolderName);
    return roots;
}

EngineErr Paths::ResolveDataFolders(std::string* failedFolder) {
    if (roots_.program.empty() || roots_.data.empty() || roots_.settings.empty()) return kDocErrNoFolder;
    const auto failed = [failedFolder](EngineErr err, const std::string& folder) {
        if (failedFolder) *failedFolder = folder;
        return err;
    };
    const std::string settings = BuildPath(kFolderSettings, false);
    if (EngineErr err = makeFolders(settings)) return failed(err, settings);
    const std::string users = BuildPath(kFolderUsers, false);
    if (EngineErr err = makeFolders(users)) return failed(err, users);
    const std::string installed = InstalledSettingsFile();
    if (!exists(SettingsFile()) && exists(installed)) {
        if (EngineErr err = copyFile(installed, SettingsFile())) return failed(err, settings);
    }
    // A teacher's own file may hold a few lines only: it adds to the installed settings, and
    // every key it does not set keeps the installed value.
    const EnginePath own(SettingsFile()), shipped(installed);
    if (!own.empty() && !shipped.empty()) iniSetFallback(own.get(), shipped.get());
    return kErrNone;
}

EngineErr Paths::SelectUserFolder(const std::string& name) {
    if (!isValidUserName(name)) return kDocErrBadUserName;
    const std::string previous = user_;
    user_ = name;
    for (u16 folder : {kFolderPictures, kFolderProjects}) {
        if (EngineErr err = makeFolders(BuildPath(folder, false))) {
            user_ = previous;
            return err;
        }
    }
    for (const MediaFolder& media : kMediaFolders) {
        if (EngineErr err = makeFolders(BuildPath(media.folder, false))) {
            user_ = previous;
            return err;
        }
    }
    return kErrNone;
}

std::string Paths::BuildPath(u16 folder, bool trailingSeparator) const {
    std::string text;
    const std::string users = join(roots_.data, kUsersFolderName);
    const std::string user = user_.empty() ? std::string() : join(users, user_.c_str());
    switch (folder) {
    case kFolderDemoMovies: text = join(roots_.program, "Movies"); break;
    case kFolderGuide: text = join(roots_.program, "Data"); break;
    case kFolderIdeas: text = join(roots_.program, kIdeasFolderName); break;
    case kFolderSettings: text = roots_.settings; break;
    case kFolderUsers: text = users; break;
    case kFolderUser: text = user; break;
    case kFolderPictures: text = join(user, "Pictures"); break;
    case kFolderProjects: text = join(user, "Slide Shows"); break;
    default:
        for (const MediaFolder& media : kMediaFolders)
            if (media.folder == folder) text = join(join(user, "Library"), media.name);
        for (const InstalledFolder& installed : kInstalledFolders)
            if (installed.folder == folder) text = join(join(roots_.program, "Library"), mediaFolderName(installed.type));
    }
    if (trailingSeparator && !text.empty() && text.back() != '\\') text += '\\';
    return text;
}

EngineErr Paths::GetPath(Path* path, u16 folder) const {
    const std::string text = BuildPath(folder, false);
    if (text.empty()) {
        pathInitEmpty(path);
        return user_.empty() ? kDocErrNoUser : kDocErrNoFolder;
    }
    pathFromText(path, text.c_str());
    return path->record ? kErrNone : kDocErrNoFolder;
}

std::string Paths::GetProjectPath(const std::string& name) const {
    const std::string folder = BuildPath(kFolderProjects, true);
    return folder.empty() ? folder : folder + name + ".tbp";
}

std::string Paths::GetUserMediaDir(FourCC type) const {
    for (const MediaFolder& media : kMediaFolders)
        if (media.type == type) return BuildPath(media.folder, false);
    return {};
}

std::string Paths::GetLibraryFolderPath(FourCC type) const {
    for (const InstalledFolder& installed : kInstalledFolders)
        if (installed.type == type) return BuildPath(installed.folder, false);
    return {};
}

}  // namespace Ostrel
