#include "panels/stamp/StampCategories.h"

#include <algorithm>

#include "framework/language/LanguageTexts.h"

namespace Ostrel {

StampCategories ListStampCategories(const RLibraryMgr& libraries, const RLibExclusionsObject* exclusions) {
    StampCategories categories;
    RLibraryMgr::Iteration iteration;
    std::string fileName;
    u16 kind = 0;
    u16 number = 0;
    while (libraries.NextLibraryItem(&iteration, kStampLibraryType, &fileName, &kind)) {
        if (kind == kLibraryOfUser) continue;
        const u16 id = number++;
        std::string name = CategoryName(fileName);
        if (exclusions && exclusions->IsExcluded(kStampLibraryType, name)) continue;
        categories.names.push_back(ShownCategoryName(name));
        categories.ids.push_back(id);
    }
    return categories;
}

std::string CategoryName(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string ShownCategoryName(const std::string& name) {
    const std::string shown = LookupLanguageText(kStampCategoriesSection, name.c_str()).c_str();
    return shown.empty() ? name : shown;
}

std::string CategoryFileName(const std::string& path) {
    // Engine paths are written with backslashes, the desktop's with slashes.
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

StampChoices RestoreStampChoices(const tStampPanelSaveData& record, const std::vector<u16>& ids) {
    StampChoices choices;
    if (record[kStampWordCategory] < 0) return choices;
    // The category is found by its library id: with exclusions a popup place names another.
    const auto found = std::find(ids.begin(), ids.end(), u16(record[kStampWordCategory]));
    if (found != ids.end()) choices.categoryPlace = int(found - ids.begin());
    const i16 size = record[kStampWordSize];
    if (size >= 0 && size < kStampSizeCount) choices.sizeIndex = size;
    return choices;
}

int RememberedStamp(const tStampPanelSaveData& record, u16 libraryId, int count) {
    if (libraryId >= kStampRememberedCategories || count <= 0) return 0;
    const i16 stamp = record[kStampWordFirstChoice + libraryId];
    return stamp >= 0 && stamp < count ? stamp : 0;
}

void RememberStamp(tStampPanelSaveData& record, u16 libraryId, int stamp) {
    if (libraryId < kStampRememberedCategories && stamp >= 0) record[kStampWordFirstChoice + libraryId] = i16(stamp);
}

}  // namespace Ostrel
