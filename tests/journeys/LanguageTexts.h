#pragma once
// The texts the program shows, read from its language text files in the program folder
// ("English.txt", "Spanish.txt": INI sections of key=text, cp1252), as UTF-8. A text the file
// lacks fails the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/journeys/Shot.h"
#include "tests/journeys/WidgetText.h"

std::string languageText(const std::string& language, const std::string& section, const std::string& key);

// A text of the language files as a screen shows it: "%s" stands for `name`.
struct ShownText {
    std::string section;
    std::string key;
    std::string name;
};

// Whether a Spanish screen shows each text in Spanish, and none in English where the two differ
// (and the English is no part of the Spanish).
testing::AssertionResult showsInSpanish(const Shot& shot, const std::vector<ShownText>& texts, const Area& within,
                                        uint32_t paper = kWidgetFace);
