#pragma once
// Bringing outside files into a page: which object kind a file type becomes, the names of
// picture files, and reading a file into a new object. Sounds, vector graphics and movies are
// kept as the file's bytes; pictures wait for their decoders and are refused for now.
#include <string>

#include "document/pages/RPageData.h"
#include "document/users/Paths.h"
#include "engine/base/EngineTypes.h"

namespace Ostrel {

class RLibrary;

constexpr FourCC kFileTypeSound = fourCC("WAVE");
constexpr FourCC kFileTypeFlash = fourCC("SWFL");
constexpr FourCC kFileTypeMovie = fourCC("MooV");
constexpr FourCC kFileTypePict = fourCC("PICT");
constexpr FourCC kFileTypeJpeg = fourCC("JPEG");
constexpr FourCC kFileTypeGif = fourCC("GIFF");
constexpr FourCC kFileTypeBmp = fourCC("BMPW");
constexpr u32 kImportMaxBytes = 16u << 20;
constexpr const char* kPictureExtension = ".tbx";

// 0 for a file type no object holds; pictures become 'tMBM' when `movable`.
FourCC FileTypeToResourceType(FourCC fileType, bool movable);
// The name with ".tbx" added unless it ends so already, in any case.
std::string EnsureNativeExtension(const std::string& name);
// The picture file's engine text in the user's pictures folder; empty without a user.
std::string MakePictureFileName(const Paths& paths, const std::string& name);
// Reads the file and adds it to the page as a new object at `rect`, and to `library` when one
// is given; both or neither. The new object through `added`. kDocErrBadType for a library
// of another kind, kResErrReadOnly for one that cannot be written.
EngineErr ImportFileIntoPage(RPageData& page, const Path* file, FourCC fileType, const PageRect& rect,
                             RLibrary* library, RPageObject** added);

}  // namespace Ostrel
