#include "platform/files/StdioSync.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <string>

namespace plat {

bool syncStdioFile(std::FILE* file) { return file && std::fflush(file) == 0 && ::fsync(fileno(file)) == 0; }

bool syncFolderOfHostPath(const char* path) {
    if (path == nullptr || *path == 0) return false;
    const std::string text = path;
    const size_t slash = text.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : text.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool moveHostPathIfFree(const char* from, const char* to) {
    return from && to && ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0;
}

}  // namespace plat
