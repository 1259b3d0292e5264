#include "tests/journeys/ScreenPlan.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

namespace {

const nlohmann::json& plan() {
    static const nlohmann::json read = [] {
        std::ifstream in(TUMBLO_JOURNEY_LAYOUT);
        return nlohmann::json::parse(in, nullptr, false);
    }();
    return read;
}

}  // namespace

Area planned(const std::string& name) {
    const auto found = plan().find(name);
    if (found == plan().end() || !found->is_array() || found->size() != 4) {
        ADD_FAILURE() << "the screen plan has no place " << name;
        return {};
    }
    const nlohmann::json& box = *found;
    return {box[0].get<int32_t>(), box[1].get<int32_t>() + kScreenTop, box[2].get<int32_t>(), box[3].get<int32_t>()};
}
