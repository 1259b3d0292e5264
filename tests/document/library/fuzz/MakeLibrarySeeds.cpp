// Writes the library fuzzer's seeds: library archives (".tbl") made by the library's own
// writer: an empty one, and sounds and pictures with thumbnails and names, one of them deleted.
#include <string>
#include <vector>

#include "document/library/RLibrary.h"
#include "document/storage/ObjectTypes.h"
#include "tests/FuzzSeeds.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/engine/ini/fuzz/ScratchProfile.h"

namespace {

using namespace Ostrel;

std::vector<u8> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

bool keep(ScratchProfile& scratch, const std::string& folder, const char* name, FourCC type, bool items) {
    Path path{};
    pathFromText(&path, (std::string("T:\\") + name).c_str());
    RLibrary library;
    bool ok = library.Create(&path, type, kLibraryFlagThumbnails) == kErrNone;
    if (ok && items && type == kTypeBitmap) {
        ok = library.AddItem(testdoc::pictureBytes(4, 3, 0x10, false), testdoc::pictureBytes(2, 2, 9, false), "Sun") &&
             library.AddItem(testdoc::pictureBytes(2, 2, 0x20, true), {}, "Moon");
    } else if (ok && items) {
        ok = library.AddItem(bytesOf("RIFFmoo"), testdoc::pictureBytes(2, 2, 9, false), "Cow") &&
             library.AddItem(bytesOf("RIFFbaa"), {}, "Sheep") && library.AddItem(bytesOf("RIFFoink"), {}, "Pig") &&
             library.DeleteEntry(2) == kErrNone;
    }
    ok = library.Close() == kErrNone && ok;
    pathRelease(&path);
    std::ifstream in(scratch.folder() + "/" + name, std::ios::binary);
    fuzzseeds::save(folder, name, std::vector<u8>(std::istreambuf_iterator<char>(in), {}));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    ScratchProfile scratch;
    if (resInit() != kErrNone) return 1;
    const bool ok = keep(scratch, folder, "empty.tbl", kTypeSound, false) &&
                    keep(scratch, folder, "sounds.tbl", kTypeSound, true) &&
                    keep(scratch, folder, "pictures.tbl", kTypeBitmap, true);
    resShutdown();
    return ok ? 0 : 1;
}
