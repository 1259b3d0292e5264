#pragma once
// A scratch disc in T: with engine memory, the OS services and the INI module started, and a
// reader of what a profile holds on disc.
#include <map>
#include <sstream>
#include <string>

#include "engine/base/MemoryHandles.h"
#include "engine/ini/IniProfiles.h"
#include "tests/engine/files/OsTestSupport.h"

class UtilIniFixture : public OsFixture {
protected:
    UtilIniFixture() : OsFixture(plat::DriveType::Fixed, "SCRATCH", "ext4", 255) {}

    void SetUp() override {
        OsFixture::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
    }
    void TearDown() override {
        iniShutdown();
        memShutdown();
        OsFixture::TearDown();
    }

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
