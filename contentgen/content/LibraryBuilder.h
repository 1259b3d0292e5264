#pragma once
// The libraries installed with the program, one archive per manifest of libraries/:
//   { "name", "kind": "tBMP" | "tSWF" | "tSWA" | "tWAV" | "tSTM", "entries": [...] }
// written as "Library/<kind's folder>/<name>.tbl", the folders the library manager lists.
// Pictures, stickers, animations and sounds are library archives: the header ('tLHD' 1,
// entries carrying thumbnails), and per entry its media under the entry's id, a 64-pixel
// thumbnail picture ('tTHM') and its name ('tATX'). Entries by kind:
//   tBMP { "name", "art" }            a picture the size of the easel's canvas
//   tSWF { "name", "emoji" }          a one-frame Flash sticker of the emoji
//   tSWA { "name", "emoji", "motion" } a Flash animation of the emoji: "hop", "spin", "swim",
//                                      "fly", "pulse" or "wiggle"
//   tWAV { "name", "emoji", "synth", ... } a synthesized sound; the emoji marks its thumbnail
// Stamp libraries (tSTM) are plain archives of stamp pictures 'tBMP' 8000, 8001, ...:
//   tSTM { "emoji" }
// An entry's "name" is one text, or ["English", "Spanish"] for an item a child reads in either
// language: the English name is 'tATX', the Spanish one 'tATS'.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "contentgen/content/ArchiveImage.h"
#include "contentgen/content/ContentContext.h"

// A picture record ('tBMP') of the raster, every place opaque (the canvas shows no holes);
// throws ArtError when it cannot be stored.
std::vector<u8> pictureRecordOf(const Raster& raster);
// The library's path relative to the program folder; throws ArtError for an unknown kind.
std::string libraryPath(const nlohmann::json& library);
// Throws ArtError (or the json library's errors) for a manifest it cannot build.
ArchiveImage buildLibraryArchive(const nlohmann::json& library, const ContentContext& context);
