#include "engine/files/UniqueFileName.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/base/TextUtils.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/files/OsState.h"

namespace {

bool endsWithNoCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           strCompareNoCase(text.c_str() + (text.size() - end.size()), end.c_str()) == 0;
}

// The candidate for number n (none when `withNumber` is false), its base shortened so that
// it stays below `limit` characters; empty when even no base does not fit.
std::string candidateFor(const std::string& base, bool withNumber, u32 n, const std::string& extension,
                         size_t limit) {
    const std::string tail = (withNumber ? std::to_string(n) : std::string()) + extension;
    if (tail.size() >= limit) return {};
    const size_t room = limit - 1 - tail.size();
    // Whole characters only: a double-byte character is never cut in half.
    size_t keep = 0;
    for (const char* p = base.c_str(); *p; p = strCharNext(p)) {
        const size_t next = size_t(strCharNext(p) - base.c_str());
        if (next > room) break;
        keep = next;
    }
    if (keep == 0 && !base.empty()) return {};  // nothing of the name would be left
    return base.substr(0, keep) + tail;
}

}  // namespace

EngineErr MakeUniqueFileName(const Path* folder, char* name, u32 nameSize, const char* extension, Path* outPath,
                             u32 maxLength, UniqueNameAccept accept, void* context, u16 numberFirst) {
    pathInitEmpty(outPath);
    if (!name || nameSize == 0 || !name[0]) return osSetLastError(1);
    std::string base(name, std::find(name, name + nameSize, '\0'));
    std::string ext;
    if (extension) {
        ext = extension;
        if (endsWithNoCase(base, ext)) base.erase(base.size() - ext.size());
    } else if (const size_t dot = base.rfind('.'); dot != std::string::npos) {
        ext = base.substr(dot);
        base.erase(dot);
    }
    while (!base.empty() && base.back() >= '0' && base.back() <= '9') base.pop_back();
    const size_t limit = maxLength ? std::min<size_t>(maxLength, nameSize) : nameSize;
    for (u32 n = numberFirst ? 1 : 0; n <= kUniqueNameMaxTries; ++n) {
        const bool withNumber = n > 0 || base.empty();
        const std::string candidate = candidateFor(base, withNumber, n, ext, limit);
        if (candidate.empty()) return osSetLastError(kOsErrBadPath);
        std::memcpy(name, candidate.c_str(), candidate.size() + 1);
        if (accept && !accept(name, context)) continue;
        Path path;
        pathJoin(&path, folder, name);
        if (!path.record) return pathGetLastError();
        const EngineErr there = pathCheckExists(&path);
        if (there == kOsErrNotFound) {
            *outPath = path;
            return osSetLastError(kErrNone);
        }
        pathRelease(&path);
        if (there != kErrNone) return osSetLastError(there);
    }
    return osSetLastError(kOsErrExists);
}
