#include "tests/journeys/LanguageTexts.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/charset/Conversion.h"
#include "tests/journeys/Journey.h"

std::string languageText(const std::string& language, const std::string& section, const std::string& key) {
    std::ifstream in(Journey::programFolder() / (language + ".txt"));
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inSection = line == "[" + section + "]";
        } else if (inSection && line.compare(0, key.size() + 1, key + "=") == 0) {
            return plat::cp1252ToUtf8(line.substr(key.size() + 1));
        }
    }
    ADD_FAILURE() << language << ".txt has no " << section << "/" << key;
    return {};
}

namespace {

std::string shown(const std::string& language, const ShownText& text) {
    std::string words = languageText(language, text.section, text.key);
    if (const size_t at = words.find("%s"); at != std::string::npos) words.replace(at, 2, text.name);
    return words;
}

}  // namespace

testing::AssertionResult showsInSpanish(const Shot& shot, const std::vector<ShownText>& texts, const Area& within,
                                        uint32_t paper) {
    for (const ShownText& text : texts) {
        const std::string spanish = shown("Spanish", text), english = shown("English", text);
        if (findWidgetText(shot, spanish, within, kWidgetText, paper).width == 0)
            return testing::AssertionFailure() << "\"" << spanish << "\" (" << text.key << ") is not shown";
        // An English text inside the Spanish one ("Cancel" in "Cancelar") is not told apart by its look.
        if (spanish.find(english) == std::string::npos && findWidgetText(shot, english, within, kWidgetText, paper).width > 0)
            return testing::AssertionFailure() << "\"" << english << "\" (" << text.key << ") is still in English";
    }
    return testing::AssertionSuccess();
}
