#pragma once
// A scratch folder standing for the machine: the program's folder, the desktop's data and
// settings folders, with the OS, profile and memory services started over it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "engine/resources/ResourceManager.h"

namespace testdoc {

class DocumentFolderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tumblo-doc-XXXXXX";
        root_ = ::mkdtemp(pattern);
        std::filesystem::create_directories(root_ + "/prog/Data");
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(osmInit(nullptr), kErrNone);
        ASSERT_EQ(osInit(), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
    }
    void TearDown() override {
        resShutdown();
        iniShutdown();
        osShutdown();
        osmShutdown();
        memShutdown();
        std::filesystem::remove_all(root_);
    }

    Ostrel::FolderRoots roots() const {
        return {Ostrel::engineTextOfHostFolder(root_ + "/prog"), Ostrel::engineTextOfHostFolder(root_ + "/data/tumblo4"),
                Ostrel::engineTextOfHostFolder(root_ + "/config/tumblo4")};
    }
    // The host text of an engine text made by the folder table.
    static std::string host(std::string engineText) {
        engineText.erase(0, 2);
        for (char& c : engineText)
            if (c == '\\') c = '/';
        return engineText;
    }
    void write(const std::string& relative, const std::string& content) const {
        std::filesystem::create_directories(std::filesystem::path(root_ + "/" + relative).parent_path());
        std::ofstream(root_ + "/" + relative, std::ios::binary) << content;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(root_ + "/" + relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string root_;
};

}  // namespace testdoc
