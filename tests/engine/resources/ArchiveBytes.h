#pragma once
// Builds archive images for tests from a short description, through the format writer.
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

std::vector<u8> bytesOf(const std::string& text);

}  // namespace testres
