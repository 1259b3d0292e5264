#include <cstdlib>
#include <string>

#include "text/host/TextKeys.h"
#include "text/paste/PasteFilters.h"

namespace {

// What an editor takes in holds only characters that could be typed and its CR line breaks,
// and is never longer than what was pasted.
void check(const std::string& in, const std::string& out, bool breaksAllowed) {
    if (out.size() > in.size()) std::abort();
    for (char c : out)
        if (c == '\r' ? !breaksAllowed : !charIsPrintable(static_cast<u8>(c))) std::abort();
}

}  // namespace

// Any clipboard text goes through both filters without fault.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    check(text, filterPageEditorPaste(text), true);
    check(text, filterDialogFieldPaste(text, false), true);
    check(text, filterDialogFieldPaste(text, true), false);
    // Filtering twice changes nothing more.
    const std::string page = filterPageEditorPaste(text);
    if (filterDialogFieldPaste(page, false) != page) std::abort();
    return 0;
}
