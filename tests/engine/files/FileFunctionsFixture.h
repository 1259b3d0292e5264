#pragma once
// The file functions' fixture: a fixed scratch drive T:, a second volume U: for moves between
// volumes, and helpers that lay out host trees and read them back.
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "tests/engine/files/OsTestSupport.h"

class FileFunctionsTest : public OsFixture {
protected:
    FileFunctionsTest() : OsFixture(plat::DriveType::Fixed, "SCRATCH", "ext4") {}

    void SetUp() override {
        char pattern[] = "/tmp/tumblo-vol-XXXXXX";
        second_ = ::mkdtemp(pattern);
        other_ = std::make_unique<plat::FakeDrive>('U', plat::FakeDisc{second_, "OTHER", 2222, "ext4", 255},
                                                   plat::DriveType::Fixed);
        OsFixture::SetUp();
    }
    void TearDown() override {
        OsFixture::TearDown();
        other_.reset();
        std::filesystem::remove_all(second_);
    }

public:
    // Public so that a case table's lambdas can lay out files.
    std::string host(char letter, const std::string& relative) const {
        return plat::driveHostRoot(letter) + "/" + relative;
    }
    void write(char letter, const std::string& relative, const std::string& content) {
        const std::filesystem::path file = host(letter, relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
protected:
    // Every file below a host folder with its bytes, by relative name; folders end with "/".
    static std::map<std::string, std::string> tree(const std::string& folder) {
        std::map<std::string, std::string> entries;
        if (!std::filesystem::exists(folder)) return entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            const std::string name = std::filesystem::relative(entry.path(), folder).generic_string();
            if (entry.is_symlink()) {
                entries[name] = "->";
            } else if (entry.is_directory()) {
                entries[name + "/"] = "";
            } else {
                std::ifstream in(entry.path(), std::ios::binary);
                entries[name] = std::string(std::istreambuf_iterator<char>(in), {});
            }
        }
        return entries;
    }

    std::string second_;
    std::unique_ptr<plat::FakeDrive> other_;
};
