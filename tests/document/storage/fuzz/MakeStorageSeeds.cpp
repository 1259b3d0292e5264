// Writes the seed corpora of the page-index, library-header and object-record readers with our
// own writers. An object record's seed starts with the byte that picks its kind.
#include <fstream>
#include <string>

#include "document/storage/ExclusionsRecord.h"
#include "document/storage/LibraryHeader.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "document/storage/PictureRecord.h"
#include "document/storage/TextRecords.h"
#include "tests/FuzzSeeds.h"

namespace {

using fuzzseeds::save;

void saveRecord(const std::string& folder, const char* name, u8 kind, std::vector<u8> bytes) {
    bytes.insert(bytes.begin(), kind);
    save(folder + "/objectRecords", name, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder, {"pageIndex", "libraryHeader", "objectRecords"});
    std::vector<u8> bytes;
    PageIndex index;
    index.entries.push_back({kTypeBitmap, 1, 0, 0, 800, 600, 0, 0, 1});
    index.entries.push_back({kTypeText, 2, 10, 10, 90, 40, 1, 5, 0});
    if (writePageIndex(index, &bytes) != kErrNone) return 1;
    save(folder + "/pageIndex", "two", bytes);
    LibraryHeader header{kTypeStamp, kLibraryFlagThumbnails, 4, {{1, 0}, {3, 1}}};
    if (writeLibraryHeader(header, &bytes) != kErrNone) return 1;
    save(folder + "/libraryHeader", "two", bytes);

    PictureRecord picture{3, 2, std::vector<u8>(3 * 2 * 4, 0x7F), {}};
    if (writePictureRecord(picture, false, &bytes) != kErrNone) return 1;
    saveRecord(folder, "picture", 0, bytes);
    picture.mask = {0, 1, 1, 0, 2, 0};
    if (writePictureRecord(picture, true, &bytes) != kErrNone) return 1;
    saveRecord(folder, "masked", 1, bytes);
    if (writeTextRecord({"Sans", 18, 1, 0x00FF0000, "A cat."}, &bytes) != kErrNone) return 1;
    saveRecord(folder, "text", 2, bytes);
    if (writeNoteRecord({1, 0, "Read it aloud."}, &bytes) != kErrNone) return 1;
    saveRecord(folder, "note", 3, bytes);
    if (writeExclusionsRecord({"74424d50#Cat", "74535441#Dog"}, &bytes) != kErrNone) return 1;
    saveRecord(folder, "exclusions", 4, bytes);
    return 0;
}
