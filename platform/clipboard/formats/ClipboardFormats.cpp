#include "platform/clipboard/formats/ClipboardFormats.h"

#include <map>
#include <vector>

#include "platform/clipboard/choice/ClipboardChoice.h"

namespace plat {
namespace {

struct PlacedFormats {
    // The desktop's text as read back right after placing it, so that whatever the desktop
    // does to the text on its way (line ends, characters) does not hide our own copy.
    std::string desktopText;
    std::map<ClipboardFormat, std::string> data;
};

PlacedFormats& placed() {
    static PlacedFormats formats;
    return formats;
}

std::vector<std::string>& formatNames() {
    static std::vector<std::string> names;
    return names;
}

}  // namespace

ClipboardFormat registerClipboardFormat(std::string_view name) {
    std::vector<std::string>& names = formatNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return ClipboardFormat(i + 1);
    names.emplace_back(name);
    return ClipboardFormat(names.size());
}

bool placeClipboardText(const std::string& text, ClipboardFormat format, std::string data) {
    PlacedFormats& formats = placed();
    formats.data.clear();
    if (!clipboard().setText(text)) return false;
    formats.desktopText = clipboard().text();
    formats.data[format] = std::move(data);
    return true;
}

std::optional<std::string> clipboardFormatData(ClipboardFormat format) {
    PlacedFormats& formats = placed();
    auto found = formats.data.find(format);
    if (found == formats.data.end()) return std::nullopt;
    if (clipboard().text() != formats.desktopText) {
        formats.data.clear();
        return std::nullopt;
    }
    return found->second;
}

}  // namespace plat
