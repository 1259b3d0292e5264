#pragma once
// Pictures ('tBMP' engine bitmaps) made drawable: a compressed bitmap is expanded in place; a
// JPEG-coded one (all compression bits set and the codec name "jpeg" after the header) goes
// to the JPEG decoder the media layer installs, and is refused with kShapeErrNoJpegDecoder
// while none is installed. User-interface thread only.
#include "engine/resources/ResourceManager.h"

constexpr FourCC kSprPictureType = fourCC("tBMP");

// Turns the picture held in `picture` into a plain engine bitmap; 0 on success.
using SprJpegDecoder = EngineErr (*)(memHandle picture);
void sprSetJpegDecoder(SprJpegDecoder decoder);
SprJpegDecoder sprGetJpegDecoder();

bool sprIsJpegPicture(const u8* bitmap, u32 size);
EngineErr sprPreparePicture(memHandle picture);

// Finds (when *ref is 0), loads and prepares a 'tBMP' resource; its handle, or 0 (released)
// when it cannot be loaded or prepared. Released with sprReleaseResource (SprHeldResource.h).
memHandle sprLoadPicture(ResourceRef* ref, u16 pictureId, u16 ignored);
