#pragma once
// Reads a JPEG stream's header into an image description: the frame's size and depth (40 for
// grey, 32 for three or four components), the JFIF version and resolution. Thumbnails of JFXX
// extensions lie inside their APP0 segment and are stepped over with it, so the main frame is
// the one reported.
#include "engine/base/EngineTypes.h"
#include "platform/media/ImageDescription.h"

constexpr i16 kJpegParseError = -50;

// 0 with the description filled, kJpegParseError for a null stream, an unsupported component
// count, a JFIF version under 1.0, a JFXX extension code other than 0x10, 0x11 and 0x13, or a
// stream with no frame header.
i16 jpegParseHeader(const u8* data, u32 size, plat::media::ImageDescriptionFields* out);
