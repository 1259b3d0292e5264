#include "engine/files/RelativePaths.h"

#include <vector>

#include "engine/files/OsState.h"

namespace {

std::vector<std::string> componentsOf(const char* text) {
    std::vector<std::string> parts;
    std::string part;
    for (const char* p = text; *p; ++p) {
        if (*p == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += *p;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

EngineErr MakeRelativePathText(const Path* from, u16 fromIsFolder, const Path* to, std::string* outText) {
    outText->clear();
    if (!from->record || !to->record) return osSetLastError(kOsErrBadPath);
    char full[kSystemTextSize];
    pathGetFullText(to, full);
    if (from->record->volume != to->record->volume) {
        *outText = full;
        return osSetLastError(kErrNone);
    }
    std::vector<std::string> base = componentsOf(from->record->text);
    if (!fromIsFolder && !base.empty()) base.pop_back();
    std::vector<std::string> target = componentsOf(to->record->text);
    const std::string name = target.empty() ? std::string() : target.back();
    if (!target.empty()) target.pop_back();
    size_t same = 0;
    while (same < base.size() && same < target.size() && base[same] == target[same]) ++same;
    if (same == 0) {
        *outText = full;
        return osSetLastError(kErrNone);
    }
    for (size_t i = same; i < base.size(); ++i) *outText += "../";
    for (size_t i = same; i < target.size(); ++i) *outText += target[i] + "/";
    *outText += name;
    return osSetLastError(kErrNone);
}

EngineErr IsPathInFolder(const Path* folder, const Path* path, u16* outFlag) {
    *outFlag = 0;
    if (!folder->record || !path->record) return osSetLastError(kOsErrBadPath);
    Path step;
    pathInitCopy(&step, path);
    for (;;) {
        if (pathCompare(folder, &step) == kErrNone) {
            *outFlag = 1;
            break;
        }
        if (step.record->text[1] == 0) break;  // the root: nothing above it
        Path parent;
        pathJoin(&parent, &step, "..");
        pathRelease(&step);
        if (!parent.record) break;
        step = parent;
    }
    pathRelease(&step);
    return osSetLastError(kErrNone);
}
