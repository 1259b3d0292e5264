#include "app/print/PrintSources.h"

#include "document/filedialogs/ShowFileDialogs.h"

namespace Ostrel {

void PrintIntoUserFolder(PrintSources* sources, const Paths& paths) {
    sources->fileFolder = paths.BuildPath(kFolderUser, false);
    sources->fileFolderName = ShownFolderName(paths, sources->fileFolder);
}

}  // namespace Ostrel
