#pragma once
// A settings profile on a scratch disc in T:, with the memory and INI modules started: the
// fixture of every test that reads a module's settings.
#include "engine/base/MemoryHandles.h"
#include "engine/ini/IniProfiles.h"
#include "tests/engine/files/OsTestSupport.h"

class ProfileFixture : public OsFixture {
protected:
    explicit ProfileFixture(std::string fileName)
        : OsFixture(plat::DriveType::Fixed, "SCRATCH"), fileName_(std::move(fileName)) {}
    void SetUp() override {
        OsFixture::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
        pathFromText(&profile_, ("T:\\" + fileName_).c_str());
    }
    void TearDown() override {
        pathRelease(&profile_);
        iniShutdown();
        memShutdown();
        OsFixture::TearDown();
    }
    // Profiles are in the engine's own text form: lines end with CR LF.
    void profile(const std::string& text) { put(fileName_, text); }

    std::string fileName_;
    Path profile_{};
};
