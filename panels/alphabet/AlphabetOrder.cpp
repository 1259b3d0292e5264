#include "panels/alphabet/AlphabetOrder.h"

#include <algorithm>

#include "framework/language/LanguageTexts.h"

namespace Ostrel {

namespace {

// Ñ and ñ in Latin-1, each with the letter it follows.
constexpr std::pair<char, char> kSpanishFollowers[] = {{'N', char(0xD1)}, {'n', char(0xF1)}};

}  // namespace

std::vector<int> AlphabetOrder(const std::string& characters, u16 language) {
    std::vector<int> order(characters.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
    if (language != kLanguageSpanish) return order;
    for (const auto& [letter, follower] : kSpanishFollowers) {
        const size_t at = characters.find(follower), before = characters.find(letter);
        if (at == std::string::npos || before == std::string::npos) continue;
        order.erase(std::find(order.begin(), order.end(), int(at)));
        order.insert(std::find(order.begin(), order.end(), int(before)) + 1, int(at));
    }
    return order;
}

}  // namespace Ostrel
