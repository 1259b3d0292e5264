#include "panels/library/LibraryChoices.h"

#include <algorithm>

#include "framework/language/LanguageTexts.h"

namespace Ostrel {

LibraryList ListLibraries(const RLibraryMgr& libraries, FourCC type, const RLibExclusionsObject* exclusions) {
    LibraryList list;
    RLibraryMgr::Iteration iteration;
    std::string fileName;
    u16 kind = 0;
    for (u16 number = 0; libraries.NextLibraryItem(&iteration, type, &fileName, &kind); ++number) {
        std::string name = LibraryShownName(fileName);
        if (exclusions && exclusions->IsExcluded(type, name)) continue;
        const std::string own = kind == kLibraryOfUser ? libraries.OwnLibraryTitle(name) : std::string();
        list.names.push_back(own.empty() ? TranslatedLibraryName(name) : own);
        list.ids.push_back(number);
        list.kinds.push_back(kind);
    }
    return list;
}

std::string LibraryShownName(const std::string& fileName) { return fileName.substr(0, fileName.find('.')); }

std::string TranslatedLibraryName(const std::string& name) {
    const std::string shown = LookupLanguageText(kLibraryNamesSection, name.c_str()).c_str();
    return shown.empty() ? name : shown;
}

tLibSaveData NormaliseLibRecord(const tLibSaveData& stored) {
    tLibSaveData record = stored;
    if (record[kLibWordChosen] == kPrefsNotStored) record.fill(0);
    return record;
}

int RememberedLibraryPlace(const tLibSaveData& record, const std::vector<u16>& ids) {
    // By number: with exclusions, a place in the list names another library.
    const auto found = std::find(ids.begin(), ids.end(), u16(record[kLibWordChosen]));
    return record[kLibWordChosen] < 0 || found == ids.end() ? 0 : int(found - ids.begin());
}

int RememberedPage(const tLibSaveData& record, u16 libraryId, int pages) {
    if (libraryId >= kLibRememberedPages) return 0;
    const i16 page = record[kLibWordFirstPage + libraryId];
    return page >= 0 && page < pages ? page : 0;
}

void RememberPage(tLibSaveData& record, u16 libraryId, int page) {
    if (libraryId < kLibRememberedPages && page >= 0 && page <= 0x7FFF) record[kLibWordFirstPage + libraryId] = i16(page);
}

u16 EntryOfStripItem(const std::vector<StripEntry>& strip, int item) {
    return item >= 0 && size_t(item) < strip.size() ? strip[size_t(item)].entryId : 0;
}

}  // namespace Ostrel
