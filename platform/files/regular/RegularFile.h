#pragma once
// Opening a file the user named, for reading or writing, without ever waiting for it: a pipe
// (FIFO) found among a child's files would make an ordinary open wait for a writer for ever,
// and the program with it; a device or a socket holds no file's bytes either. Only a regular
// file (or a link to one) is opened; the descriptor then reads and writes as any other.
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// The descriptor, close-on-exec, of the regular file at `hostPath` opened with the open(2)
// `flags` (no O_CREAT); -1 with errno set when it cannot be opened, EISDIR for a folder and
// ENODEV for anything else that is no regular file.
int openRegularFile(const std::string& hostPath, int flags);
// The whole of the regular file at `hostPath` into `bytes`: 0, or the errno of the failure,
// as openRegularFile's, EFBIG for a file larger than `limit` and ENOMEM when memory runs out.
int readRegularFile(const std::string& hostPath, uint64_t limit, std::vector<uint8_t>* bytes);

}  // namespace plat
