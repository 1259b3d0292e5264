#include "document/pages/RPageData.h"

#include <algorithm>

#include "document/objects/RBitmapPageObject.h"
#include "document/objects/RLibExclusionsObject.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/objects/RNotePageObject.h"
#include "document/objects/createPageObjectForType.h"
#include "document/pages/BorrowedArchiveFile.h"
#include "document/pages/BytesArchiveFile.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/PageIndex.h"
#include "document/storage/StorageErrors.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/resources/OsArchiveFile.h"
#include "framework/undo/UndoManager.h"

namespace Ostrel {

namespace {

bool matches(const RPageObject& object, FourCC type) { return type == kTypeAnyObject || object.Type() == type; }

EngineErr addResource(FourCC type, u16 id, const std::vector<u8>& bytes) {
    const ResourceRef ref = resAddResource(type, id, nullptr);
    if (ref == 0) return resGetLastError();
    if (bytes.empty()) return kErrNone;
    return resWriteResource(ref, bytes.data(), u32(bytes.size()), 0);
}

// The whole resource; kDocErrMissingMedia when the archive has none of that kind and id.
EngineErr readResource(ResMapHandle map, FourCC type, u16 id, std::vector<u8>* bytes) {
    const ResourceRef ref = resFindResource(type, id, map);
    if (ref == 0) return kDocErrMissingMedia;
    const i32 size = resGetResourceSize(ref);
    if (size < 0) return resGetLastError();
    bytes->resize(size_t(size));
    u32 count = u32(size);
    return size == 0 ? kErrNone : resReadResource(ref, bytes->data(), &count, 0);
}

// Where the resource's bytes lie in the archive file `fileText`; kDocErrMissingMedia when absent.
EngineErr storedResource(ResMapHandle map, FourCC type, u16 id, const std::string& fileText,
                         std::shared_ptr<StoredMedia>* stored) {
    const ResourceRef ref = resFindResource(type, id, map);
    if (ref == 0) return kDocErrMissingMedia;
    ArchiveFile* file = nullptr;
    u32 offset = 0, size = 0;
    if (EngineErr err = resGetResourceInfo(ref, &file, &offset, &size)) return err;
    if (size > 0) *stored = std::make_shared<StoredMedia>(fileText, offset, size);
    return kErrNone;
}

// Reads from a borrowed file so the caller still holds it once the manager is done with it.
class MapOf {
public:
    explicit MapOf(ArchiveFile& file) : map_(resOpenArchive(std::make_unique<BorrowedArchiveFile>(file), 0, 0)) {}
    ~MapOf() { Close(); }
    ResMapHandle get() const { return map_; }
    EngineErr Close() {
        const EngineErr err = map_ != 0 ? resCloseFile(map_, 0, 1) : kErrNone;
        map_ = 0;
        return err;
    }

private:
    ResMapHandle map_;
};

}  // namespace

RPageData::~RPageData() {
    if (undo_) undo_->DiscardIfOwner(this);
}

RPageObject* RPageData::AddObject(FourCC type, i32 id, std::span<const u8> media, const PageRect& rect) {
    const u16 chosen = id < 0 ? NextObjectId(type) : u16(id);
    std::unique_ptr<RPageObject> object = createPageObjectForType(chosen, type, &rect, nullptr);
    if (!object || (!media.empty() && object->LoadMedia(media) != kErrNone)) return nullptr;
    RPageObject* added = AdoptObject(std::move(object));
    if (added) Record(kUndoAddObject, nullptr, objects_.size() - 1, type, chosen);
    return added;
}

void RPageData::Record(FourCC code, std::unique_ptr<RPageObject> held, size_t place, FourCC type, u16 id) {
    if (!undo_) return;
    undo_->SetCurrent(this, code, &RPageData::ReleaseStep);
    step_ = Step{std::move(held), place, type, id};
    flatten_ = FlattenStep{};
}

void RPageData::ReleaseStep(CListener* owner, FourCC) {
    static_cast<RPageData*>(owner)->step_ = Step{};
    static_cast<RPageData*>(owner)->flatten_ = FlattenStep{};
}

void RPageData::ForgetStep() {
    if (undo_) undo_->DiscardIfOwner(this);
    step_ = Step{};
    flatten_ = FlattenStep{};
}

// The same step undoes and redoes: it puts back the object it holds, or takes the object off.
u32 RPageData::HandleMessage(RMessage* message, uintptr_t) {
    if (message->code == kUndoFlatten) {
        SwapFlattened();
        if (stepListener_) stepListener_(message->code);
        return 1;
    }
    if (message->code != kUndoAddObject && message->code != kUndoDeleteObject) return 0;
    if (step_.held) {
        // An object of the same kind and id made since (a background is made again before
        // every save), or a page filled since, leaves no place to put the object back.
        RPageObject* taken = nullptr;
        if (FindObject(step_.type, step_.id, &taken) == 0 || objects_.size() >= kPageIndexMaxObjects) {
            ForgetStep();
            return 0;
        }
        step_.held->SetOwner(this);
        objects_.insert(objects_.begin() + std::ptrdiff_t(std::min(step_.place, objects_.size())), std::move(step_.held));
    } else {
        const auto it = std::find_if(objects_.begin(), objects_.end(),
                                     [&](const auto& o) { return o->Type() == step_.type && o->Id() == step_.id; });
        if (it == objects_.end()) return 0;
        step_.place = size_t(it - objects_.begin());
        (*it)->SetOwner(nullptr);
        step_.held = std::move(*it);
        objects_.erase(it);
    }
    dirty_ = true;
    if (stepListener_) stepListener_(message->code);
    return 1;
}

RPageObject* RPageData::AdoptObject(std::unique_ptr<RPageObject> object) {
    RPageObject* existing = nullptr;
    if (!object || objects_.size() >= kPageIndexMaxObjects || object->Id() == kNoObject ||
        FindObject(object->Type(), object->Id(), &existing) == 0)
        return nullptr;
    object->SetOwner(this);
    object->changed = true;
    objects_.push_back(std::move(object));
    dirty_ = true;
    return objects_.back().get();
}

void RPageData::RecordAdded(const RPageObject& object) {
    const auto it = std::find_if(objects_.begin(), objects_.end(), [&](const auto& o) { return o.get() == &object; });
    if (it != objects_.end()) Record(kUndoAddObject, nullptr, size_t(it - objects_.begin()), object.Type(), object.Id());
}

bool RPageData::DeleteObject(FourCC type, u16 id) {
    const auto it = std::find_if(objects_.begin(), objects_.end(),
                                 [&](const auto& o) { return o->Type() == type && o->Id() == id; });
    if (it == objects_.end()) return false;
    const size_t place = size_t(it - objects_.begin());
    std::unique_ptr<RPageObject> removed = std::move(*it);
    objects_.erase(it);
    removed->SetOwner(nullptr);
    dirty_ = true;
    Record(kUndoDeleteObject, std::move(removed), place, type, id);
    return true;
}

u16 RPageData::FindObject(FourCC type, i32 id, RPageObject** object) const {
    for (const auto& o : objects_) {
        if (matches(*o, type) && (id < 0 || o->Id() == id)) {
            *object = o.get();
            return 0;
        }
    }
    *object = nullptr;
    return kNoObject;
}

u16 RPageData::NextObject(u32* iterator, RPageObject** object, FourCC type) const {
    while (*iterator < objects_.size()) {
        RPageObject* candidate = objects_[(*iterator)++].get();
        if (matches(*candidate, type)) {
            *object = candidate;
            return 1;
        }
    }
    *object = nullptr;
    return 0;
}

u16 RPageData::NextObjectSkipFlagged(u32* iterator, RPageObject** object, FourCC type) const {
    while (NextObject(iterator, object, type))
        if (((*object)->flags & kObjectHidden) == 0) return 1;
    return 0;
}

u16 RPageData::NextObjectId(FourCC type) const {
    u16 largest = 0;
    for (const auto& o : objects_)
        if (o->Type() == type && o->Id() != kNoObject) largest = std::max(largest, o->Id());
    return u16(largest + 1);
}

EngineErr RPageData::EnsureBackground() {
    RPageObject* found = nullptr;
    if (FindObject(kTypeBitmap, kBackgroundId, &found) == 0) return kErrNone;
    auto background = std::make_unique<RBitmapPageObject>(kTypeBitmap, kBackgroundId);
    background->rect = {0, 0, i16(kPageWidth), i16(kPageHeight)};
    background->picture.width = kPageWidth;
    background->picture.height = kPageHeight;
    background->picture.pixels.assign(size_t(kPageWidth) * kPageHeight * 4, 0xFF);
    if (AdoptObject(std::move(background)) == nullptr) return kDocErrPageFull;
    // The background is drawn first.
    std::rotate(objects_.begin(), objects_.end() - 1, objects_.end());
    return kErrNone;
}

RNotePageObject* RPageData::GetNote() {
    RPageObject* found = nullptr;
    if (FindObject(kTypeNote, -1, &found) != 0) found = AdoptObject(std::make_unique<RNotePageObject>(1));
    return static_cast<RNotePageObject*>(found);
}

bool RPageData::HasNote() const {
    RPageObject* found = nullptr;
    return FindObject(kTypeNote, -1, &found) == 0;
}

RLibExclusionsObject* RPageData::GetExclusions() {
    RPageObject* found = nullptr;
    if (FindObject(kTypeExclusions, -1, &found) != 0) found = AdoptObject(std::make_unique<RLibExclusionsObject>(1));
    return static_cast<RLibExclusionsObject*>(found);
}

const RLibExclusionsObject* RPageData::FindExclusions() const {
    RPageObject* found = nullptr;
    return FindObject(kTypeExclusions, -1, &found) == 0 ? static_cast<const RLibExclusionsObject*>(found) : nullptr;
}

bool RPageData::SetDirtyState(bool dirty) {
    const bool was = dirty_;
    dirty_ = dirty;
    if (dirty) ++revision_;
    if (!dirty)
        for (auto& o : objects_) o->changed = false;
    return was;
}

// A movie kept in a file goes into the new archive piece by piece, never whole in memory.
static EngineErr addStoredResource(FourCC type, u16 id, const StoredMedia& stored, ArchiveFile* source, u32* offset) {
    const ResourceRef ref = resAddResource(type, id, nullptr);
    if (ref == 0) return resGetLastError();
    const EngineErr err = stored.ForEachPiece(source, [ref](const u8* piece, u32 count, u32 position) {
        return resWriteResource(ref, piece, count, position);
    });
    if (err) return err;
    ArchiveFile* file = nullptr;
    u32 size = 0;
    return resGetResourceInfo(ref, &file, offset, &size);
}

EngineErr RPageData::WriteContents(ResMapHandle map, const SaveProgress& keepGoing, ArchiveFile* source,
                                   MovedMedia* moved) const {
    const ResMapHandle previous = resUseFile(map);
    PageIndex index;
    index.pageFlags = pageFlags;
    std::vector<u8> bytes;
    EngineErr err = kErrNone;
    for (size_t i = 0; i < objects_.size() && err == kErrNone; ++i) {
        const RPageObject& o = *objects_[i];
        // A note without text is no note: the page reopens without one.
        if (o.Type() == kTypeNote && static_cast<const RNotePageObject&>(o).IsEmpty()) continue;
        index.entries.push_back({o.Type(), o.Id(), o.rect.left, o.rect.top, o.rect.right, o.rect.bottom, o.flags,
                                 o.option, u16(index.entries.size())});
        if (keepGoing && !keepGoing()) err = kDocErrCancelled;
        const auto* file = dynamic_cast<const RMediaFilePageObject*>(&o);
        if (!err && file && file->stored) {
            u32 offset = 0;
            err = addStoredResource(o.Type(), o.Id(), *file->stored, source, &offset);
            moved->emplace_back(file->stored.get(), offset);
            continue;
        }
        if (!err) err = o.StoreMedia(&bytes);
        if (!err) err = addResource(o.Type(), o.Id(), bytes);
    }
    if (!err) err = writePictureRecord(MakeThumbnail(), false, &bytes);
    if (!err) err = addResource(kTypeThumbnail, 1, bytes);
    if (!err) err = writePageIndex(index, &bytes);
    if (!err) err = addResource(kTypePageIndex, 1, bytes);
    resUseFile(previous);
    return err;
}

EngineErr RPageData::WriteArchive(ArchiveFile& fresh, const SaveProgress& keepGoing, ArchiveFile* source,
                                  MovedMedia* moved) const {
    if (EngineErr err = resCreateArchive(fresh)) return err;
    MapOf map(fresh);
    if (map.get() == 0) return resGetLastError();
    EngineErr err = WriteContents(map.get(), keepGoing, source, moved);
    const EngineErr closed = map.Close();
    if (!err) err = closed;
    if (!err) err = fresh.sync();
    return err;
}

void RPageData::Saved(const MovedMedia& moved, const std::string& targetText) {
    SetDirtyState(false);
    // The old file's bytes are gone once the new one is in place: movies play from the new.
    if (!targetText.empty())
        for (const auto& [stored, offset] : moved) stored->MovedTo(targetText, offset);
}

EngineErr RPageData::SaveToArchive(ArchiveFile& target, const SaveProgress& keepGoing, const std::string& targetText) {
    std::unique_ptr<ArchiveFile> fresh;
    if (EngineErr err = target.createReplacement(&fresh)) return err;
    MovedMedia moved;
    EngineErr err = WriteArchive(*fresh, keepGoing, &target, &moved);
    if (!err) err = target.adoptReplacement(std::move(fresh));
    // The new page is in place once adopted; it counts as saved only when its name lasts too.
    if (!err) err = target.syncName();
    if (!err) Saved(moved, targetText);
    return err;
}

EngineErr RPageData::WriteCopy(std::vector<u8>* bytes) const {
    BytesArchiveFile file(*bytes);
    if (EngineErr err = resCreateArchive(file)) return err;
    MapOf map(file);
    if (map.get() == 0) return resGetLastError();
    MovedMedia moved;
    const EngineErr err = WriteContents(map.get(), {}, nullptr, &moved);
    const EngineErr closed = map.Close();
    return err ? err : closed;
}

EngineErr RPageData::SaveToFile(const Path* path, const SaveProgress& keepGoing) {
    char text[kSystemTextSize] = {};
    pathGetFullText(path, text);
    if (pathCheckExists(path) != kErrNone) return SaveNewFile(path, keepGoing, text);
    OsFile* file = osOpenFile(path, kOsOpenRead | kOsOpenWrite);
    if (file == nullptr) return pathGetLastError();
    OsArchiveFile target(file, path);
    const EngineErr err = SaveToArchive(target, keepGoing, text);
    const EngineErr closed = target.close(true);
    return err ? err : closed;
}

// Written whole beside the page's name and then moved to it, as a later save is: a first save
// stopped part way (a failure, a kill, the power) leaves nothing under the page's name, rather
// than an empty file that reads as a damaged picture.
EngineErr RPageData::SaveNewFile(const Path* path, const SaveProgress& keepGoing, const std::string& targetText) {
    Path fresh;
    osReplacementPathOf(path, &fresh);
    if (fresh.record == nullptr) return kOsErrBadPath;
    osRemoveStaleReplacement(path);
    OsFile* file = osOpenFile(&fresh, kOsOpenRead | kOsOpenWrite | kOsOpenExclusive | kOsOpenCreateNew);
    EngineErr err = file == nullptr ? pathGetLastError() : kErrNone;
    MovedMedia moved;
    if (file != nullptr) {
        OsArchiveFile written(file, &fresh);
        err = WriteArchive(written, keepGoing, nullptr, &moved);
        const EngineErr closed = written.close(true);
        if (!err) err = closed;
        if (!err) err = osReplacePath(&fresh, path);
        if (err) osDeletePath(&fresh);
    }
    pathRelease(&fresh);
    if (err) return err;
    // Saved only when its name lasts too.
    if (EngineErr synced = osFlushFolderOf(path)) return synced;
    Saved(moved, targetText);
    return kErrNone;
}

EngineErr RPageData::LoadFromMap(ResMapHandle map, const std::string& fileText) {
    std::vector<u8> bytes;
    if (EngineErr err = readResource(map, kTypePageIndex, 1, &bytes)) return err == kDocErrMissingMedia ? kDocErrNoIndex : err;
    PageIndex index;
    if (EngineErr err = parsePageIndex(bytes, &index)) return err;
    std::vector<std::unique_ptr<RPageObject>> loaded(index.entries.size());
    for (const PageIndexEntry& e : index.entries) {
        const PageRect rect{e.left, e.top, e.right, e.bottom};
        std::unique_ptr<RPageObject> object = createPageObjectForType(e.id, e.type, &rect, nullptr);
        // A movie stays in the file, to be played from there: a big one would not fit in memory.
        auto* movie = e.type == kTypeMovie && !fileText.empty() ? dynamic_cast<RMediaFilePageObject*>(object.get()) : nullptr;
        if (movie) {
            if (EngineErr err = storedResource(map, e.type, e.id, fileText, &movie->stored)) return err;
        } else {
            if (EngineErr err = readResource(map, e.type, e.id, &bytes)) return err;
            if (!bytes.empty())
                if (EngineErr err = object->LoadMedia(bytes)) return err;
        }
        object->flags = e.flags;
        object->option = e.option;
        object->SetOwner(this);
        loaded[e.order] = std::move(object);
    }
    // The step was about the contents now replaced.
    ForgetStep();
    objects_ = std::move(loaded);
    pageFlags = index.pageFlags;
    SetDirtyState(false);
    return kErrNone;
}

EngineErr RPageData::OpenAndLoad(const Path* path) {
    if (const i64 size = osGetPathSize(path); size > 0 && u64(size) > kPageFileMaxBytes) return kDocErrBadSize;
    const ResMapHandle map = resOpenFile(path, 1, 1);
    if (map == 0) return resGetLastError();
    char text[kSystemTextSize] = {};
    pathGetFullText(path, text);
    const EngineErr err = LoadFromMap(map, text);
    resCloseFile(map, 0, 1);
    return err;
}

EngineErr RPageData::ReadThumbnail(ResMapHandle map, PictureRecord* thumbnail) {
    std::vector<u8> bytes;
    if (EngineErr err = readResource(map, kTypeThumbnail, 1, &bytes)) return err;
    return parsePictureRecord(bytes, false, thumbnail);
}

}  // namespace Ostrel
