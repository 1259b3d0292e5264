// The stamp panel's files: a category's library archive, the user's own stamps beside it, and
// the saving of an edited stamp.
#include "app/stampeditor/StampGrid.h"
#include "document/users/EnginePath.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/FolderTree.h"
#include "engine/gfx/sprites/SprPicture.h"
#include "framework/dialogs/mfxAlert.h"
#include "panels/stamp/RStampPanel.h"

namespace Ostrel {

namespace {

constexpr u16 kLastStampId = 0xFFFE;

// A resource's bytes made drawable: expanded, JPEG decoded, 16-bit colours in machine order.
// Empty when it cannot be read or prepared.
ScrollerPicture readPicture(ResourceRef ref) {
    const i32 size = resGetResourceSize(ref);
    if (size <= 0) return {};
    memHandle handle = memAllocHandle(u32(size));
    if (handle == 0) return {};
    ScrollerPicture picture;
    u32 count = u32(size);
    if (resReadResource(ref, memLockHandle(handle), &count, 0) == kErrNone && count == u32(size)) {
        memUnlockHandle(handle);
        if (sprPreparePicture(handle) == kErrNone) {
            const auto* bytes = static_cast<const u8*>(memLockHandle(handle));
            picture.assign(bytes, bytes + memGetHandleSize(handle));
        }
    }
    memUnlockHandle(handle);
    memFreeHandle(handle);
    return picture;
}

bool exists(const std::string& path) {
    EnginePath file(path);
    return !file.empty() && pathCheckExists(file.get()) == kErrNone;
}

}  // namespace

void RStampPanel::CloseFiles() {
    if (libraryFile_ != 0) resCloseFile(libraryFile_, 0, 1);
    if (userFile_ != 0) resCloseFile(userFile_, 0, 1);
    libraryFile_ = 0;
    userFile_ = 0;
}

void RStampPanel::ClearCategory() {
    CloseFiles();
    if (GetScroller()) GetScroller()->SetItems({});
    currentStamp_ = -1;
    if (RStampSimpleBitmap* tool = StampTool()) tool->Reset();
}

u16 RStampPanel::OpenCategory(const std::string& path) {
    CloseFiles();
    categoryFile_ = CategoryFileName(path).substr(0, kMaxCategoryFileName);
    if (!userStampFolder_.empty() && exists(UserStampPath())) {
        EnginePath user(UserStampPath());
        userFile_ = resOpenFile(user.get(), 0, 1);
    }
    EnginePath library(path);
    libraryFile_ = library.empty() ? 0 : resOpenFile(library.get(), 1, 1);
    if (libraryFile_ == 0) {
        ClearCategory();
        return 1;
    }
    std::vector<ScrollerPicture> stamps = LoadCategoryStamps();
    if (GetScroller()) GetScroller()->SetItems(std::move(stamps));
    return 0;
}

std::vector<ScrollerPicture> RStampPanel::LoadCategoryStamps() const {
    std::vector<ScrollerPicture> pictures;
    if (libraryFile_ == 0) return pictures;
    // The library's stamps are numbered from 8000 without a gap; the first missing id ends them.
    for (u32 id = kFirstStampId; id <= kLastStampId; ++id) {
        const ResourceRef library = resFindResource(kStampPictureType, u16(id), libraryFile_);
        if (library == 0) break;
        const ResourceRef own = userFile_ != 0 ? resFindResource(kStampPictureType, u16(id), userFile_) : 0;
        ScrollerPicture picture = own != 0 ? readPicture(own) : ScrollerPicture{};
        // The child's own version that cannot be read leaves the library's in its place.
        if (picture.empty()) picture = readPicture(library);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

bool RStampPanel::SaveNewStamp(const std::vector<u8>& stored) {
    if (currentStamp_ < 0 || categoryFile_.empty() || userStampFolder_.empty()) return false;
    if (userFile_ == 0) {
        if (stored.empty()) return true;
        EnginePath folder(userStampFolder_);
        if (!folder.empty()) CreateFolderTree(folder.get(), 0, 0);
        EnginePath file(UserStampPath());
        if (file.empty() || resCreateFile(file.get()) != kErrNone) mfxAlert(kAlertOk, "resCreateFile() FAILED in saveNewStamp()");
        userFile_ = file.empty() ? 0 : resOpenFile(file.get(), 0, 1);
        if (userFile_ == 0) {
            mfxAlert(kAlertOk, "resOpenFile() FAILED in saveNewStamp()");
            return false;
        }
    }
    const u16 id = u16(kFirstStampId + currentStamp_);
    bool changed = false;
    if (const ResourceRef old = resFindResource(kStampPictureType, id, userFile_)) changed = resRemoveResource(old) == kErrNone;
    if (!stored.empty()) {
        const ResMapHandle previous = resUseFile(userFile_);
        const ResourceRef ref = resAddResource(kStampPictureType, id, nullptr);
        resUseFile(previous);
        changed = ref != 0 && resWriteResource(ref, stored.data(), u32(stored.size()), 0) == kErrNone;
        if (!changed) {
            mfxAlert(kAlertOk, "resAddResource() FAILED in saveNewStamp()");
            return false;
        }
    }
    // The whole change is one update of the file: the old stamp or the new one survives a crash.
    if (changed && resUpdateFile(userFile_) != kErrNone) {
        mfxAlert(kAlertOk, "resUpdateFile() FAILED in saveNewStamp()");
        return false;
    }
    return true;
}

}  // namespace Ostrel
