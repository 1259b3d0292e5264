#include "document/import/FileImport.h"

#include <vector>

#include "document/library/RLibrary.h"
#include "document/objects/RMediaFilePageObject.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageErrors.h"
#include "document/storage/StorageErrors.h"
#include "engine/base/TextUtils.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/resources/format/ArchiveFormat.h"
#include "platform/media/GraphicsImporter.h"
#include "sound/import/SoundImport.h"

namespace Ostrel {

namespace {

PictureFileReader gPictureReader = nullptr;

static_assert(kPictureFileMaxBytes == plat::media::kMaxPictureFileBytes, "the readers refuse what is refused here");

EngineErr readWholeFile(const Path* path, std::vector<u8>* bytes) {
    OsFile* file = osOpenFile(path, kOsOpenRead | kOsOpenShareRead);
    if (file == nullptr) return pathGetLastError();
    const i64 size = osGetFileSize(file);
    EngineErr err = size < 0 ? pathGetLastError() : kErrNone;
    if (!err && u64(size) > kImportMaxBytes) err = kDocErrBadSize;
    if (!err) {
        bytes->resize(size_t(size));
        u32 count = u32(size);
        err = size == 0 ? kErrNone : osReadFile(file, bytes->data(), &count);
        if (!err && count != u32(size)) err = kDocErrTruncated;
    }
    osCloseFile(file, 0);
    return err;
}

// The object's media from the file: a picture as the reader places it (moving `rect` there),
// a sound converted, anything else the file's bytes.
EngineErr readMedia(const Path* file, FourCC type, u32 placement, PageRect* rect, std::vector<u8>* media) {
    if (type == kTypeBitmap) {
        if (IsPictureFileTooBig(file)) return kDocErrBadSize;
        char text[kSystemTextSize] = {};
        if (EngineErr err = pathGetFullText(file, text)) return err;
        PictureRecord picture;
        PageRect placed{};
        if (gPictureReader(text, *rect, placement, &picture, &placed) != kErrNone) return kDocErrNotReadable;
        *rect = placed;
        return writePictureRecord(picture, false, media);
    }
    if (EngineErr err = readWholeFile(file, media)) return err;
    if (type != kTypeSound) return kErrNone;
    std::vector<u8> wave;
    if (ConvertSoundFileToArchiveWave(*media, kImportCompress, &wave) != 0) return kDocErrNotReadable;
    *media = std::move(wave);
    return kErrNone;
}

// A movie stays in its file until the page is saved, which copies it in piece by piece: it may
// be far larger than memory should hold.
EngineErr addMovieInItsFile(RPageData& page, const Path* file, const PageRect& rect, RPageObject** added) {
    char text[kSystemTextSize] = {};
    if (EngineErr err = pathGetFullText(file, text)) return err;
    const i64 size = osGetPathSize(file);
    if (size < 0) return pathGetLastError();
    // The page's file keeps each object in one resource, which has a largest size.
    if (u64(size) > kResMaxSize) return kDocErrBadSize;
    auto* object = static_cast<RMediaFilePageObject*>(page.AddObject(kTypeMovie, -1, {}, rect));
    if (object == nullptr) return kDocErrPageFull;
    object->stored = std::make_shared<StoredMedia>(text, 0, u32(size));
    *added = object;
    return kErrNone;
}

}  // namespace

void SetPictureFileReader(PictureFileReader reader) { gPictureReader = reader; }

bool IsPictureFileTooBig(const Path* file) {
    const i64 size = osGetPathSize(file);
    return size > 0 && u64(size) > kPictureFileMaxBytes;
}

PictureFileReader GetPictureFileReader() { return gPictureReader; }

FourCC FileTypeToResourceType(FourCC fileType, bool movable) {
    switch (fileType) {
    case kFileTypeSound:
    case kFileTypeAiff: return kTypeSound;
    case kFileTypeFlash: return kTypeFlash;
    case kFileTypeMovie: return kTypeMovie;
    case kFileTypePict:
    case kFileTypeJpeg:
    case kFileTypeGif:
    case kFileTypePng:
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
                             RLibrary* library, RPageObject** added, u32 placement) {
    *added = nullptr;
    const FourCC type = FileTypeToResourceType(fileType, false);
    if (type == 0 || (type == kTypeBitmap && gPictureReader == nullptr)) return kDocErrBadType;
    // The library's items must become objects of the file's kind when taken out again.
    if (library != nullptr) {
        if (objectTypeForLibrary(library->Header().type) != type) return kDocErrBadType;
        if (library->IsReadOnly()) return kResErrReadOnly;
    }
    if (type == kTypeMovie && library == nullptr) return addMovieInItsFile(page, file, rect, added);
    std::vector<u8> bytes;
    PageRect place = rect;
    if (EngineErr err = readMedia(file, type, placement, &place, &bytes)) return err;
    // The library's change is whole or none, so it goes first: a page that then refuses the
    // object has the item taken out again, and either way nothing is half imported.
    u16 item = 0;
    if (library != nullptr) {
        char name[kSystemTextSize] = {};
        pathGetFileName(file, name);
        EngineErr err = kErrNone;
        item = library->AddItem(bytes, {}, name, &err);
        if (item == 0) return err ? err : kDocErrNotOpen;
    }
    RPageObject* object = page.AddObject(type, -1, bytes, place);
    if (object == nullptr) {
        if (item != 0) library->DeleteEntry(item);
        return kDocErrPageFull;
    }
    *added = object;
    return kErrNone;
}

}  // namespace Ostrel
