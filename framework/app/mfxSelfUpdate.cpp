#include "framework/app/mfxSelfUpdate.h"

#include "framework/app/mfxConfigFile.h"
#include "platform/files/Files.h"

namespace {

constexpr int kMaxBackups = 100;

std::string lastComponent(const std::string& text) {
    const size_t cut = text.find_last_of('\\');
    return cut == std::string::npos ? text : text.substr(cut + 1);
}

bool exists(const std::string& text) {
    uint32_t attributes = 0;
    return plat::fileGetAttributes(text, &attributes) == plat::kSysOk;
}

// The first backup name not taken; empty when every one is.
std::string freeBackupName(const std::string& installed) {
    for (int i = 1; i <= kMaxBackups; ++i) {
        std::string name = installed + ".old" + (i == 1 ? std::string() : std::to_string(i));
        if (!exists(name)) return name;
    }
    return std::string();
}

}  // namespace

mfxUpdateResult mfxUpdateInstalledCopy(const std::string& newExecutable, const std::string& installFolder) {
    const std::string installed = installFolder + "\\" + lastComponent(newExecutable);
    if (!exists(installFolder + "\\" + kMfxConfigFileName) || !exists(installed)) return mfxUpdateResult::NoInstalledCopy;

    // A copy left by an update that was cut short is ours to replace.
    const std::string incoming = installed + ".new";
    plat::fileDelete(incoming);
    if (plat::fileCopyNew(newExecutable, incoming) != plat::kSysOk) return mfxUpdateResult::CopyFailed;

    // The old program is kept as a copy under the backup name rather than moved there, so
    // its own name is never vacant: the new one then replaces it in one step, and an updater
    // killed at any moment leaves a runnable program in the install folder.
    const std::string backup = freeBackupName(installed);
    if (backup.empty() || plat::fileCopyNew(installed, backup) != plat::kSysOk) {
        plat::fileDelete(incoming);
        return mfxUpdateResult::RenameFailed;
    }
    if (plat::fileReplace(incoming, installed) != plat::kSysOk) {
        plat::fileDelete(incoming);
        plat::fileDelete(backup);
        return mfxUpdateResult::RenameFailed;
    }
    plat::folderFlushOf(installed);
    return mfxUpdateResult::Updated;
}

int mfxUpdateExitCode(mfxUpdateResult result) {
    switch (result) {
        case mfxUpdateResult::Updated: return 0;
        case mfxUpdateResult::NoInstalledCopy: return 2;
        case mfxUpdateResult::CopyFailed:
        case mfxUpdateResult::RenameFailed: return 1;
    }
    return 1;
}
