#pragma once
// The stamp panel's categories and the choices it remembers. Every stamp library the library
// manager lists, but the user's own, takes the next running number (its library id, which is
// also its number in the manager's own enumeration); an excluded library keeps its number but
// is not shown. A category is shown under the name the current language's texts give its file
// name without the extension (section "StampCategories"), or under that name itself; the
// exclusions name the files.
#include <string>
#include <vector>

#include "document/library/RLibraryMgr.h"
#include "document/objects/RLibExclusionsObject.h"
#include "panels/base/PanelSaveData.h"

namespace Ostrel {

constexpr FourCC kStampLibraryType = fourCC("tSTM");
constexpr const char* kStampCategoriesSection = "StampCategories";
// Words of tStampPanelSaveData: the category's library id, the size, then the stamp chosen in
// each category by library id.
constexpr size_t kStampWordCategory = 0;
constexpr size_t kStampWordSize = 1;
constexpr size_t kStampWordFirstChoice = 2;
constexpr i16 kStampSizeCount = 4;
// Library ids past this have no word of their own.
constexpr u16 kStampRememberedCategories = u16(std::tuple_size_v<tStampPanelSaveData> - kStampWordFirstChoice);

// The longest category file name kept.
constexpr size_t kMaxCategoryFileName = 255;

struct StampCategories {
    std::vector<std::string> names;
    std::vector<u16> ids;
};

StampCategories ListStampCategories(const RLibraryMgr& libraries, const RLibExclusionsObject* exclusions);
// The name shown for a library file: cut at its last "." (a name without one stays whole).
std::string CategoryName(const std::string& fileName);
// The name a category is shown under in the current language.
std::string ShownCategoryName(const std::string& name);
// The part of a path after its last "/" or "\\" (the whole text without either).
std::string CategoryFileName(const std::string& path);

// What a stored record gives back, every word checked: the popup place of the stored
// category (0 when it is no longer shown), the size index (0-3), and the stamp to select in a
// category of `count` stamps.
struct StampChoices {
    int categoryPlace = 0;
    i16 sizeIndex = 0;
};
StampChoices RestoreStampChoices(const tStampPanelSaveData& record, const std::vector<u16>& ids);
int RememberedStamp(const tStampPanelSaveData& record, u16 libraryId, int count);
void RememberStamp(tStampPanelSaveData& record, u16 libraryId, int stamp);

}  // namespace Ostrel
