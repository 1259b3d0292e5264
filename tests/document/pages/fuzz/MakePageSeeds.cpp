// Writes the page fuzzer's seeds: picture archives (".tbx") saved by the page's own writer: an
// empty page, one with a single text, and one with an object of every kind.
#include <string>

#include "document/pages/RPageData.h"
#include "tests/FuzzSeeds.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/document/pages/fuzz/PageScratch.h"

namespace {

using namespace Ostrel;

int keep(const PageScratch& scratch, RPageData& page, const std::string& folder, const std::string& name) {
    Ostrel::EnginePath path = scratch.path(name);
    if (page.SaveToFile(path.get()) != kErrNone) return 1;
    fuzzseeds::save(folder, name, scratch.read(name));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    PageScratch scratch;
    RPageData empty;
    RPageData text;
    text.AddObject(kTypeText, 1, testdoc::textBytes("A cat sat."), {0, 0, 40, 12});
    RPageData every;
    testdoc::fillWithEveryKind(every, 16, 12);
    return keep(scratch, empty, folder, "empty.tbx") | keep(scratch, text, folder, "text.tbx") |
           keep(scratch, every, folder, "every-kind.tbx");
}
