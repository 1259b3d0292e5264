#include "document/project/RDocument.h"

#include <algorithm>

namespace Ostrel {

RDocument::RDocument(const Path* projectPath)
    : config_(std::make_unique<ProjectConfigFile>(projectPath, projectPath != nullptr)),
      blank_(std::make_shared<RPage>(PageSettings{}, std::string(), kBlankPageNumber)) {}

u16 RDocument::LoadPages() {
    pages_.clear();
    config_->ForEachPage([&](const std::string& name, const PageSettings& settings, u16 number) {
        pages_.push_back(std::make_shared<RPage>(settings, name, number));
    });
    // Where each page's contents are read from.
    config_->ForEachPagePath([&](const Path* file, const PageSettings&, u16 number) {
        char text[kSystemTextSize] = {};
        if (RPage* page = Find(number); page && file->record && pathGetFullText(file, text) == kErrNone)
            page->SetFilePath(text);
    });
    Sort();
    return config_->CountDamagedPages();
}

EngineErr RDocument::SaveAs(const Path* path, const StringMap* nameMap, u16 lenient) {
    // The list takes the pages as they are, in memory only: the old file is not written.
    ProjectConfigFile& config = *config_;
    std::vector<u16> listed;
    config.pages.ForEach([](const char*, u16 number, void* context) { static_cast<std::vector<u16>*>(context)->push_back(number); },
                         &listed);
    for (u16 number : listed)
        if (!Find(number)) config.pages.RemoveNode(number, 0);
    for (const auto& page : pages_)
        if (EngineErr err = config.SetPage(page->Number(), page->FileName(), page->settings)) return err;
    // A copy that fails leaves the project on its old file, its entries as they were: a later
    // save must not write a file whose pages were never brought along.
    ProjectConfigFile before(nullptr, false);
    ProjectConfigFile::Assign(before, config);
    EngineErr err = config.CopyTo(path, nameMap, lenient);
    // The new text replaces whatever the file held, all at once.
    if (!err) err = config.Save();
    if (err) {
        ProjectConfigFile::Assign(config, before);
        return err;
    }
    for (const auto& page : pages_)
        if (const INI_LIST_NODE* node = config.pages.FindNode(page->Number()); node && node->Value()) {
            std::string name;
            PageSettings settings;
            if (parsePageEntry(node->Value(), &name, &settings)) page->SetFileName(name);
        }
    config.ForEachPagePath([&](const Path* file, const PageSettings&, u16 number) {
        char text[kSystemTextSize] = {};
        if (RPage* page = Find(number); page && file->record && pathGetFullText(file, text) == kErrNone) page->SetFilePath(text);
    });
    return kErrNone;
}

RPage* RDocument::Find(u16 number) const {
    for (const auto& page : pages_)
        if (page->Number() == number) return page.get();
    return nullptr;
}

RPage* RDocument::GetPage(u16 number) {
    if (number == kFirstPageNumber) return pages_.empty() ? blank_.get() : pages_.front().get();
    if (number == kLastPageNumber) return pages_.empty() ? blank_.get() : pages_.back().get();
    RPage* page = Find(number);
    return page ? page : blank_.get();
}

void RDocument::Sort() {
    std::sort(pages_.begin(), pages_.end(), [](const auto& a, const auto& b) { return a->Number() < b->Number(); });
}

RDocument::Arrangement RDocument::Snapshot() const {
    Arrangement arrangement;
    for (const auto& page : pages_) arrangement.emplace_back(page->Number(), page);
    return arrangement;
}

void RDocument::Remember() {
    undo_ = Snapshot();
    undoEmpty_ = pages_.empty();
    redo_.clear();
    redoEmpty_ = false;
}

bool RDocument::RemovePage(u16 number) {
    const auto it = std::find_if(pages_.begin(), pages_.end(), [&](const auto& p) { return p->Number() == number; });
    if (it == pages_.end()) return false;
    Remember();
    if (current_ == it->get()) current_ = nullptr;
    pages_.erase(it);
    return true;
}

EngineErr RDocument::AppendPage(std::unique_ptr<RPage> page) {
    const u16 number = pages_.empty() ? 1 : u16(pages_.back()->Number() + 1);
    if (number > kMaxProjectPages) return kDocErrNoPlace;
    Remember();
    page->SetId(number);
    pages_.push_back(std::move(page));
    return kErrNone;
}

RPage* RDocument::AddPage(u16 position, const RPage& source) {
    if (position < 1 || position > kMaxProjectPages || Find(position) != nullptr) return nullptr;
    auto page = std::make_shared<RPage>(source.settings, std::string(), position);
    if (source.HasData()) {
        RPageData& from = const_cast<RPage&>(source).Data();
        u32 it = 0;
        RPageObject* object = nullptr;
        while (from.NextObject(&it, &object, fourCC("??PO"))) page->Data().AdoptObject(object->Clone());
    }
    Remember();
    pages_.push_back(page);
    Sort();
    return page.get();
}

bool RDocument::MovePage(u16 from, u16 to) {
    RPage* page = Find(from);
    if (page == nullptr || to < 1 || to > kMaxProjectPages || Find(to) != nullptr) return false;
    Remember();
    page->SetId(to);
    Sort();
    return true;
}

EngineErr RDocument::ShiftPageRange(i16 first, i16 last, i32 step) {
    Remember();
    if (first > last || step == 0) return kErrNone;
    if (first < 1 || last > i16(kMaxProjectPages) || first + step < 1 || last + step > i32(kMaxProjectPages))
        return kDocErrNoPlace;
    // Upwards from the top, downwards from the bottom: no page lands on one still to move.
    const i32 direction = i16(step) > 0 ? -1 : 1;
    for (i32 n = direction < 0 ? last : first; n >= first && n <= last; n += direction) {
        const u16 target = u16(n + step);
        RPage* moving = Find(u16(n));
        if (RPage* there = Find(target); there && there != moving) {
            if (current_ == there) current_ = nullptr;
            pages_.erase(std::find_if(pages_.begin(), pages_.end(), [&](const auto& p) { return p.get() == there; }));
        }
        if (moving) moving->SetId(target);
    }
    Sort();
    return kErrNone;
}

u16 RDocument::FindBlankSlotWrapping(u16 from) const {
    if (from < 1 || from > kMaxProjectPages) from = 1;
    for (u16 n = 0; n < kMaxProjectPages; ++n) {
        const u16 place = u16((from - 1 + n) % kMaxProjectPages + 1);
        if (Find(place) == nullptr) return place;
    }
    return 0;
}

void RDocument::Restore(Arrangement& into, bool& intoEmpty, Arrangement& from, bool& fromEmpty) {
    into = Snapshot();
    intoEmpty = pages_.empty();
    pages_.clear();
    for (auto& [number, page] : from) {
        page->SetId(number);
        pages_.push_back(page);
    }
    Sort();
    from.clear();
    fromEmpty = false;
    if (current_ && !Find(current_->Number())) current_ = nullptr;
}

bool RDocument::UndoArrangement() {
    if (!CanUndoArrangement()) return false;
    Restore(redo_, redoEmpty_, undo_, undoEmpty_);
    return true;
}

bool RDocument::RedoArrangement() {
    if (!CanRedoArrangement()) return false;
    Restore(undo_, undoEmpty_, redo_, redoEmpty_);
    return true;
}

void RDocument::SetCurrentPage(RPage* page) {
    if (current_ && current_ != page && current_->HasData() && !current_->Data().IsDirty()) current_->ReleaseData();
    current_ = page;
}

void RDocument::ReleaseAllMedia() {
    for (auto& page : pages_)
        if (!page->HasData() || !page->Data().IsDirty()) page->ReleaseData();
}

bool RDocument::SetBackgroundColor(u16 index) {
    if (index >= kBackgroundColorCount) return false;
    config_->backgroundColor.SetValue(index, 0);
    return true;
}

EngineErr RDocument::PlacePage(u16 place, std::unique_ptr<RPage> page) {
    if (place < 1 || place > kMaxProjectPages || !page) return kDocErrNoPlace;
    Remember();
    const auto it = std::find_if(pages_.begin(), pages_.end(), [&](const auto& p) { return p->Number() == place; });
    if (it != pages_.end()) {
        if (current_ == it->get()) current_ = nullptr;
        pages_.erase(it);
    }
    page->SetId(place);
    pages_.push_back(std::move(page));
    Sort();
    return kErrNone;
}

bool RDocument::MovePageTo(u16 from, u16 to) {
    const auto it = std::find_if(pages_.begin(), pages_.end(), [&](const auto& p) { return p->Number() == from; });
    if (it == pages_.end() || to < 1 || to > kMaxProjectPages) return false;
    const std::shared_ptr<RPage> moved = *it;
    const bool wasCurrent = current_ == moved.get();
    // The pages it passes over step toward its old place, which drops it from the list (the
    // step already holds it); it then comes back at the place they opened.
    const bool down = from < to;
    if (ShiftPageRange(i16(down ? from + 1 : to), i16(down ? to : from - 1), down ? -1 : 1) != kErrNone) return false;
    if (Find(from) != moved.get()) pages_.push_back(moved);
    moved->SetId(to);
    if (wasCurrent) current_ = moved.get();
    Sort();
    return true;
}

}  // namespace Ostrel
