#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "media/quicktime/QtRuntime.h"

namespace pm = plat::media;

namespace {

class QtConnection : public ::testing::Test {
protected:
    void TearDown() override {
        qtFreeLibrary(nullptr);
        qtSetSearchFolders({});
    }
};

std::string broken(const char* kind) { return std::string(MEDIA_BROKEN_RUNTIMES_DIR) + "/" + kind; }

// Every kind of call answers "not available" and does nothing.
void expectEveryCallRefused() {
    MrWorld* world = reinterpret_cast<MrWorld*>(1);
    const pm::MrRect bounds{0, 0, 4, 4};
    EXPECT_EQ(qtNewWorld(&world, 16, &bounds), kQtErrNotAvailable);
    EXPECT_EQ(qtNewHandle(86), nullptr);
    EXPECT_EQ(qtWorldPixMap(nullptr), nullptr);
    EXPECT_EQ(qtMemoryError(), kQtErrNotAvailable);
    MrImporter* importer = nullptr;
    EXPECT_EQ(qtOpenImporter("/tmp/anything.png", &importer), kQtErrNotAvailable);
    MrExporter* exporter = nullptr;
    EXPECT_EQ(qtOpenExporter(pm::kMrExportPng, &exporter), kQtErrNotAvailable);
    EXPECT_EQ(qtDecompressImage(nullptr, 0, nullptr, nullptr, nullptr), kQtErrNotAvailable);
    qtDisposeWorld(nullptr);
}

}  // namespace

TEST_F(QtConnection, RefusesEveryCallBeforeTheStartUpConnects) {
    ASSERT_FALSE(qtConnected());
    expectEveryCallRefused();
}

TEST_F(QtConnection, ResultsByWhatTheSearchFinds) {
    struct Case {
        const char* name;
        std::string folder;
        i16 result;
    };
    const Case cases[] = {
        {"empty folder", std::filesystem::temp_directory_path().string() + "/qt_no_runtime_here", kQtErrLibraryNotFound},
        {"entry missing from the table", broken("missing_entry"), kQtErrMissingEntry},
        {"no table exported", broken("without_table"), kQtErrMissingEntry},
        {"our runtime", MEDIA_RUNTIME_DIR, 0},
    };
    std::filesystem::create_directories(cases[0].folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qtSetSearchFolders({c.folder});
        EXPECT_EQ(qtConnect(kQtConnectFlags), c.result);
        EXPECT_EQ(qtConnected(), c.result == 0);
        if (c.result != 0) expectEveryCallRefused();
        qtFreeLibrary(nullptr);
    }
    std::filesystem::remove(cases[0].folder);
}

TEST_F(QtConnection, FindsTheRuntimeInALaterFolderAfterAnEmptyOne) {
    qtSetSearchFolders({"/nonexistent/folder", MEDIA_RUNTIME_DIR});
    EXPECT_NE(qtFindLibrary(pm::kMediaRuntimeLibrary), nullptr);
}

TEST_F(QtConnection, NeverLooksInTheCurrentFolder) {
    const std::filesystem::path here = std::filesystem::current_path();
    ASSERT_EQ(chdir(MEDIA_RUNTIME_DIR), 0);
    qtSetSearchFolders({".", "", "program"});
    const i16 result = qtConnect(kQtConnectFlags);
    std::filesystem::current_path(here);
    EXPECT_EQ(result, kQtErrLibraryNotFound);
}

TEST_F(QtConnection, ASecondConnectOnlyCounts) {
    qtSetSearchFolders({MEDIA_RUNTIME_DIR});
    ASSERT_EQ(qtConnect(kQtConnectFlags), 0);
    const pm::MediaRuntimeTable* first = qtRuntime();
    // With nothing left to find, a second connection still succeeds: it does not search again.
    qtSetSearchFolders({"/nonexistent/folder"});
    EXPECT_EQ(qtConnect(kQtConnectFlags), 0);
    EXPECT_EQ(qtRuntime(), first);
}

TEST_F(QtConnection, AReleasedRuntimeIsNotCalledAgain) {
    qtSetSearchFolders({MEDIA_RUNTIME_DIR});
    QtLibrary library = qtLoadLibrary();
    ASSERT_NE(library, nullptr);
    MrHandle* handle = qtNewHandle(8);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(qtHandleSize(handle), 8u);
    qtDisposeHandle(handle);
    qtFreeLibrary(std::move(library));
    EXPECT_FALSE(qtConnected());
    expectEveryCallRefused();
}

TEST_F(QtConnection, StartUpGetsNoLibraryWhenTheRuntimeIsAbsent) {
    qtSetSearchFolders({broken("missing_entry")});
    EXPECT_EQ(qtLoadLibrary(), nullptr);
    EXPECT_FALSE(qtConnected());
}

TEST_F(QtConnection, MathAndTicksThroughTheRuntime) {
    qtSetSearchFolders({MEDIA_RUNTIME_DIR});
    ASSERT_EQ(qtConnect(kQtConnectFlags), 0);
    EXPECT_EQ(qtIntToFixed(3), 3 << 16);
    EXPECT_EQ(qtFixedMultiply(3 << 16, 1 << 15), 3 << 15);
    EXPECT_EQ(qtFixedRatio(1, 4), 1 << 14);
    EXPECT_EQ(qtFixedRatio(1, 0), INT32_MAX);
    const u32 before = qtTickCount();
    EXPECT_GE(qtTickCount(), before);
}
