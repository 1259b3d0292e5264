// libFuzzer target: any bytes opened as a picture archive (".tbx": one handed over, or left
// damaged by a full disc): a page that opens is saved again and reopens with the very same
// objects (but an empty note, which is never written), and one that does not open stays the
// empty page it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "document/objects/RNotePageObject.h"
#include "document/pages/RPageData.h"
#include "tests/document/pages/PageSamples.h"
#include "tests/document/pages/fuzz/PageScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PageScratch* scratch = new PageScratch();
    scratch->put("in.tbx", data, size);
    Ostrel::EnginePath in = scratch->path("in.tbx");
    Ostrel::RPageData page;
    if (page.OpenAndLoad(in.get()) != kErrNone) {
        if (page.ObjectCount() != 0) std::abort();
        return 0;
    }
    scratch->remove("out.tbx");
    Ostrel::EnginePath out = scratch->path("out.tbx");
    if (page.SaveToFile(out.get()) != kErrNone) std::abort();
    std::vector<u16> emptyNotes;
    u32 it = 0;
    Ostrel::RPageObject* o = nullptr;
    while (page.NextObject(&it, &o, kTypeNote))
        if (static_cast<Ostrel::RNotePageObject*>(o)->IsEmpty()) emptyNotes.push_back(o->Id());
    for (u16 id : emptyNotes) page.DeleteObject(kTypeNote, id);
    Ostrel::RPageData back;
    if (back.OpenAndLoad(out.get()) != kErrNone || testdoc::contentOf(back) != testdoc::contentOf(page)) std::abort();
    return 0;
}
