#pragma once
// An engine Path owned for a scope, and the engine text of a host folder: the host's root is
// drive C:, so "/home/ann" is "C:\home\ann".
#include <string>

#include "engine/files/Paths.h"

namespace Ostrel {

class EnginePath {
public:
    EnginePath() { pathInitEmpty(&path_); }
    explicit EnginePath(const std::string& text) { pathFromText(&path_, text.c_str()); }
    EnginePath(const EnginePath& other) { pathInitCopy(&path_, &other.path_); }
    EnginePath& operator=(const EnginePath& other) {
        pathAssign(&path_, &other.path_);
        return *this;
    }
    ~EnginePath() { pathRelease(&path_); }
    Path* get() { return &path_; }
    const Path* get() const { return &path_; }
    bool empty() const { return path_.record == nullptr; }

private:
    Path path_;
};

// Empty for an empty or relative host text.
std::string engineTextOfHostFolder(const std::string& host);

}  // namespace Ostrel
