#include "tests/journeys/LanguageTexts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <utility>

#include "platform/charset/Conversion.h"
#include "tests/journeys/Journey.h"

namespace {

using LanguageFile = std::map<std::pair<std::string, std::string>, std::string>;

// A language file's texts by section and key (the first of a key, as the program reads it),
// read once: the journeys ask for texts while they wait.
const LanguageFile& languageFile(const std::string& language) {
    static std::map<std::string, LanguageFile> files;
    if (const auto read = files.find(language); read != files.end()) return read->second;
    LanguageFile& texts = files[language];
    std::ifstream in(Journey::programFolder() / (language + ".txt"));
    std::string section;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            section = line;
        } else if (const size_t equals = line.find('='); equals != std::string::npos) {
            texts.emplace(std::make_pair(section, line.substr(0, equals)), plat::cp1252ToUtf8(line.substr(equals + 1)));
        }
    }
    return texts;
}

}  // namespace

std::string languageText(const std::string& language, const std::string& section, const std::string& key) {
    const LanguageFile& texts = languageFile(language);
    if (const auto found = texts.find({"[" + section + "]", key}); found != texts.end()) return found->second;
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
