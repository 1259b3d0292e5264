#include "contentgen/content/ContentContext.h"

#include <algorithm>

using nlohmann::json;

json layoutRect(const ContentContext& context, const std::string& reference) {
    if (reference.empty() || reference[0] != '@' || !context.layout.contains(reference.substr(1)))
        throw ArtError("no layout rectangle " + reference);
    const json& r = context.layout[reference.substr(1)];
    // Everything that reads a rectangle takes its four numbers as they stand.
    if (!r.is_array() || r.size() != 4 || !std::all_of(r.begin(), r.end(), [](const json& v) { return v.is_number(); }))
        throw ArtError("layout rectangle " + reference + " is not [x, y, w, h]: " + r.dump());
    return r;
}

std::pair<int, int> layoutPair(const ContentContext& context, const json& value, int which) {
    if (value.is_string()) {
        const json r = layoutRect(context, value.get<std::string>());
        return which == 0 ? std::pair{r[0].get<int>(), r[1].get<int>()} : std::pair{r[2].get<int>(), r[3].get<int>()};
    }
    if (!value.is_array() || value.size() != 2 || !value[0].is_number() || !value[1].is_number())
        throw ArtError("expected [x, y] or \"@layout\", got " + value.dump());
    return {value[0].get<int>(), value[1].get<int>()};
}
