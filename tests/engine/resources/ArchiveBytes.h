#pragma once
// Builds archive images for tests from a short description, through the format writer,
// and holds the golden images every writer must reproduce.
#include <string>
#include <vector>

#include "engine/resources/ArchiveFormat.h"

namespace testres {

struct ResSpec {
    FourCC type;
    u16 id;
    std::string data;
    const char* name = nullptr;
    u8 flags = 0;
};

// Data of each resource in order after the header, then the directory and the file table.
std::vector<u8> makeArchive(const std::vector<ResSpec>& resources);

// A new archive with no resources.
extern const std::vector<u8> kEmptyArchive;
// A new archive holding "tTXT" 1 with the bytes abc, written at the end and updated.
extern const std::vector<u8> kWorkedExample;

}  // namespace testres
