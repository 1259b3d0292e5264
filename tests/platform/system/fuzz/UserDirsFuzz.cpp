// libFuzzer target: any bytes read as the desktop's "user-dirs.dirs" name no pictures folder,
// or one from the root, no longer than the text with the home folder in it, with no trailing
// separator and no NUL.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/system/UserFolders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string home = "/home/ann";
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string folder = plat::picturesFolderOfUserDirs(text, home);
    if (folder.empty()) return 0;
    if (folder[0] != '/' || folder.size() > size + home.size()) std::abort();
    if (folder.find('\0') != std::string::npos) std::abort();
    if (folder.size() > 1 && folder.back() == '/') std::abort();
    return 0;
}
