#pragma once
// Keeping a project's page list true when its file changes folder, and when its page files
// move to another folder.
//
// A page entry always names a file inside the project's folder (see isProjectRelativeName):
// a page file that would lie outside the new folder - in the old folder, or on another volume,
// where only a full path could name it - is copied into the new folder under a free name, and
// the entry names the copy. The copies are whole before their names appear (written beside,
// flushed, then renamed), and the old project's files are never touched, so a copy stopped at
// any moment leaves the old project whole; the new one exists once its file has been written.
#include <map>
#include <string>

#include "document/project/ProjectConfigFile.h"
#include "document/project/StringMap.h"

namespace Ostrel {

struct PageRebaseContext {
    ProjectConfigFile* configuration = nullptr;
    const Path* sourceFolder = nullptr;
    EngineErr result = kErrNone;
    const StringMap* nameMap = nullptr;
    u16 lenient = 0;  // a page whose name forms no path keeps its entry and sets no result
    // The files copied into the new folder so far, by their old full text, with the names the
    // copies took: a file that several pages share is copied once.
    std::map<std::string, std::string> copies;
};

struct PageRelocationContext {
    EngineErr result = kErrNone;
    StringMap* nameMap = nullptr;
    const Path* sourceFolder = nullptr;
    const Path* targetFolder = nullptr;
};

// One page entry of ProjectConfigFile::CopyTo: takes the entry's file against the old folder,
// through the name map, and names it from the configuration's (new) folder.
void RebasePageEntry(const std::string& fileName, const PageSettings& settings, u16 number, PageRebaseContext& context);
// One page file of a move: records in the map where a file below the source folder will lie
// below the target folder (each file once); the context keeps the first failure.
void MapRelocatedPageFile(const Path* file, const PageSettings& settings, u16 number, PageRelocationContext& context);

constexpr EngineErr kDocErrPageOutside = 11342;  // a page file the project's folder cannot name

// Copies the file into the folder under a free name made from its own (the copy named only
// once its bytes are on the disk); the copy's file name comes back in `name`.
EngineErr CopyFileIntoFolder(const Path* source, const Path* folder, std::string* name);

}  // namespace Ostrel
