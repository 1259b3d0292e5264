#include "platform/clipboard/sdl/SdlClipboard.h"

#include <SDL.h>

#include <string>

#include "platform/charset/Conversion.h"

namespace plat {
namespace {

// SDL's clipboard needs its video part; before that starts the offer stays in the process. The
// desktop speaks UTF-8; the program's text is cp1252 and is converted at this boundary. SDL
// carries text only, so a picture stays behind, and the program's own formats count while the
// desktop still holds the text they came with.
class SdlClipboard : public ClipboardBackend {
public:
    bool place(ClipboardOffer offer) override {
        own_.clear();
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return local_.place(std::move(offer));
        // The desktop takes a C string, which a NUL would cut short; the rest of the text goes.
        std::string utf8 = cp1252ToUtf8(offer.text);
        std::erase(utf8, '\0');
        if (SDL_SetClipboardText(utf8.c_str()) != 0) return false;
        // Read back, so that whatever the desktop does to the text on its way (line ends,
        // characters) does not hide the program's own formats.
        placedText_ = text();
        own_ = std::move(offer.own);
        return true;
    }
    std::string text() override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return local_.text();
        char* held = SDL_GetClipboardText();
        std::string text = held ? utf8ToCp1252(held) : "";
        SDL_free(held);
        return text;
    }
    // SDL carries no pictures between programs.
    std::vector<uint8_t> picture() override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return local_.picture();
        return {};
    }
    bool offersPicture() override { return !picture().empty(); }
    std::optional<std::string> ownFormat(const std::string& name) override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return local_.ownFormat(name);
        auto found = own_.find(name);
        if (found == own_.end()) return std::nullopt;
        if (text() != placedText_) {
            own_.clear();
            return std::nullopt;
        }
        return found->second;
    }

private:
    LocalClipboard local_;
    std::string placedText_;
    std::map<std::string, std::string> own_;
};

}  // namespace

std::unique_ptr<ClipboardBackend> makeSdlClipboard() { return std::make_unique<SdlClipboard>(); }

}  // namespace plat
