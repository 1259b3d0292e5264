#include "document/library/RLibrary.h"

#include <algorithm>

#include "document/objects/createPageObjectForType.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"

namespace Ostrel {

FourCC objectTypeForLibrary(FourCC libraryType) {
    return libraryType == kTypeStamp ? kTypeMovableBitmap : libraryType;
}

EngineErr RLibrary::Create(const Path* path, FourCC type, u16 flags) {
    Close();
    if (EngineErr err = resCreateFile(path)) return err;
    map_ = resOpenFile(path, 0, 0);
    if (map_ == 0) return resGetLastError();
    readOnly_ = false;
    header_ = LibraryHeader{type, flags, 1, {}};
    return SaveHeader();
}

namespace {

bool onReadOnlyMedium(const Path* path) {
    VolumeRecord* volume = nullptr;
    OsVolumeInfo info{};
    return pathGetVolume(path, &volume) == kErrNone && volume && osGetVolumeInfo(volume, &info) == kErrNone &&
           info.readOnlyMedia;
}

}  // namespace

EngineErr RLibrary::Open(const Path* path, bool readOnly) {
    Close();
    // A disc cannot take the header's rewrite: opened for writing, the library would look
    // writable and its changes would fail half way.
    readOnly = readOnly || onReadOnlyMedium(path);
    map_ = resOpenFile(path, readOnly ? 1 : 0, 1);
    if (map_ == 0) return resGetLastError();
    readOnly_ = readOnly;
    const EngineErr err = LoadHeader();
    if (err) Close();
    return err;
}

EngineErr RLibrary::OpenArchive(std::unique_ptr<ArchiveFile> file, bool readOnly) {
    Close();
    map_ = resOpenArchive(std::move(file), readOnly ? 1 : 0, 0);
    if (map_ == 0) return resGetLastError();
    readOnly_ = readOnly;
    const EngineErr err = LoadHeader();
    if (err) Close();
    return err;
}

EngineErr RLibrary::Close() {
    if (map_ == 0) return kErrNone;
    const EngineErr err = resCloseFile(map_, 0, 1);
    map_ = 0;
    return err;
}

EngineErr RLibrary::Read(FourCC type, u16 id, std::vector<u8>* bytes) const {
    if (map_ == 0) return kDocErrNotOpen;
    const ResourceRef ref = resFindResource(type, id, map_);
    if (ref == 0) return kDocErrMissingMedia;
    const i32 size = resGetResourceSize(ref);
    if (size < 0) return resGetLastError();
    bytes->resize(size_t(size));
    u32 count = u32(size);
    return size == 0 ? kErrNone : resReadResource(ref, bytes->data(), &count, 0);
}

EngineErr RLibrary::Write(FourCC type, u16 id, std::span<const u8> bytes) {
    ResourceRef ref = resFindResource(type, id, map_);
    if (ref != 0) {
        if (EngineErr err = resRemoveResource(ref)) return err;
    }
    const ResMapHandle previous = resUseFile(map_);
    ref = resAddResource(type, id, nullptr);
    resUseFile(previous);
    if (ref == 0) return resGetLastError();
    return bytes.empty() ? kErrNone : resWriteResource(ref, bytes.data(), u32(bytes.size()), 0);
}

EngineErr RLibrary::LoadHeader() {
    std::vector<u8> bytes;
    if (EngineErr err = Read(kTypeLibraryHeader, 1, &bytes)) return err;
    return parseLibraryHeader(bytes, &header_);
}

EngineErr RLibrary::SaveHeader() {
    if (map_ == 0) return kDocErrNotOpen;
    if (readOnly_) return kResErrReadOnly;
    std::vector<u8> bytes;
    if (EngineErr err = writeLibraryHeader(header_, &bytes)) return err;
    if (EngineErr err = Write(kTypeLibraryHeader, 1, bytes)) return err;
    return resUpdateFile(map_);
}

u16 RLibrary::NextEntry(u32* iterator, LibraryEntry* entry) const {
    if (*iterator >= header_.entries.size()) return 0;
    *entry = header_.entries[(*iterator)++];
    return 1;
}

EngineErr RLibrary::ReadEntryThumbnail(u16 id, u16 kind, std::vector<u8>* bytes) const {
    if (kind != kThumbnailPicture && kind != kThumbnailName) return kDocErrBadType;
    return Read(kind == kThumbnailPicture ? kTypeThumbnail : kTypeAltThumbnail, id, bytes);
}

EngineErr RLibrary::ReadEntryName(u16 id, bool spanish, std::string* name) const {
    std::vector<u8> bytes;
    EngineErr err = spanish ? Read(kTypeSpanishName, id, &bytes) : kResErrNotFound;
    if (err) err = Read(kTypeAltThumbnail, id, &bytes);
    name->assign(bytes.begin(), bytes.end());
    return err;
}

std::unique_ptr<RPageObject> RLibrary::CreateObjectForEntry(u16 id) const {
    const bool listed = std::any_of(header_.entries.begin(), header_.entries.end(), [&](auto& e) { return e.id == id; });
    std::vector<u8> media;
    if (!listed || Read(header_.type, id, &media) != kErrNone) return nullptr;
    std::unique_ptr<RPageObject> object = createPageObjectForType(id, objectTypeForLibrary(header_.type), nullptr, nullptr);
    if (!object || (!media.empty() && object->LoadMedia(media) != kErrNone)) return nullptr;
    return object;
}

u16 RLibrary::AddItem(std::span<const u8> media, std::span<const u8> thumbnail, const std::string& name,
                      EngineErr* error) {
    if (error) *error = kErrNone;
    if (map_ == 0 || readOnly_ || header_.entries.size() >= kLibraryMaxEntries || header_.nextId == 0xFFFF) return 0;
    const u16 id = header_.nextId;
    const LibraryHeader before = header_;
    EngineErr err = Write(header_.type, id, media);
    if (!err && !thumbnail.empty()) err = Write(kTypeThumbnail, id, thumbnail);
    if (!err) err = Write(kTypeAltThumbnail, id, {reinterpret_cast<const u8*>(name.data()), name.size()});
    if (!err) {
        header_.entries.push_back({id, 0});
        header_.nextId = u16(id + 1);
        err = SaveHeader();
    }
    if (err) {
        // The id is given again to the next item, which must not find this one's resources;
        // taking them out does not change why the item was not added (a full disc).
        RemoveItemResources(id);
        header_ = before;
        if (error) *error = err;
        return 0;
    }
    return id;
}

EngineErr RLibrary::RemoveItemResources(u16 id) {
    for (FourCC type : {header_.type, kTypeThumbnail, kTypeAltThumbnail, kTypeSpanishName})
        if (ResourceRef ref = resFindResource(type, id, map_); ref != 0)
            if (EngineErr err = resRemoveResource(ref)) return err;
    return kErrNone;
}

EngineErr RLibrary::DeleteEntry(u16 id) {
    if (map_ == 0) return kDocErrNotOpen;
    if (readOnly_) return kResErrReadOnly;
    const auto it = std::find_if(header_.entries.begin(), header_.entries.end(), [&](auto& e) { return e.id == id; });
    if (it == header_.entries.end()) return kResErrNotFound;
    // The item's resources are kept so that a delete the file did not take can put them back:
    // the library in memory must go on listing what the file lists.
    struct Kept {
        FourCC type;
        std::vector<u8> bytes;
    };
    std::vector<Kept> kept;
    for (FourCC type : {header_.type, kTypeThumbnail, kTypeAltThumbnail, kTypeSpanishName}) {
        Kept resource{type, {}};
        if (resFindResource(type, id, map_) == 0) continue;
        if (EngineErr err = Read(type, id, &resource.bytes)) return err;
        kept.push_back(std::move(resource));
    }
    const LibraryHeader before = header_;
    header_.entries.erase(it);
    EngineErr err = RemoveItemResources(id);
    if (!err) err = SaveHeader();
    if (err) {
        header_ = before;
        for (const Kept& resource : kept) Write(resource.type, id, resource.bytes);
        std::vector<u8> bytes;
        if (writeLibraryHeader(header_, &bytes) == kErrNone) Write(kTypeLibraryHeader, 1, bytes);
    }
    return err;
}

}  // namespace Ostrel
