#include "text/clipboard/TextClipboard.h"

#include <optional>

#include "platform/clipboard/choice/ClipboardChoice.h"
#include "platform/clipboard/formats/ClipboardFormats.h"

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';

plat::ClipboardFormat formatOf(TextClipKind kind) {
    static const plat::ClipboardFormat dialog = plat::registerClipboardFormat("Tumblo Internal Format Text");
    static const plat::ClipboardFormat page = plat::registerClipboardFormat("Tumblo4 Text");
    return kind == TextClipKind::DialogField ? dialog : page;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        out += c;
        if (c == kCR) out += kLF;
    }
    return out;
}

}  // namespace

void copyClipText(TextClipKind kind, const std::string& text) {
    if (text.empty()) return;
    const std::string placed = kind == TextClipKind::PageEditor ? withCrLf(text) : text;
    plat::placeClipboardText(placed, formatOf(kind), placed);
}

std::string clipTextToPaste(TextClipKind kind) {
    if (std::optional<std::string> ours = plat::clipboardFormatData(formatOf(kind))) return *ours;
    return plat::clipboard().text();
}
