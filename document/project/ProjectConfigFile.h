#pragma once
// A slide-show project's file (".tbp"), a profile: [Pages] "Page<n>" = the page's entry (file
// name relative to the project's folder and its settings), [SlideShow] background colour,
// background sound, looping and manual advance, and [PickerDisplay] the picker's top-left and
// selected pages.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "document/pages/PageSettings.h"
#include "engine/files/Paths.h"
#include "engine/util/CfgItem.h"
#include "engine/util/IniList.h"

namespace Ostrel {

struct NoCaseLess;

constexpr u16 kMaxProjectPages = 99;
constexpr EngineErr kDocErrBadPageName = 11341;  // a page file name its entry cannot hold

class ProjectConfigFile {
public:
    ProjectConfigFile(const Path* path, bool loadNow);
    ~ProjectConfigFile() { pathRelease(&path_); }
    ProjectConfigFile(const ProjectConfigFile&) = delete;
    ProjectConfigFile& operator=(const ProjectConfigFile&) = delete;

    // Copies the page list and the settings with their dirty flags.
    static void Assign(ProjectConfigFile& destination, const ProjectConfigFile& source);
    // Moves every setting to another file, without writing the old one.
    EngineErr SetPath(const Path* path);
    // The file's path; null for a project not yet saved.
    const Path* GetPath() const { return path_.record ? &path_ : nullptr; }
    // Points the project at the file `target`; when that lies in another folder, every page
    // entry is made to name its file from there, page files the map lists at their new
    // places (see ProjectCopy.h). Nothing is written: the caller saves. The first failing
    // entry's code; lenient: entries whose names form no path are kept and give none.
    EngineErr CopyTo(const Path* target, const std::map<std::string, std::string, NoCaseLess>* nameMap, u16 lenient);
    // Writes what changed and makes it last.
    EngineErr Save();
    bool HasContent() const;
    // Whether the file reads as a project: a profile holding one of a project's sections, as
    // every project saved holds. An empty file, or bytes of something else, is none.
    static bool IsProjectFile(const Path* path);

    using PageCallback = std::function<void(const std::string& fileName, const PageSettings& settings, u16 number)>;
    // Every page entry whose file name SetPage would take, by number.
    void ForEachPage(const PageCallback& callback) const;
    // The entries with a value that ForEachPage passes over.
    u16 CountDamagedPages() const;
    using PagePathCallback = std::function<void(const Path* file, const PageSettings& settings, u16 number)>;
    // The same with the file's path; a name that would leave the project's folder gives an
    // empty path.
    void ForEachPagePath(const PagePathCallback& callback) const;
    // kDocErrBadPageName for a name the entry cannot hold.
    EngineErr SetPage(u16 number, const std::string& fileName, const PageSettings& settings);
    // Renames the page's file, keeping its settings (the defaults when it had none).
    EngineErr SetPageFileName(const std::string& fileName, u16 number);
    EngineErr RemovePage(u16 number);

    // A strip place the picker keeps (topLeftPage, selectedPage): a cell's number from 1, 0
    // for none, or for a number no strip has.
    static i32 PickerPlace(const CFG_LONG& place) { return place.ValueWithin(0, kMaxProjectPages + 1); }

    INI_LIST pages;
    CFG_LONG backgroundColor;
    CFG_LONG backgroundSound;
    CFG_LONG looping;
    CFG_LONG manualAdvance;
    CFG_LONG topLeftPage;
    CFG_LONG selectedPage;

private:
    Path path_{};
};

// Whether a page's file name stays inside the project's folder: not empty, not absolute, no
// drive, and no "." or ".." part.
bool isProjectRelativeName(const std::string& name);
// Whether a page entry can hold the name and give it back: not empty, at most
// kPageFileNameMax bytes, no comma (the entry's separator) and no control character.
bool isStorablePageFileName(const std::string& name);

}  // namespace Ostrel
