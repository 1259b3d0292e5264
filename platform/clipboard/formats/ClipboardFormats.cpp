#include "platform/clipboard/formats/ClipboardFormats.h"

#include <vector>

#include "platform/clipboard/choice/ClipboardChoice.h"
#include "platform/media/PngCoding.h"

namespace plat {
namespace {

std::vector<std::string>& formatNames() {
    static std::vector<std::string> names;
    return names;
}

bool place(ClipboardOffer offer, ClipboardFormat format, std::string data) {
    const std::vector<std::string>& names = formatNames();
    if (format == 0 || format > names.size()) return false;
    offer.own[names[format - 1]] = std::move(data);
    return clipboard().place(std::move(offer));
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
    ClipboardOffer offer;
    offer.text = text;
    return place(std::move(offer), format, std::move(data));
}

bool placeClipboardPicture(const media::PictureImage& picture, ClipboardFormat format, std::string data) {
    ClipboardOffer offer;
    offer.png = media::encodePng(picture);
    return place(std::move(offer), format, std::move(data));
}

bool placeClipboardFormat(ClipboardFormat format, std::string data) {
    return place(ClipboardOffer{}, format, std::move(data));
}

std::optional<std::string> clipboardFormatData(ClipboardFormat format) {
    const std::vector<std::string>& names = formatNames();
    if (format == 0 || format > names.size()) return std::nullopt;
    return clipboard().ownFormat(names[format - 1]);
}

}  // namespace plat
