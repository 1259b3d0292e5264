#include "document/project/RecoveryCopy.h"

#include <cstring>

#include "document/import/FileImport.h"
#include "document/pages/RPageData.h"
#include "document/users/EnginePath.h"
#include "document/users/Paths.h"
#include "engine/files/MoveFileOrFolder.h"
#include "engine/files/OsFiles.h"
#include "engine/files/UniqueFileName.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

std::string RecoveryCopyPath(const Paths& paths, u16 language) {
    const std::string pictures = paths.BuildPath(kFolderPictures, true);
    if (pictures.empty()) return pictures;
    return pictures + (language == kLanguageSpanish ? kSpanishRecoveryCopyName : kRecoveryCopyName);
}

std::string KeepRecoveryCopy(const Paths& paths, u16 language, const std::string& name) {
    // Without a copy waiting (or a user) the move finds nothing to move.
    const EnginePath copy(RecoveryCopyPath(paths, language));
    // What reads as no picture (a pipe or a device under the copy's name, an empty or damaged
    // file) would open as a blank page or not at all: it is left where it is, not offered.
    if (RPageData page; copy.empty() || page.OpenAndLoad(copy.get()) != kErrNone) return {};
    const EnginePath folder(paths.GetPicturesDir());
    char chosen[kSystemTextSize] = {};
    std::strncpy(chosen, name.c_str(), sizeof chosen - 1);
    EnginePath picture;
    if (MakeUniqueFileName(folder.get(), chosen, sizeof chosen, kPictureExtension, picture.get(), 0, nullptr, nullptr, 0) !=
            kErrNone ||
        MoveFileOrFolder(copy.get(), picture.get(), 0) != kErrNone)
        return {};
    osFlushFolderOf(picture.get());
    char text[kSystemTextSize] = {};
    return pathGetFullText(picture.get(), text) == kErrNone ? std::string(text) : std::string();
}

}  // namespace Ostrel
