#pragma once
// Bringing outside files into a page: which object kind a file type becomes, the names of
// picture files, and reading a file into a new object. Sounds become archive waves, the one
// form every sound of the program plays from; vector graphics are kept as the file's bytes, and
// so are movies for a library; a movie for the page alone stays in its file until the page is
// saved; pictures are decoded by the reader the media services install at start-up.
#include <string>

#include "document/pages/RPageData.h"
#include "document/storage/PictureRecord.h"
#include "document/users/Paths.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

class RLibrary;

constexpr FourCC kFileTypeSound = fourCC("WAVE");
constexpr FourCC kFileTypeAiff = fourCC("AIFF");
constexpr FourCC kFileTypeFlash = fourCC("SWFL");
constexpr FourCC kFileTypeMovie = fourCC("MooV");
constexpr FourCC kFileTypePict = fourCC("PICT");
constexpr FourCC kFileTypeJpeg = fourCC("JPEG");
constexpr FourCC kFileTypeGif = fourCC("GIFF");
constexpr FourCC kFileTypeBmp = fourCC("BMPW");
constexpr FourCC kFileTypePng = fourCC("PNGf");
constexpr u32 kImportMaxBytes = 16u << 20;
// A picture file larger than this is not read: as much as an uncompressed picture of 8192 x 8192
// pixels takes, far more than a photograph or a drawing needs, and what the picture readers take.
constexpr u64 kPictureFileMaxBytes = u64(256) << 20;
// Whether the file is larger than a picture file is: refused by its size, before it is read.
bool IsPictureFileTooBig(const Path* file);
constexpr const char* kPictureExtension = ".tbx";

// 0 for a file type no object holds; pictures become 'tMBM' when `movable`.
FourCC FileTypeToResourceType(FourCC fileType, bool movable);
// The name with ".tbx" added unless it ends so already, in any case.
std::string EnsureNativeExtension(const std::string& name);
// The picture file's engine text in the user's pictures folder; empty without a user.
std::string MakePictureFileName(const Paths& paths, const std::string& name);
// Reads the picture file of the engine text `path` placed in `target` as `placement` says (the
// picture import's placement modes; kPlaceAsReaderDoes: centred at its natural size, fitted
// keeping its proportions when it is too big). `placed` receives where it lies.
constexpr u32 kPlaceAsReaderDoes = 0;
using PictureFileReader = EngineErr (*)(const std::string& path, const PageRect& target, u32 placement,
                                        PictureRecord* picture, PageRect* placed);
// Null takes the reader away: pictures are then refused with kDocErrBadType.
void SetPictureFileReader(PictureFileReader reader);
PictureFileReader GetPictureFileReader();

// Reads the file and adds it to the page as a new object at `rect`, and to `library` when one
// is given; both or neither. The new object through `added`. A picture lies where the
// picture reader places it in `rect`. kDocErrBadType for a library of another kind,
// kResErrReadOnly for one that cannot be written, kDocErrNotReadable for a file that is not
// the kind of picture or sound its type says, kDocErrBadSize for one larger than a page (or
// the memory an import may take, or a picture file) holds. A picture is placed as `placement` says.
EngineErr ImportFileIntoPage(RPageData& page, const Path* file, FourCC fileType, const PageRect& rect,
                             RLibrary* library, RPageObject** added, u32 placement = kPlaceAsReaderDoes);

}  // namespace Ostrel
