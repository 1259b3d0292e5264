// Writes the seed corpora of the menu, dialog-template, string, button-set and cursor
// readers with our own writers.
#include <fstream>
#include <string>

#include "framework/format/CursorFormat.h"
#include "framework/format/StringFormat.h"
#include "tests/framework/format/FormatSamples.h"
#include "tests/FuzzSeeds.h"

namespace {

using fuzzseeds::save;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder, {"menu", "dialog", "string", "button", "cursor"});
    std::vector<u8> bytes;
    if (writeMenuResource(testfmt::sampleMenu(), &bytes) != kErrNone) return 1;
    save(folder + "/menu", "sample", bytes);
    if (writeMenuResource(MenuResource{}, &bytes) != kErrNone) return 1;
    save(folder + "/menu", "empty", bytes);
    if (writeDialogTemplate(testfmt::sampleDialog(), &bytes) != kErrNone) return 1;
    save(folder + "/dialog", "sample", bytes);
    if (writeStringResource("Untitled disc", &bytes) != kErrNone) return 1;
    save(folder + "/string", "sample", bytes);
    if (writeButtonSet(testfmt::sampleButtons(), &bytes) != kErrNone) return 1;
    save(folder + "/button", "sample", bytes);
    CursorRecord arrow;
    arrow.andPlane.fill(0xFF);
    if (writeCursorResource(arrow, &bytes) != kErrNone) return 1;
    save(folder + "/cursor", "sample", bytes);
    return 0;
}
