#pragma once
// A library file: an archive of items of one media kind, listed by its header resource
// ('tLHD' id 1). An item's media is the resource of the library's kind under the item's id;
// its picture thumbnail is 'tTHM' and its name 'tATX' (and 'tATS' in Spanish) under the same id. Each change is
// committed by the archive's update, whole or not at all.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "document/objects/RPageObject.h"
#include "document/storage/LibraryHeader.h"
#include "engine/files/Paths.h"
#include "engine/files/OsFiles.h"
#include "engine/resources/ArchiveFile.h"
#include "engine/resources/ResourceManager.h"

namespace Ostrel {

constexpr const char* kLibraryExtension = ".tbl";
constexpr u16 kThumbnailPicture = 1;
constexpr u16 kThumbnailName = 2;
constexpr EngineErr kDocErrNotOpen = 11350;
constexpr EngineErr kDocErrNoDisc = 11351;  // no program disc is known, or it has no folder for the kind

class RLibrary {
public:
    RLibrary() = default;
    ~RLibrary() { Close(); }
    RLibrary(const RLibrary&) = delete;
    RLibrary& operator=(const RLibrary&) = delete;

    // Makes a new library file of the kind, with an empty header, and keeps it open.
    EngineErr Create(const Path* path, FourCC type, u16 flags);
    // A library on a medium that cannot be written (a disc) opens read-only whatever is asked.
    EngineErr Open(const Path* path, bool readOnly);
    // The same over an archive file the library then owns.
    EngineErr OpenArchive(std::unique_ptr<ArchiveFile> file, bool readOnly);
    EngineErr Close();
    static bool IsMissing(const Path* path) { return pathCheckExists(path) != kErrNone; }

    EngineErr LoadHeader();
    EngineErr SaveHeader();
    const LibraryHeader& Header() const { return header_; }
    bool IsReadOnly() const { return readOnly_; }

    // 1 and the next entry after *iterator (starting at 0), 0 at the end.
    u16 NextEntry(u32* iterator, LibraryEntry* entry) const;
    // kind: kThumbnailPicture or kThumbnailName.
    EngineErr ReadEntryThumbnail(u16 id, u16 kind, std::vector<u8>* bytes) const;
    // The item's name: in Spanish when `spanish` and the library gives one (the installed
    // libraries do), else the one it was added under.
    EngineErr ReadEntryName(u16 id, bool spanish, std::string* name) const;
    // A page object of the library's kind holding the entry's media; null when refused.
    std::unique_ptr<RPageObject> CreateObjectForEntry(u16 id) const;
    // Adds an item under the next id; 0 when refused (read-only, full, or not written), with
    // the error of the write that failed in `error` (kErrNone when none was tried).
    u16 AddItem(std::span<const u8> media, std::span<const u8> thumbnail, const std::string& name,
                EngineErr* error = nullptr);
    EngineErr DeleteEntry(u16 id);

private:
    EngineErr Write(FourCC type, u16 id, std::span<const u8> bytes);
    EngineErr Read(FourCC type, u16 id, std::vector<u8>* bytes) const;
    EngineErr RemoveItemResources(u16 id);

    ResMapHandle map_ = 0;
    bool readOnly_ = true;
    LibraryHeader header_;
};

// The kind of page object a library's items become (stamps are movable pictures).
FourCC objectTypeForLibrary(FourCC libraryType);

}  // namespace Ostrel
