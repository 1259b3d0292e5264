#pragma once
// What an open archive holds, as its callers see it: every resource of the given types by
// type and id, with its bytes. Used to compare an archive with the content it should hold.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/resources/ResourceManager.h"

namespace testres {

using ArchiveContent = std::map<std::pair<FourCC, u16>, std::string>;

inline ArchiveContent contentOfArchive(ResMapHandle map, const std::vector<FourCC>& types) {
    ArchiveContent content;
    for (FourCC type : types) {
        std::vector<u16> ids;
        resEnumResources(
            map, type,
            [](const u16* idAndIndex, void* context) -> u16 {
                static_cast<std::vector<u16>*>(context)->push_back(idAndIndex[0]);
                return 0;
            },
            &ids);
        for (u16 id : ids) {
            const ResourceRef ref = resFindResource(type, id, map);
            std::string bytes(size_t(std::max(0, resGetResourceSize(ref))), '\0');
            u32 count = u32(bytes.size());
            if (resReadResource(ref, bytes.data(), &count, 0) != kErrNone) bytes = "<unreadable>";
            content[{type, id}] = bytes;
        }
    }
    return content;
}

}  // namespace testres
