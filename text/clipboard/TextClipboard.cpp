#include "text/clipboard/TextClipboard.h"

#include <optional>

#include "platform/clipboard/Clipboard.h"
#include "platform/clipboard/ClipboardFormats.h"

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr unsigned char kFirstPrintable = 32;

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
        } else if (static_cast<unsigned char>(c) >= kFirstPrintable) {
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
        } else if (static_cast<unsigned char>(c) >= kFirstPrintable && c != 0x7F) {
            out += c;
        }
    }
    return out;
}
