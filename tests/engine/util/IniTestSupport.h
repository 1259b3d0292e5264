#pragma once
// The shared profile fixture with a reader of what a file on the scratch disc holds.
#include <map>
#include <sstream>
#include <string>

#include "tests/engine/ini/IniTestSupport.h"

class StoredProfileFixture : public ProfileFixture {
protected:
    using ProfileFixture::ProfileFixture;

    // The keys of one section of a file on the disc, as stored.
    std::map<std::string, std::string> stored(const std::string& file, const std::string& section) {
        std::map<std::string, std::string> keys;
        std::istringstream in(read(file));
        std::string line;
        bool inside = false;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line.front() == '[') {
                inside = line == "[" + section + "]";
            } else if (inside && line.find('=') != std::string::npos) {
                keys[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
            }
        }
        return keys;
    }
};
