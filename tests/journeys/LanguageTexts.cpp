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
