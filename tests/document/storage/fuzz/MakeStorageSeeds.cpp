// Writes the seed corpora of the page-index and library-header readers with our own writers.
#include <filesystem>
#include <fstream>
#include <string>

#include "document/storage/LibraryHeader.h"
#include "document/storage/ObjectTypes.h"
#include "document/storage/PageIndex.h"
#include "tests/FuzzSeeds.h"

namespace {

using fuzzseeds::save;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    std::filesystem::remove_all(folder);
    for (const char* sub : {"pageIndex", "libraryHeader"}) std::filesystem::create_directories(folder + "/" + sub);
    std::vector<u8> bytes;
    PageIndex index;
    index.entries.push_back({kTypeBitmap, 1, 0, 0, 800, 600, 0, 0, 1});
    index.entries.push_back({kTypeText, 2, 10, 10, 90, 40, 1, 5, 0});
    if (writePageIndex(index, &bytes) != kErrNone) return 1;
    save(folder + "/pageIndex", "two", bytes);
    LibraryHeader header{kTypeStamp, kLibraryFlagThumbnails, 4, {{1, 0}, {3, 1}}};
    if (writeLibraryHeader(header, &bytes) != kErrNone) return 1;
    save(folder + "/libraryHeader", "two", bytes);
    return 0;
}
