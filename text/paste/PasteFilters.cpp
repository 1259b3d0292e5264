#include "text/paste/PasteFilters.h"

#include "text/host/TextKeys.h"

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

}  // namespace

std::string filterPageEditorPaste(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == kLF) {
            out += kCR;
        } else if (c == kCR) {
            if (i + 1 < text.size() && text[i + 1] == kLF) {
                out += kCR;
                ++i;
            }
        } else if (charIsPrintable(static_cast<u8>(c))) {
            out += c;
        }
    }
    return out;
}

std::string filterDialogFieldPaste(const std::string& text, bool oneLine) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == kCR || c == kLF) {
            if (oneLine) break;
            if (c == kCR && i + 1 < text.size() && text[i + 1] == kLF) ++i;
            out += kCR;
        } else if (charIsPrintable(static_cast<u8>(c))) {
            out += c;
        }
    }
    return out;
}
