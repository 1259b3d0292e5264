#pragma once
// Finds the library files of a media kind: first those installed with the program (location
// kind 1), then the user's own (kind 2). Library files end in ".tbl".
#include <string>
#include <vector>

#include "document/users/Paths.h"

namespace Ostrel {

constexpr u16 kLibraryOnDisk = 1;
constexpr u16 kLibraryOfUser = 2;

class RLibraryMgr {
public:
    explicit RLibraryMgr(const Paths& paths) : paths_(paths) {}

    struct Iteration {
        u16 kind = 0;  // 0 before the first call
        size_t next = 0;
        std::vector<std::string> names;
    };
    // 1 with the next library's file name (within its kind's folder) and location kind; 0 at
    // the end.
    u16 NextLibraryItem(Iteration* state, FourCC type, std::string* fileName, u16* kind) const;
    // The folder of a location kind for the media kind.
    std::string FolderOf(FourCC type, u16 kind) const;
    // kLibraryOfUser for a library under the users folder, else kLibraryOnDisk.
    u16 GetLibraryLocationKind(const std::string& libraryPath) const;

private:
    const Paths& paths_;
};

}  // namespace Ostrel
