#include "document/import/FileImport.h"

#include <vector>

#include "document/library/RLibrary.h"
#include "document/pages/PageErrors.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/StorageErrors.h"
#include "engine/base/TextUtils.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"

namespace Ostrel {

namespace {

EngineErr readWholeFile(const Path* path, std::vector<u8>* bytes) {
    OsFile* file = osOpenFile(path, kOsOpenRead | kOsOpenShareRead);
    if (file == nullptr) return pathGetLastError();
    const i32 size = osGetFileSize(file);
    EngineErr err = size < 0 ? pathGetLastError() : kErrNone;
    if (!err && u32(size) > kImportMaxBytes) err = kDocErrBadSize;
    if (!err) {
        bytes->resize(size_t(size));
        u32 count = u32(size);
        err = size == 0 ? kErrNone : osReadFile(file, bytes->data(), &count);
        if (!err && count != u32(size)) err = kDocErrTruncated;
    }
    osCloseFile(file, 0);
    return err;
}

}  // namespace

FourCC FileTypeToResourceType(FourCC fileType, bool movable) {
    switch (fileType) {
    case kFileTypeSound: return kTypeSound;
    case kFileTypeFlash: return kTypeFlash;
    case kFileTypeMovie: return kTypeMovie;
    case kFileTypePict:
    case kFileTypeJpeg:
    case kFileTypeGif:
    case kFileTypeBmp: return movable ? kTypeMovableBitmap : kTypeBitmap;
    default: return 0;
    }
}

std::string EnsureNativeExtension(const std::string& name) {
    const size_t length = std::char_traits<char>::length(kPictureExtension);
    if (name.size() >= length && strCompareNoCase(name.c_str() + name.size() - length, kPictureExtension) == 0)
        return name;
    return name + kPictureExtension;
}

std::string MakePictureFileName(const Paths& paths, const std::string& name) {
    const std::string folder = paths.BuildPath(kFolderPictures, true);
    return folder.empty() ? folder : folder + EnsureNativeExtension(name);
}

EngineErr ImportFileIntoPage(RPageData& page, const Path* file, FourCC fileType, const PageRect& rect,
                             RLibrary* library, RPageObject** added) {
    *added = nullptr;
    const FourCC type = FileTypeToResourceType(fileType, false);
    if (type == 0 || type == kTypeBitmap) return kDocErrBadType;
    // The library's items must become objects of the file's kind when taken out again.
    if (library != nullptr) {
        if (objectTypeForLibrary(library->Header().type) != type) return kDocErrBadType;
        if (library->IsReadOnly()) return kResErrReadOnly;
    }
    std::vector<u8> bytes;
    if (EngineErr err = readWholeFile(file, &bytes)) return err;
    // The library's change is whole or none, so it goes first: a page that then refuses the
    // object has the item taken out again, and either way nothing is half imported.
    u16 item = 0;
    if (library != nullptr) {
        char name[kSystemTextSize] = {};
        pathGetFileName(file, name);
        item = library->AddItem(bytes, {}, name);
        if (item == 0) return resGetLastError() ? resGetLastError() : kDocErrNotOpen;
    }
    RPageObject* object = page.AddObject(type, -1, bytes, rect);
    if (object == nullptr) {
        if (item != 0) library->DeleteEntry(item);
        return kDocErrPageFull;
    }
    *added = object;
    return kErrNone;
}

}  // namespace Ostrel
