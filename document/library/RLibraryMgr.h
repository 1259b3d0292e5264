#pragma once
// Finds the library files of a media kind: first those installed with the program (location
// kind 1), then those on the program's disc (kind 3) when a disc is known, then the user's
// own (kind 2). Library files end in ".tbl".
//
// The program's disc is named by a path to its root, whose volume names that very disc: using
// it asks, through the OS services' error callback, for the disc to be put in when another
// one or none is in the drive. A disc's libraries lie as the installed ones do, in
// "Library\<kind's folder>", and always open read-only.
#include <map>
#include <span>
#include <string>
#include <vector>

#include "document/library/RLibrary.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"

namespace Ostrel {

constexpr u16 kLibraryOnDisk = 1;
constexpr u16 kLibraryOfUser = 2;
constexpr u16 kLibraryOnDisc = 3;
constexpr i32 kNoLibraryEntry = -1;
constexpr EngineErr kDocErrNoLibrary = 11352;  // no library of the kind to show

class RLibraryMgr {
public:
    explicit RLibraryMgr(const Paths& paths) : paths_(paths) {}

    // The root of the program's disc; an empty path forgets the disc, and the disc's
    // libraries are no longer listed.
    void SetProgramDisc(const Path* discRoot);

    struct Iteration {
        u16 kind = 0;  // 0 before the first call
        size_t next = 0;
        std::vector<std::string> names;
    };
    // 1 with the next library's file name (within its kind's folder) and location kind; 0 at
    // the end. A disc that cannot be had lists nothing.
    u16 NextLibraryItem(Iteration* state, FourCC type, std::string* fileName, u16* kind) const;
    // The folder of the installed or the user's location kind for the media kind.
    std::string FolderOf(FourCC type, u16 kind) const;
    // The kind's library folder on the program's disc, once the disc is in its drive (asked
    // for when it is not). kDocErrNoDisc without a disc or a folder for the kind.
    EngineErr OpenLibraryWithDiscPrompt(FourCC type, Path* folder) const;
    // Opens a library the enumeration gave; one on the disc opens read-only.
    EngineErr OpenLibrary(FourCC type, u16 kind, const std::string& fileName, bool readOnly, RLibrary* library) const;
    // kLibraryOfUser for a library under the users folder, else kLibraryOnDisk.
    u16 GetLibraryLocationKind(const std::string& libraryPath) const;

    // The engine text of the library at `position` of the kind's enumeration (counted from 0
    // over all location kinds) and its location kind: 0, kNoLibraryEntry past the end, or the
    // disc's error for a library on a disc that cannot be had.
    i32 GetLibraryEntryPath(FourCC type, u32 position, std::string* path, u16* kind = nullptr) const;
    // The same, and the library becomes the kind's current one.
    i32 LoadLibraryItem(FourCC type, u32 position, std::string* path, u16* kind);
    // The kind's current library (the first one until another was loaded): 0 with its path and
    // location kind when its file is there, else kDocErrNoLibrary or the disc's error.
    EngineErr GetCurrentLibrary(FourCC type, std::string* path, u16* kind) const;
    // The user's own library of the kind, "<user><UserLibPostfix>.tbl" in the user's folder for
    // the kind ([Paths2] "UserLibPostfix" of the settings file, " Library" when unset), opened
    // writable. Its path comes back even when it fails, so that a missing one can be created.
    EngineErr OpenDefaultLibraryForType(FourCC type, RLibrary* library, std::string* path) const;
    // The engine text of that library, whether it is there or not.
    EngineErr DefaultLibraryPath(FourCC type, std::string* path) const;

    // The name the child reads for the user's own library of a kind, given its listed name
    // (the file name cut at the first "."): the current language's [FileStrings] "UserLibrary"
    // with "%s" the user's name ("Biblioteca de Begoña"); empty for any other library.
    std::string OwnLibraryTitle(const std::string& listedName) const;

private:
    std::string DefaultLibraryName() const;

    const Paths& paths_;
    EnginePath disc_;
    std::map<FourCC, u32> current_;
};

// Adds an item (its media, picture thumbnail and name) to a library of the user's own and
// gives its new id: kResErrReadOnly for a library that cannot be written, else the archive's
// error (kOsErrDiskFull when the volume is full) or kDocErrNotOpen.
EngineErr AddToUserLibrary(RLibrary& library, std::span<const u8> media, std::span<const u8> thumbnail,
                           const std::string& name, u16* id);

}  // namespace Ostrel
