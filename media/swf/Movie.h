#pragma once
// Loading whole movies into a document and writing them out, from and to memory or a file.
// File access goes through the standard library's buffered files (fstream).
#include <vector>

#include "media/swf/Document.h"

namespace swf {

// Reads header and tags from the stream's current position.
Result LoadMovie(document& movie, stream& in);
// The bytes are copied; the document keeps nothing of the caller's.
Result LoadMovieFromMemory(document& movie, const u8* bytes, u32 size);
Result LoadMovieFromFile(document& movie, const char* fileName);

Result SaveMovieToMemory(document& movie, std::vector<u8>& bytes);
Result SaveMovieToFile(document& movie, const char* fileName);

}  // namespace swf
