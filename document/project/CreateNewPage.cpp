#include "document/project/CreateNewPage.h"

#include <cstring>

#include "document/import/FileImport.h"
#include "document/users/EnginePath.h"
#include "engine/files/UniqueFileName.h"

namespace Ostrel {

namespace {

constexpr const char* kNewPictureName = "Picture";

}  // namespace

std::unique_ptr<RPage> CreateNewPage(RPortfolio& portfolio) {
    const std::string pictures = portfolio.GetPaths().GetPicturesDir();
    if (pictures.empty()) return nullptr;
    EnginePath folder(pictures);
    if (folder.empty()) return nullptr;
    char name[kSystemTextSize] = {};
    std::strcpy(name, kNewPictureName);
    EnginePath file;
    if (MakeUniqueFileName(folder.get(), name, sizeof name, kPictureExtension, file.get(), 0, nullptr, nullptr, 0) !=
        kErrNone)
        return nullptr;
    char text[kSystemTextSize] = {};
    if (pathGetFullText(file.get(), text) != kErrNone) return nullptr;
    auto page = std::make_unique<RPage>(PageSettings{}, name, 0);
    page->SetFilePath(text);
    if (page->Data().EnsureBackground() != kErrNone) return nullptr;
    return page;
}

}  // namespace Ostrel
