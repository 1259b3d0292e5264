#pragma once
// A slide-show project: up to 99 pages, each at its own place (its number), the project's
// settings, and one step of arrangement undo: the page order before the last change that
// added, removed or moved pages, and after an undo the order it took back.
//
// Places without a page show the shared blank page (number 65535).
#include <memory>
#include <vector>

#include "document/pages/RPage.h"
#include "document/project/ProjectConfigFile.h"
#include "document/project/StringMap.h"

namespace Ostrel {

constexpr u16 kFirstPageNumber = 0;
constexpr u16 kLastPageNumber = 65534;
constexpr u16 kBackgroundColorCount = 21;
constexpr EngineErr kDocErrNoPlace = 11340;  // no free place, or a place out of 1..99

class RDocument {
public:
    // Reads the project's file when there is one.
    explicit RDocument(const Path* projectPath);

    // Makes the pages the file lists (their contents are read on use). A damaged entry (a
    // name no entry can hold, such as one with control bytes) makes no page, and the next
    // save writes the list without it: the count of such entries.
    u16 LoadPages();
    // Writes the page list and the settings to the file at `path`, which becomes the project's,
    // in one step: the file holds its old text or the whole new one. In another folder, the
    // page entries are named from there (ProjectConfigFile::CopyTo, with the name map and the
    // lenient flag). The pages take the names they were saved under; a save that fails leaves
    // the project on its old file.
    EngineErr SaveAs(const Path* path, const StringMap* nameMap = nullptr, u16 lenient = 0);

    // 0 the first page, 65534 the last; a number no page has gives the blank page.
    RPage* GetPage(u16 number);
    size_t PageCount() const { return pages_.size(); }
    bool RemovePage(u16 number);
    // Puts the page at the place after the last page; kDocErrNoPlace past 99.
    EngineErr AppendPage(std::unique_ptr<RPage> page);
    // A new page at a free place 1..99 with the source's settings and a copy of its objects;
    // null when the place is taken or out of range.
    RPage* AddPage(u16 position, const RPage& source);
    bool MovePage(u16 from, u16 to);
    // Puts the page at the place as one arrangement step, dropping a page that was there;
    // kDocErrNoPlace for a place out of 1..99.
    EngineErr PlacePage(u16 place, std::unique_ptr<RPage> page);
    // Moves the page at `from` to `to` as one arrangement step, the pages between moving one
    // place toward `from` (a strip cell dragged onto another); false without a page at `from`
    // or for a place out of 1..99.
    bool MovePageTo(u16 from, u16 to);
    // Renumbers the pages first..last by `step` as one arrangement step: a page already at a
    // number one of them moves to is dropped, and so is one at the number a missing page of
    // the run would move to. The blank page keeps its number. kDocErrNoPlace for a move out
    // of 1..99, after the step is taken.
    EngineErr ShiftPageRange(i16 first, i16 last, i32 step);
    // The first free place at or after `from`, wrapping to 1; 0 when every place is taken.
    u16 FindBlankSlotWrapping(u16 from) const;

    bool CanUndoArrangement() const { return !undo_.empty() || undoEmpty_; }
    bool CanRedoArrangement() const { return !redo_.empty() || redoEmpty_; }
    bool UndoArrangement();
    bool RedoArrangement();

    void SetCurrentPage(RPage* page);
    RPage* CurrentPage() const { return current_; }
    // Drops every page's loaded contents.
    void ReleaseAllMedia();

    u16 BackgroundColor() const { return u16(config_->backgroundColor.ValueWithin(0, UINT16_MAX)); }
    bool SetBackgroundColor(u16 index);
    i32 BackgroundSound() const { return config_->backgroundSound.Value(); }
    void SetBackgroundSound(i32 sound) { config_->backgroundSound.SetValue(sound, 0); }
    ProjectConfigFile& Config() { return *config_; }

private:
    // The pages with the places they had.
    using Arrangement = std::vector<std::pair<u16, std::shared_ptr<RPage>>>;
    void Remember();
    Arrangement Snapshot() const;
    void Restore(Arrangement& into, bool& intoEmpty, Arrangement& from, bool& fromEmpty);
    void Sort();
    RPage* Find(u16 number) const;

    std::unique_ptr<ProjectConfigFile> config_;
    std::vector<std::shared_ptr<RPage>> pages_;
    // An empty saved arrangement is still a step: these tell it from no step.
    Arrangement undo_, redo_;
    bool undoEmpty_ = false, redoEmpty_ = false;
    std::shared_ptr<RPage> blank_;
    RPage* current_ = nullptr;
};

}  // namespace Ostrel
