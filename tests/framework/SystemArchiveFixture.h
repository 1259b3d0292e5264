#pragma once
// An open resource archive in memory, made with the archive writer, standing for the
// program's "System" archive.
#include <gtest/gtest.h>

#include "engine/base/MemoryHandles.h"
#include "engine/resources/ResourceManager.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace testfw {

class SystemArchive {
public:
    SystemArchive() {
        memInit(0, 512);
        resInit();
    }
    ~SystemArchive() {
        if (map_ != 0) resCloseFile(map_, 0, 1);
        resShutdown();
        memShutdown();
    }
    SystemArchive(const SystemArchive&) = delete;
    SystemArchive& operator=(const SystemArchive&) = delete;

    void open(const std::vector<testres::ResContent>& contents) {
        auto image = std::make_shared<testres::FileImage>();
        image->bytes = testres::makeArchive(contents);
        map_ = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "System"), 1, 0);
        ASSERT_NE(map_, 0);
    }

private:
    ResMapHandle map_ = 0;
};

inline std::string asText(const std::vector<u8>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace testfw
