#pragma once
// The desktop's clipboard as the program shares it with other programs. What the program puts
// there goes in one piece (ClipboardOffer): text, a picture, and the program's own formats,
// whose data never leaves the process and counts only while the offer is still the
// clipboard's: once another program copies something, they are gone. Text is cp1252 on the
// program's side; backends convert it at the desktop's boundary. Which backend serves is chosen
// in platform/clipboard/choice/ClipboardChoice.h. User-interface thread only.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace plat {

// Pictures another program offers beyond this many bytes are not taken.
constexpr size_t kMaxClipboardPicture = size_t(32) << 20;

struct ClipboardOffer {
    // Empty: no text is offered.
    std::string text;
    // A PNG file; empty: no picture is offered.
    std::vector<uint8_t> png;
    // The program's own formats by name.
    std::map<std::string, std::string> own;
};

class ClipboardBackend {
public:
    virtual ~ClipboardBackend() = default;
    // Replaces what the clipboard holds. False when the desktop refused it; nothing of the
    // program's own is held then.
    virtual bool place(ClipboardOffer offer) = 0;
    // Empty when the clipboard holds no text.
    virtual std::string text() = 0;
    // The clipboard's picture as a PNG file, from another program or the program's own offer;
    // empty when it holds none, or one larger than kMaxClipboardPicture bytes.
    virtual std::vector<uint8_t> picture() = 0;
    // Whether the clipboard holds a picture, asked without taking it (one beyond the limit is
    // still refused by picture()).
    virtual bool offersPicture() = 0;
    // The data of one of the program's own formats while its offer is still the clipboard's.
    virtual std::optional<std::string> ownFormat(const std::string& name) = 0;

    bool setText(const std::string& text) {
        ClipboardOffer offer;
        offer.text = text;
        return place(std::move(offer));
    }
    bool hasText() { return !text().empty(); }
};

// Keeps the offer in the process; another program's copy is a place() from outside.
class LocalClipboard : public ClipboardBackend {
public:
    bool place(ClipboardOffer offer) override {
        held_ = std::move(offer);
        return true;
    }
    std::string text() override { return held_.text; }
    std::vector<uint8_t> picture() override {
        return held_.png.size() <= kMaxClipboardPicture ? held_.png : std::vector<uint8_t>{};
    }
    bool offersPicture() override { return !picture().empty(); }
    std::optional<std::string> ownFormat(const std::string& name) override {
        auto found = held_.own.find(name);
        if (found == held_.own.end()) return std::nullopt;
        return found->second;
    }
    const ClipboardOffer& held() const { return held_; }

private:
    ClipboardOffer held_;
};

}  // namespace plat
