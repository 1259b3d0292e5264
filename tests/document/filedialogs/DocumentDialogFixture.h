#pragma once
// The document folders with a user chosen, a headless main window for the dialogs, and keys
// scripted into it.
#include <fstream>
#include <memory>

#include "framework/dialogs/mfxAlert.h"
#include "framework/format/DialogFormat.h"
#include "framework/language/LanguageTexts.h"
#include "platform/keyboard/VirtualKeys.h"
#include "tests/document/DocumentFolderFixture.h"
#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"
#include "tests/framework/WindowFixture.h"

namespace testdoc {

class DocumentDialogFixture : public DocumentFolderFixture {
protected:
    void SetUp() override {
        DocumentFolderFixture::SetUp();
        plat::setDisplayDriver(&display_);
        window_ = std::make_unique<testfw::FrameworkWindow>();
        paths_ = std::make_unique<Ostrel::Paths>(roots());
        ASSERT_EQ(paths_->ResolveDataFolders(), kErrNone);
        ASSERT_EQ(paths_->SelectUserFolder("Ann"), kErrNone);
        mfxScriptAlertAnswers({});
        mfxTakeAlertRecords();
        forgetLanguageFolders();
        // The content set's extension below the dialogs that offer the child's library too.
        const DialogTemplate libraryChoice{360, 34, {"", ""}, {DialogItemTemplate{30, DialogItemKind::CheckBox, 0, {16, 6, 344, 26}, 0, TextRef{"", "Put it in my library too"}}}};
        std::vector<u8> bytes;
        ASSERT_EQ(writeDialogTemplate(libraryChoice, &bytes), kErrNone);
        auto image = std::make_shared<testres::FileImage>();
        image->bytes = testres::makeArchive({{fourCC("DLOG"), 173, std::string(bytes.begin(), bytes.end()), {}}});
        ASSERT_NE(resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(image, "System"), 1, 0), 0);
    }
    void TearDown() override {
        forgetLanguageFolders();
        window_.reset();
        plat::setDisplayDriver(nullptr);
        paths_.reset();
        DocumentFolderFixture::TearDown();
    }
    // The language module keeps its files' paths between tests; paths on volumes of an
    // earlier test's services must not be read.
    static void forgetLanguageFolders() {
        Path none{};
        SetupLanguageFolders(&none, kLanguageSetupFile);
    }
    // Language settings from a "TB.ini" holding `body` (lines ending in CR LF).
    void settings(const std::string& body) {
        write("prog/TB.ini", body);
        Ostrel::EnginePath program(Ostrel::engineTextOfHostFolder(root_ + "/prog"));
        SetupLanguageFolders(program.get(), "TB.ini");
    }
    void press(uint8_t vk) {
        for (bool down : {true, false}) key(vk, down);
    }
    void key(uint8_t vk, bool down) {
        plat::InputEvent event;
        event.kind = down ? plat::InputEvent::Kind::KeyDown : plat::InputEvent::Kind::KeyUp;
        event.virtualKey = vk;
        display_.script(window_->GetHandle(), event);
    }
    // Letters, digits, dots, dashes and slashes.
    void type(const std::string& text) {
        for (char c : text) {
            const bool upper = c >= 'A' && c <= 'Z';
            if (upper) key(plat::kVkShift, true);
            press(c == '.' ? plat::kVkPeriod : c == '/' ? plat::kVkSlash : c == '-' ? plat::kVkMinus
                  : uint8_t((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c));
            if (upper) key(plat::kVkShift, false);
        }
    }
    std::string hostOf(const std::string& engineText) const { return host(engineText); }

    plat::HeadlessDisplay display_;
    std::unique_ptr<testfw::FrameworkWindow> window_;
    std::unique_ptr<Ostrel::Paths> paths_;
};

}  // namespace testdoc
