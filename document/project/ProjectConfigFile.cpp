#include "document/project/ProjectConfigFile.h"

#include <cstring>
#include <vector>

#include "document/project/ProjectCopy.h"
#include "document/users/EnginePath.h"
#include "engine/base/TextUtils.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"
#include "engine/util/IniReplaceOnce.h"

namespace Ostrel {

namespace {

constexpr const char* kPagesSection = "Pages";
constexpr const char* kPagePrefix = "Page";
constexpr const char* kSlideShowSection = "SlideShow";
constexpr const char* kPickerSection = "PickerDisplay";

}  // namespace

bool isProjectRelativeName(const std::string& name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string::npos) return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

ProjectConfigFile::ProjectConfigFile(const Path* path, bool loadNow)
    : pages(path, kPagesSection, kPagePrefix, loadNow, kMaxProjectPages, 0),
      backgroundColor(path, kSlideShowSection, "BackgroundColor", loadNow, 0),
      backgroundSound(path, kSlideShowSection, "BackgroundSound", loadNow, 0),
      looping(path, kSlideShowSection, "Looping", loadNow, 0),
      manualAdvance(path, kSlideShowSection, "ManualAdvance", loadNow, 0),
      topLeftPage(path, kPickerSection, "TopLeftPage", loadNow, 0),
      selectedPage(path, kPickerSection, "SelectedPage", loadNow, 0) {
    if (path) pathInitCopy(&path_, path);
}

void ProjectConfigFile::Assign(ProjectConfigFile& destination, const ProjectConfigFile& source) {
    destination.pages = source.pages;
    destination.backgroundColor = source.backgroundColor;
    destination.backgroundSound = source.backgroundSound;
    destination.looping = source.looping;
    destination.manualAdvance = source.manualAdvance;
    destination.topLeftPage = source.topLeftPage;
    destination.selectedPage = source.selectedPage;
    pathAssign(&destination.path_, &source.path_);
}

EngineErr ProjectConfigFile::SetPath(const Path* path) {
    pathAssign(&path_, path);
    if (EngineErr err = pages.SetPath(path, 0, 0)) return err;
    for (CFG_LONG* item : {&backgroundColor, &backgroundSound, &looping, &manualAdvance, &topLeftPage, &selectedPage})
        if (EngineErr err = item->SetPath(path, 0, 0)) return err;
    return kErrNone;
}

EngineErr ProjectConfigFile::Save() {
    // The whole project is built in memory and reaches the file in one replacement: the page
    // list alone, or settings without the page they select, would read as another project.
    return IniReplaceOnce(GetPath(), [this] {
        // The file holds this project and nothing else.
        const EngineErr emptied = iniWriteString(&path_, nullptr, nullptr, nullptr);
        if (emptied && emptied != kIniErrNotFound) return emptied;
        if (EngineErr err = pages.WriteItems(1)) return err;
        for (CFG_LONG* item : {&backgroundColor, &backgroundSound, &looping, &manualAdvance, &topLeftPage, &selectedPage})
            if (EngineErr err = item->Save(1)) return err;
        return kErrNone;
    });
}

EngineErr ProjectConfigFile::CopyTo(const Path* target, const StringMap* nameMap, u16 lenient) {
    if (!path_.record) return SetPath(target);
    EnginePath source;
    if (!pathJoin(source.get(), &path_, "..")->record) return pathGetLastError();
    if (EngineErr err = SetPath(target)) return err;
    EnginePath folder;
    if (!pathJoin(folder.get(), target, "..")->record) return pathGetLastError();
    const EngineErr same = pathCompare(folder.get(), source.get());
    if (same == kErrNone) return kErrNone;
    if (same != kOsErrDifferent) return same;
    PageRebaseContext context{this, source.get(), kErrNone, nameMap, lenient, {}};
    ForEachPage([&](const std::string& name, const PageSettings& settings, u16 number) {
        RebasePageEntry(name, settings, number, context);
    });
    return context.result;
}

bool ProjectConfigFile::IsProjectFile(const Path* path) {
    if (!path || !path->record) return false;
    // Section names, each ended by a NUL, and one more NUL after the last.
    std::vector<char> names(size_t(kIniMaxFileSize) + 1, '\0');
    if (iniGetString(path, nullptr, nullptr, names.data(), kIniMaxFileSize, "") != kErrNone) return false;
    for (const char* name = names.data(); *name; name += std::strlen(name) + 1) {
        for (const char* section : {kPagesSection, kSlideShowSection, kPickerSection})
            if (strCompareNoCase(name, section) == 0) return true;
    }
    return false;
}

bool ProjectConfigFile::HasContent() const {
    bool any = false;
    pages.ForEach([](const char*, u16, void* context) { *static_cast<bool*>(context) = true; }, &any);
    for (const CFG_LONG* item : {&backgroundColor, &backgroundSound, &looping, &manualAdvance, &topLeftPage, &selectedPage})
        any = any || item->Value() != 0;
    return any;
}

namespace {

// A page entry that can be written back as it is read.
bool readPageEntry(const char* value, std::string* name, PageSettings* settings) {
    return value && parsePageEntry(value, name, settings) && isStorablePageFileName(*name);
}

}  // namespace

void ProjectConfigFile::ForEachPage(const PageCallback& callback) const {
    struct Walk {
        const PageCallback* callback;
    } walk{&callback};
    pages.ForEach(
        [](const char* value, u16 number, void* context) {
            std::string name;
            PageSettings settings;
            if (readPageEntry(value, &name, &settings)) (*static_cast<Walk*>(context)->callback)(name, settings, number);
        },
        &walk);
}

u16 ProjectConfigFile::CountDamagedPages() const {
    u16 damaged = 0;
    pages.ForEach(
        [](const char* value, u16, void* context) {
            std::string name;
            PageSettings settings;
            if (!readPageEntry(value, &name, &settings)) ++*static_cast<u16*>(context);
        },
        &damaged);
    return damaged;
}

void ProjectConfigFile::ForEachPagePath(const PagePathCallback& callback) const {
    Path folder;
    pathInitEmpty(&folder);
    if (path_.record) pathJoin(&folder, &path_, "..");
    ForEachPage([&](const std::string& name, const PageSettings& settings, u16 number) {
        Path file;
        pathInitEmpty(&file);
        if (folder.record && isProjectRelativeName(name)) pathJoin(&file, &folder, name.c_str());
        callback(&file, settings, number);
        pathRelease(&file);
    });
    pathRelease(&folder);
}

bool isStorablePageFileName(const std::string& name) {
    if (name.empty() || name.size() > kPageFileNameMax) return false;
    for (char c : name)
        if (c == ',' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

EngineErr ProjectConfigFile::SetPage(u16 number, const std::string& fileName, const PageSettings& settings) {
    if (!isStorablePageFileName(fileName)) return kDocErrBadPageName;
    return pages.SetValue(formatPageEntry(fileName, settings).c_str(), number, 0);
}

EngineErr ProjectConfigFile::SetPageFileName(const std::string& fileName, u16 number) {
    // A damaged entry is no page (ForEachPage leaves it out): renaming it starts afresh.
    std::string oldName;
    PageSettings kept;
    PageSettings settings;
    const INI_LIST_NODE* node = pages.FindNode(number);
    if (node && readPageEntry(node->Value(), &oldName, &kept)) settings = kept;
    return SetPage(number, fileName, settings);
}

EngineErr ProjectConfigFile::RemovePage(u16 number) { return pages.DeleteItem(number, 0); }

}  // namespace Ostrel
