#pragma once
// Small helpers that build movie bytes by hand and run them through the reader and writer.
#include <string>
#include <vector>

#include "media/swf/Document.h"
#include "media/swf/MemoryStream.h"
#include "media/swf/Movie.h"

namespace swftest {

using Bytes = std::vector<u8>;

// A tag with a short header when the body allows it, else (or when asked) the long one.
Bytes Tag(u16 code, const Bytes& body, bool longForm = false);
// A movie of version 6 with an all-zero frame RECT in its canonical form, rate 12, one frame,
// holding the tags and an End tag.
Bytes Movie(const Bytes& tags);
Bytes Concat(std::initializer_list<Bytes> parts);
// Loads movie bytes into the document.
swf::Result Load(swf::document& movie, const Bytes& bytes);
// Writes a document into a new memory stream and returns the bytes.
Bytes Written(swf::document& movie);
Bytes ReadFile(const std::string& path);
// The stream's data (the stream keeps it).
Bytes Contents(swf::mstream& stream);

}  // namespace swftest
