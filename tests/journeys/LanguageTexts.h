#pragma once
// The texts the program shows, read from its language text files in the program folder
// ("English.txt", "Spanish.txt": INI sections of key=text, cp1252), as UTF-8. A text the file
// lacks fails the test.
#include <string>

std::string languageText(const std::string& language, const std::string& section, const std::string& key);
