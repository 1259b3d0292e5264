// The desktop's shell: nothing is started for a document that is not there, and tests see
// the headless shell's record.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files/Files.h"
#include "platform/shell/choice/ShellChoice.h"
#include "platform/shell/headless/HeadlessShell.h"
#include "platform/shell/xdg/XdgOpenShell.h"
#include "tests/platform/system/ScopedEnv.h"

namespace plat {
namespace {

namespace fs = std::filesystem;

TEST(XdgOpenShell, ADocumentThatIsNotThereOrThatNoProgramOpensIsNeverHandedOn) {
    const fs::path folder = fs::temp_directory_path() / "tumblo-shell-test";
    fs::create_directories(folder);
    const std::string missing = textOfHostPath((folder / "missing.pdf").string());
    const std::string aFolder = textOfHostPath(folder.string());
    std::ofstream(folder / "guide.pdf") << "%PDF-1.4\n";
    std::ofstream(folder / "xdg-mime") << "#!/bin/sh\n[ \"$2\" = filetype ] && echo application/pdf\nexit 0\n";
    std::ofstream(folder / "xdg-open") << "#!/bin/sh\ntouch '" << (folder / "started").string() << "'\n";
    for (const char* tool : {"xdg-mime", "xdg-open"}) fs::permissions(folder / tool, fs::perms::owner_all);
    const plat::ScopedEnv path("PATH", folder.string() + ":" + std::getenv("PATH"));
    XdgOpenShell shell;
    for (const std::string& text : {std::string(), std::string("relative.pdf"), missing, aFolder, textOfHostPath((folder / "guide.pdf").string())})
        EXPECT_FALSE(shell.openDocument(text)) << text;
    EXPECT_FALSE(fs::exists(folder / "started"));
    fs::remove_all(folder);
}

TEST(HeadlessShell, KeepsWhatItWasAskedAndAnswersAsTold) {
    HeadlessShell shell;
    setDesktopShell(&shell);
    EXPECT_TRUE(desktopShell().openDocument("C:\\guide.pdf"));
    shell.setOpens(false);
    EXPECT_FALSE(desktopShell().openDocument("C:\\other.pdf"));
    setDesktopShell(nullptr);
    EXPECT_EQ(shell.opened(), (std::vector<std::string>{"C:\\guide.pdf", "C:\\other.pdf"}));
}

}  // namespace
}  // namespace plat
