#include "document/project/RPortfolio.h"

#include "document/users/CollectFolderFiles.h"
#include "document/users/EnginePath.h"
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
    if (!isValidUserName(name)) return false;
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
    if (!isValidUserName(name)) return kDocErrBadUserName;
    EnginePath path(paths_.GetProjectPath(name));
    if (path.empty()) return kDocErrNoUser;
    if (EngineErr err = osDeletePath(path.get())) return err;
    Rebuild();
    return kErrNone;
}

}  // namespace Ostrel
