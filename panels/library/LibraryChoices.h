#pragma once
// What the library panel lists and remembers, apart from the screen: the libraries of a media
// kind the page lets the child see, the thumbnails of a library in strip order, and the words
// of its record in the user's "user.ini" (word 0 the shown library's number in the kind's
// enumeration, word 1 + n the strip page last shown of library n).
#include <string>
#include <vector>

#include "document/library/RLibraryMgr.h"
#include "document/objects/RLibExclusionsObject.h"
#include "panels/base/PanelSaveData.h"

namespace Ostrel {

constexpr size_t kLibWordChosen = 0;
constexpr size_t kLibWordFirstPage = 1;
// Libraries past this number have no page word of their own.
constexpr u16 kLibRememberedPages = u16(std::tuple_size_v<tLibSaveData> - kLibWordFirstPage);

struct LibraryList {
    std::vector<std::string> names;
    // Each listed library's number in the kind's enumeration (excluded ones keep theirs).
    std::vector<u16> ids;
    std::vector<u16> kinds;
};

// The section of the language texts that names the installed libraries in the child's
// language, by their file names cut at the first ".".
constexpr const char* kLibraryNamesSection = "LibraryNames";

// Every library of the kind, the user's own too, but those the page's exclusions name (by
// file name); each shown under the name the current language's texts give it (the user's own
// as "Biblioteca de Begoña"), or under its file name when they give none.
LibraryList ListLibraries(const RLibraryMgr& libraries, FourCC type, const RLibExclusionsObject* exclusions);
// The file name cut at the first ".".
std::string LibraryShownName(const std::string& fileName);
// The name a library of that cut file name is shown under in the current language.
std::string TranslatedLibraryName(const std::string& name);

// A record as loaded: one never stored (word 0 of -1) becomes all zeros.
tLibSaveData NormaliseLibRecord(const tLibSaveData& stored);
// The list place of the stored library, found by its number (0 when it is no longer listed).
int RememberedLibraryPlace(const tLibSaveData& record, const std::vector<u16>& ids);
// The stored page of a library, within 0 .. pages - 1.
int RememberedPage(const tLibSaveData& record, u16 libraryId, int pages);
void RememberPage(tLibSaveData& record, u16 libraryId, int page);

// A library's entries as the strip shows them: those with a thumbnail, in library order, each
// strip item knowing the entry it stands for.
struct StripEntry {
    u16 entryId = 0;
    std::vector<u8> thumbnail;
};
// The library's entries that have a thumbnail, in order, each with its thumbnail made
// drawable (expanded, JPEG decoded, colours in machine order).
std::vector<StripEntry> ReadStripEntries(const RLibrary& library);
// The entry of a strip item, 0 for an item past the strip.
u16 EntryOfStripItem(const std::vector<StripEntry>& strip, int item);

}  // namespace Ostrel
