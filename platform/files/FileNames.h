#pragma once
// Inside platform/files: engine texts to host paths, name folding, and the errno
// mapping shared by the file, folder and search calls.
#include <string>

#include "platform/drives/SystemErrors.h"

namespace plat::files_detail {

// The cp1252 name folded to lower case, the way names are compared without regard to case.
std::string foldName(const std::string& cp1252Name);

struct ResolvedPath {
    char letter = 0;
    std::string host;
};

// Resolves a text ("C:\folder\name") to its host path, taking a case-insensitive match for
// every component not found as written. Missing components are kept as written, so that the
// system call on the result reports what is missing. The drive's faults are reported first.
SysErr resolveText(const std::string& text, bool writing, ResolvedPath* resolved);

// errno of a call on hostPath: "not found" is split into a missing file (its folder exists)
// and a missing path.
SysErr systemErrorOf(int error, const std::string& hostPath);

// Whether the last component of a host path names a hidden entry.
bool isHiddenName(const std::string& hostPath);

}  // namespace plat::files_detail
