#pragma once
// Inside platform/files: the table of open files, which the share modes and the refusal to
// delete or rename an open file are checked against.
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace plat::files_detail {

struct OpenFile {
    int fd;
    char letter;
    dev_t device;
    ino_t inode;
    uint32_t access;
    uint32_t share;
};

struct OpenFileTable {
    std::mutex mutex;
    std::vector<std::shared_ptr<OpenFile>> files;  // index = FileHandle

    bool isOpen(dev_t device, ino_t inode);
};

OpenFileTable& openFiles();

}  // namespace plat::files_detail
