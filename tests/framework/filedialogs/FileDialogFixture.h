#pragma once
// A headless window over the OS services, and a scratch folder of the host's (drive C:) with
// a few files and folders for the file dialogs to show.
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>
#include <filesystem>
#include <fstream>

#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"
#include "engine/ini/IniProfiles.h"
#include "engine/os/OsManager.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"
#include "platform/files/Files.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/framework/WindowFixture.h"

namespace testfw {

class FileDialogTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        char pattern[] = "/tmp/tumblo-dlg-XXXXXX";
        root_ = ::mkdtemp(pattern);
        for (const char* name : {"a.tbx", "b.tbx", "s.wav", ".hidden.tbx", "Sub/inner.tbx"}) {
            std::filesystem::create_directories(std::filesystem::path(root_ + "/" + name).parent_path());
            std::ofstream(root_ + "/" + name) << name;
        }
        ASSERT_EQ(osmInit(nullptr), kErrNone);
        ASSERT_EQ(osInit(), kErrNone);
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(iniInit(), kErrNone);
        forgetLanguageFolders();
        folder_ = plat::textOfHostPath(root_);
        mfxScriptAlertAnswers({});
        mfxTakeAlertRecords();
    }
    void TearDown() override {
        forgetLanguageFolders();
        iniShutdown();
        memShutdown();
        osShutdown();
        osmShutdown();
        std::filesystem::remove_all(root_);
        WindowTest::TearDown();
    }
    // The language module keeps its files' paths between tests; paths on volumes of an
    // earlier test's services must not be read.
    static void forgetLanguageFolders() {
        Path none{};
        SetupLanguageFolders(&none, kLanguageSetupFile);
    }
    void type(const std::string& text) {
        for (char c : text) {
            // The punctuation of paths, on the keys of a US keyboard.
            static constexpr std::pair<char, uint8_t> kMarks[] = {
                {'.', plat::kVkPeriod}, {'/', plat::kVkSlash}, {'-', plat::kVkMinus}, {'_', plat::kVkMinus}, {'~', plat::kVkBackquote}};
            const auto* mark = std::find_if(std::begin(kMarks), std::end(kMarks), [c](const auto& m) { return m.first == c; });
            if (mark != std::end(kMarks)) {
                const bool shifted = c == '_' || c == '~';
                if (shifted) key(plat::kVkShift, true);
                press(mark->second);
                if (shifted) key(plat::kVkShift, false);
                continue;
            }
            const bool upper = c >= 'A' && c <= 'Z';
            if (upper) key(plat::kVkShift, true);
            press(uint8_t((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c));
            if (upper) key(plat::kVkShift, false);
        }
    }
    void backTab() {
        key(plat::kVkShift, true);
        press(plat::kVkTab);
        key(plat::kVkShift, false);
    }

    std::string root_;
    std::string folder_;  // the root's engine text
};

}  // namespace testfw
