#pragma once
// Picture files made into pictures as a page keeps them: placed in a target by
// imgImportFileToBitmap, then expanded from the JPEG picture block into the page's RGBA
// picture record. User-interface thread only; without the media runtime every import fails.
#include <string>

#include "document/objects/RPageObject.h"
#include "document/storage/PictureRecord.h"
#include "media/quicktime/ImgPictureFiles.h"

// A raw picture block of 16-bit rows (RGB555 words as the runtime's worlds hold them) as
// opaque RGBA pixels. kDocErrTruncated when the rows reach past `size` bytes, kDocErrBadSize
// for a side of 0 or beyond kPictureMaxSide, or rows narrower than the width.
EngineErr imgPictureOfRawBlock(const u8* block, u32 size, PictureRecord* picture);

// `mode` is one of the placement modes kImgPlaceNatural .. kImgPlaceTile; `placed` receives
// where the picture lies in `target`: at its own size from the placed corner (the whole target
// when tiled or stretched over it). 0 on success;
// kDocErrNotReadable when the file is no picture the runtime reads, kDocErrBadSize when the
// target or the picture has no size a picture record takes.
EngineErr imgImportFileToPicture(const std::string& path, const Ostrel::PageRect& target, u32 mode,
                                 PictureRecord* picture, Ostrel::PageRect* placed);
// A picture brought onto a page as an object, placed by `mode` (kPlaceAsReaderDoes: centred at
// its natural size, fitted when it is too big). The document's picture reader
// (SetPictureFileReader).
EngineErr imgReadPictureFile(const std::string& path, const Ostrel::PageRect& target, u32 mode, PictureRecord* picture,
                             Ostrel::PageRect* placed);
