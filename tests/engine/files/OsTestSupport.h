#pragma once
// Fixtures for the OS services: a scratch folder played by fake drive T: (a CD unless told
// otherwise), the OS manager and the services started over it, and an error callback that records every record
// it is asked with and answers from a script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/OsFiles.h"
#include "engine/os/OsManager.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "platform/clock/Clock.h"
#include "platform/drives/Drives.h"

struct AskedRecord {
    u32 kind;
    u32 drive;
    VolumeRecord* volume;
    std::string message;
};

class ScriptedErrorCallback {
public:
    ScriptedErrorCallback() {
        current_ = this;
        osSetErrorCallback(&ScriptedErrorCallback::call);
    }
    ~ScriptedErrorCallback() {
        osSetErrorCallback(nullptr);
        current_ = nullptr;
    }
    // Runs on each ask; its result is the answer (non-zero: retry).
    std::function<u16(const OsErrorRecord&)> answer = [](const OsErrorRecord&) { return u16(0); };
    std::vector<AskedRecord> asked;

private:
    static u16 call(const OsErrorRecord* record) {
        current_->asked.push_back(
            {record->kind, record->drive, record->volume, record->message ? record->message : ""});
        return current_->answer(*record);
    }
    static inline ScriptedErrorCallback* current_ = nullptr;
};

class OsFixture : public ::testing::Test {
protected:
    explicit OsFixture(plat::DriveType type = plat::DriveType::CdRom, std::string label = "DISC1",
                       std::string fileSystem = "CDFS", u32 maxNameLength = 255)
        : type_(type), label_(std::move(label)), fileSystem_(std::move(fileSystem)), maxName_(maxNameLength) {}

    void SetUp() override {
        previousFolder_ = std::filesystem::current_path();
        char pattern[] = "/tmp/tumblo-os-XXXXXX";
        root_ = ::mkdtemp(pattern);
        std::filesystem::create_directory(root_ + "/disc1");
        drive_ = std::make_unique<plat::FakeDrive>('T', disc(label_, 1111, "disc1"), type_);
        ASSERT_EQ(osmInit(nullptr), kErrNone);
        ASSERT_EQ(osInit(), kErrNone);
    }
    void TearDown() override {
        osShutdown();
        osmShutdown();
        drive_.reset();
        std::filesystem::current_path(previousFolder_);
        std::filesystem::remove_all(root_);
    }

    plat::FakeDisc disc(const std::string& label, u32 serial, const std::string& folder) {
        std::filesystem::create_directories(root_ + "/" + folder);
        return plat::FakeDisc{root_ + "/" + folder, label, serial, fileSystem_, maxName_};
    }
    // A file on the disc in the drive now.
    void put(const std::string& name, const std::string& content) {
        std::ofstream(plat::driveHostRoot('T') + "/" + name, std::ios::binary) << content;
    }
    std::string read(const std::string& name) {
        std::ifstream in(plat::driveHostRoot('T') + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    plat::ScopedFakeClock clock_{100000};
    plat::DriveType type_;
    std::string label_;
    std::string fileSystem_;
    u32 maxName_;
    std::string root_;
    std::filesystem::path previousFolder_;
    std::unique_ptr<plat::FakeDrive> drive_;
};

// A path that releases itself.
class TestPath {
public:
    TestPath() { pathInitEmpty(&path_); }
    explicit TestPath(const char* text) { pathFromText(&path_, text); }
    ~TestPath() { pathRelease(&path_); }
    TestPath(const TestPath&) = delete;
    TestPath& operator=(const TestPath&) = delete;
    Path* operator&() { return &path_; }
    const Path* get() const { return &path_; }
    bool empty() const { return path_.record == nullptr; }
    std::string text() const { return path_.record ? path_.record->text : ""; }

private:
    Path path_;
};
