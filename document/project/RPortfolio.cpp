#include "document/project/RPortfolio.h"

#include <set>

#include "document/users/CollectFolderFiles.h"
#include "document/users/EnginePath.h"
#include "document/project/StringMap.h"
#include "document/users/UserNames.h"
#include "engine/base/TextUtils.h"
#include "engine/files/OsFiles.h"
#include "framework/alerts/ShowAlert.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

bool hasProjectExtension(const std::string& name) {
    const size_t length = std::char_traits<char>::length(kProjectExtension);
    return name.size() > length && strCompareNoCase(name.c_str() + name.size() - length, kProjectExtension) == 0;
}

using FileSet = std::set<std::string, NoCaseLess>;

// The files a project's pages name, all inside the projects' folder (full texts).
FileSet pageFilesOf(const Path* project) {
    FileSet files;
    if (!project || pathCheckExists(project) != kErrNone) return files;
    const ProjectConfigFile config(project, true);
    config.ForEachPagePath([&files](const Path* file, const PageSettings&, u16) {
        char text[kSystemTextSize] = {};
        if (file->record && pathGetFullText(file, text) == kErrNone) files.insert(text);
    });
    return files;
}

}  // namespace

RPortfolio::RPortfolio(Paths& paths, const std::string& userName) : paths_(paths) {
    if (paths_.UserName() != userName) paths_.SelectUserFolder(userName);
    userName_ = paths_.UserName();
    Rebuild();
}

EngineErr RPortfolio::SetName(const std::string& userName) {
    // The login may have chosen the user's folders already: the list is this user's either way.
    if (userName != paths_.UserName())
        if (EngineErr err = paths_.SelectUserFolder(userName)) return err;
    if (userName != userName_) {
        SetDocument(nullptr);
        userName_ = userName;
    }
    Rebuild();
    return kErrNone;
}

void RPortfolio::Rebuild() {
    projects_.clear();
    const std::string folder = paths_.BuildPath(kFolderProjects, false);
    if (folder.empty()) return;
    EnginePath path(folder);
    for (const std::string& name : CollectFolderFiles(path.get()))
        if (hasProjectExtension(name)) projects_.push_back(name.substr(0, name.size() - std::char_traits<char>::length(kProjectExtension)));
}

bool RPortfolio::NextProjectName(u32* iterator, std::string* name) const {
    if (*iterator >= projects_.size()) return false;
    *name = projects_[(*iterator)++];
    return true;
}

bool RPortfolio::OpenProject(const std::string& name) {
    if (!isValidEntryName(name)) return false;
    EnginePath path(paths_.GetProjectPath(name));
    // An empty or foreign file under a project's name would open as an empty show.
    if (path.empty() || pathCheckExists(path.get()) != kErrNone || !ProjectConfigFile::IsProjectFile(path.get()))
        return false;
    auto document = std::make_unique<RDocument>(path.get());
    // Damaged entries make no slide; the child hears of it once, and the next save leaves
    // them out.
    if (document->LoadPages() != 0)
        ShowAlert(LookupLanguageText("FileStrings", "DamagedProjectPages").c_str(), nullptr, kAlertOk | kAlertIconExclamation);
    SetDocument(std::move(document));
    return true;
}

u16 RPortfolio::ComparePathWithParent(const std::string& path) const {
    const std::string folder = paths_.BuildPath(kFolderProjects, true);
    if (folder.empty() || path.size() <= folder.size()) return 0;
    return strCompareNoCase(path.substr(0, folder.size()).c_str(), folder.c_str()) == 0 ? 1 : 0;
}

EngineErr RPortfolio::DeleteProject(const std::string& name) {
    if (name.empty()) return 1;
    if (!isValidEntryName(name)) return kDocErrBadUserName;
    EnginePath path(paths_.GetProjectPath(name));
    if (path.empty()) return kDocErrNoUser;
    // The slides' files are the show's own copies of the pictures it was made from: they go
    // with it, once the show itself has gone, unless another show names them too.
    FileSet copies = pageFilesOf(path.get());
    if (EngineErr err = osDeletePath(path.get())) return err;
    Rebuild();
    for (const std::string& other : projects_) {
        EnginePath otherPath(paths_.GetProjectPath(other));
        for (const std::string& file : pageFilesOf(otherPath.get())) copies.erase(file);
    }
    for (const std::string& file : copies) {
        EnginePath copy(file);
        if (!copy.empty()) osDeletePath(copy.get());
    }
    return kErrNone;
}

}  // namespace Ostrel
