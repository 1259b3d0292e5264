#include "document/library/RLibraryMgr.h"

#include <cstring>

#include "document/users/CollectFolderFiles.h"
#include "document/users/UserNames.h"
#include "engine/base/TextUtils.h"
#include "engine/ini/IniProfiles.h"
#include "engine/resources/format/ResourceErrors.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

constexpr const char* kDiscLibraryFolder = "Library";

bool isLibraryFile(const std::string& name) {
    const size_t extension = std::char_traits<char>::length(kLibraryExtension);
    return name.size() > extension && strCompareNoCase(name.c_str() + name.size() - extension, kLibraryExtension) == 0;
}

std::vector<std::string> librariesIn(const Path* folder) {
    std::vector<std::string> names;
    for (std::string& name : CollectFolderFiles(folder))
        if (isLibraryFile(name)) names.push_back(std::move(name));
    return names;
}

std::vector<std::string> librariesIn(const std::string& folder) {
    if (folder.empty()) return {};
    EnginePath path(folder);
    return path.empty() ? std::vector<std::string>{} : librariesIn(path.get());
}

bool isPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.size() >= kSystemTextSize) return false;
    for (char c : name)
        if (c == '\\' || c == '/' || c == ':' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

}  // namespace

void RLibraryMgr::SetProgramDisc(const Path* discRoot) {
    EnginePath root;
    if (discRoot) pathAssign(root.get(), discRoot);
    disc_ = root;
}

std::string RLibraryMgr::FolderOf(FourCC type, u16 kind) const {
    if (kind == kLibraryOnDisk) return paths_.GetLibraryFolderPath(type);
    if (kind == kLibraryOfUser) return paths_.GetUserMediaDir(type);
    return {};
}

EngineErr RLibraryMgr::OpenLibraryWithDiscPrompt(FourCC type, Path* folder) const {
    pathAssign(folder, EnginePath().get());
    // The disc keeps the installed folders' names.
    const std::string installed = paths_.GetLibraryFolderPath(type);
    const size_t cut = installed.rfind('\\');
    if (disc_.empty() || cut == std::string::npos) return kDocErrNoDisc;
    VolumeRecord* volume = nullptr;
    if (EngineErr err = pathGetVolume(disc_.get(), &volume)) return err;
    if (EngineErr err = osUseVolume(volume)) return err;
    EnginePath libraries;
    if (!pathJoin(libraries.get(), disc_.get(), kDiscLibraryFolder)->record ||
        !pathJoin(folder, libraries.get(), installed.c_str() + cut + 1)->record) {
        return pathGetLastError();
    }
    return pathCheckExists(folder);
}

EngineErr RLibraryMgr::OpenLibrary(FourCC type, u16 kind, const std::string& fileName, bool readOnly,
                                   RLibrary* library) const {
    EnginePath folder;
    if (kind == kLibraryOnDisc) {
        if (EngineErr err = OpenLibraryWithDiscPrompt(type, folder.get())) return err;
        readOnly = true;
    } else {
        const std::string text = FolderOf(type, kind);
        if (!text.empty()) folder = EnginePath(text);
    }
    if (folder.empty()) return kDocErrNoFolder;
    EnginePath file;
    if (!pathJoin(file.get(), folder.get(), fileName.c_str())->record) return pathGetLastError();
    return library->Open(file.get(), readOnly);
}

u16 RLibraryMgr::NextLibraryItem(Iteration* state, FourCC type, std::string* fileName, u16* kind) const {
    for (;;) {
        if (state->kind != 0 && state->next < state->names.size()) {
            *fileName = state->names[state->next++];
            *kind = state->kind;
            return 1;
        }
        if (state->kind == kLibraryOfUser) return 0;
        state->next = 0;
        if (state->kind == 0) {
            state->kind = kLibraryOnDisk;
            state->names = librariesIn(FolderOf(type, kLibraryOnDisk));
        } else if (state->kind == kLibraryOnDisk && !disc_.empty()) {
            state->kind = kLibraryOnDisc;
            EnginePath folder;
            const bool had = OpenLibraryWithDiscPrompt(type, folder.get()) == kErrNone;
            state->names = had ? librariesIn(folder.get()) : std::vector<std::string>{};
        } else {
            state->kind = kLibraryOfUser;
            state->names = librariesIn(FolderOf(type, kLibraryOfUser));
        }
    }
}

u16 RLibraryMgr::GetLibraryLocationKind(const std::string& libraryPath) const {
    const std::string users = paths_.BuildPath(kFolderUsers, true);
    const bool under = !users.empty() && libraryPath.size() > users.size() &&
                       strCompareNoCase(libraryPath.substr(0, users.size()).c_str(), users.c_str()) == 0;
    return under ? kLibraryOfUser : kLibraryOnDisk;
}

i32 RLibraryMgr::GetLibraryEntryPath(FourCC type, u32 position, std::string* path, u16* kind) const {
    Iteration state;
    std::string name;
    u16 found = 0;
    for (u32 n = 0;; ++n) {
        if (!NextLibraryItem(&state, type, &name, &found)) return kNoLibraryEntry;
        if (n == position) break;
    }
    EnginePath folder;
    if (found == kLibraryOnDisc) {
        if (EngineErr err = OpenLibraryWithDiscPrompt(type, folder.get())) return err;
    } else {
        folder = EnginePath(FolderOf(type, found));
    }
    EnginePath file;
    char text[kSystemTextSize] = {};
    if (folder.empty() || !pathJoin(file.get(), folder.get(), name.c_str())->record ||
        pathGetFullText(file.get(), text) != kErrNone)
        return pathGetLastError() ? pathGetLastError() : kDocErrNoFolder;
    *path = text;
    if (kind) *kind = found;
    return 0;
}

i32 RLibraryMgr::LoadLibraryItem(FourCC type, u32 position, std::string* path, u16* kind) {
    const i32 result = GetLibraryEntryPath(type, position, path, kind);
    if (result == 0) current_[type] = position;
    return result;
}

EngineErr RLibraryMgr::GetCurrentLibrary(FourCC type, std::string* path, u16* kind) const {
    const auto it = current_.find(type);
    const i32 result = GetLibraryEntryPath(type, it == current_.end() ? 0 : it->second, path, kind);
    if (result == kNoLibraryEntry) return kDocErrNoLibrary;
    if (result != 0) return EngineErr(result);
    EnginePath file(*path);
    return !file.empty() && pathCheckExists(file.get()) == kErrNone ? kErrNone : kDocErrNoLibrary;
}

std::string RLibraryMgr::DefaultLibraryName() const {
    char postfix[kSystemTextSize] = {};
    EnginePath settings(paths_.SettingsFile());
    if (settings.empty() || iniGetString(settings.get(), "Paths2", "UserLibPostfix", postfix, sizeof postfix, "") != kErrNone ||
        !*postfix)
        std::strcpy(postfix, " Library");
    return paths_.UserName() + postfix + kLibraryExtension;
}

std::string RLibraryMgr::OwnLibraryTitle(const std::string& listedName) const {
    if (paths_.UserName().empty()) return {};
    const std::string own = DefaultLibraryName();
    if (strCompareNoCase(own.substr(0, own.find('.')).c_str(), listedName.c_str()) != 0) return {};
    std::string title = LookupLanguageText("FileStrings", "UserLibrary").c_str();
    const size_t at = title.find("%s");
    if (at == std::string::npos) return {};
    return title.replace(at, 2, paths_.UserName());
}

EngineErr RLibraryMgr::DefaultLibraryPath(FourCC type, std::string* path) const {
    path->clear();
    if (paths_.UserName().empty()) return kDocErrNoUser;
    const std::string folder = FolderOf(type, kLibraryOfUser);
    if (folder.empty()) return kDocErrNoFolder;
    // The postfix comes from a settings file: it must not lead the name out of the folder.
    const std::string name = DefaultLibraryName();
    if (!isPlainFileName(name)) return kDocErrBadUserName;
    *path = folder + "\\" + name;
    return kErrNone;
}

EngineErr RLibraryMgr::OpenDefaultLibraryForType(FourCC type, RLibrary* library, std::string* path) const {
    if (EngineErr err = DefaultLibraryPath(type, path)) return err;
    EnginePath file(*path);
    if (file.empty()) return kDocErrNoFolder;
    return library->Open(file.get(), false);
}

EngineErr AddToUserLibrary(RLibrary& library, std::span<const u8> media, std::span<const u8> thumbnail,
                           const std::string& name, u16* id) {
    *id = 0;
    if (library.IsReadOnly()) return kResErrReadOnly;
    EngineErr err = kErrNone;
    *id = library.AddItem(media, thumbnail, name, &err);
    if (*id != 0) return kErrNone;
    return err ? err : kDocErrNotOpen;
}

}  // namespace Ostrel
