#pragma once
// A stored picture made smaller for a thumbnail: each pixel of the small picture is the average
// of the pixels of the large one that it covers, so a line thinner than the step between the
// small picture's pixels still shows (lighter) rather than falling between two samples. The
// mask, if any, is not kept.
#include "document/storage/PictureRecord.h"

// An empty picture for an empty or damaged source, or a side of 0.
PictureRecord ShrinkPicture(const PictureRecord& source, u16 width, u16 height);
