#include "contentgen/content/ContentContext.h"

using nlohmann::json;

json layoutRect(const ContentContext& context, const std::string& reference) {
    const std::string name = reference.substr(1);
    if (reference.empty() || reference[0] != '@' || !context.layout.contains(name))
        throw ArtError("no layout rectangle " + reference);
    return context.layout[name];
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
