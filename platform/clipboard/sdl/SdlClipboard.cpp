#include "platform/clipboard/sdl/SdlClipboard.h"

#include <SDL.h>

#include <string>

#include "platform/charset/Conversion.h"

namespace plat {
namespace {

// SDL's clipboard needs its video part; before that starts the text stays in the process. The
// desktop speaks UTF-8; the program's text is cp1252 and is converted at this boundary.
class SdlClipboard : public ClipboardBackend {
public:
    bool setText(const std::string& text) override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return local_.setText(text);
        // The desktop takes a C string, which a NUL would cut short; the rest of the text goes.
        std::string utf8 = cp1252ToUtf8(text);
        std::erase(utf8, '\0');
        return SDL_SetClipboardText(utf8.c_str()) == 0;
    }
    bool hasText() override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return local_.hasText();
        return SDL_HasClipboardText() == SDL_TRUE;
    }
    std::string text() override {
        if (!SDL_WasInit(SDL_INIT_VIDEO)) return local_.text();
        char* held = SDL_GetClipboardText();
        std::string text = held ? utf8ToCp1252(held) : "";
        SDL_free(held);
        return text;
    }

private:
    LocalClipboard local_;
};

}  // namespace

std::unique_ptr<ClipboardBackend> makeSdlClipboard() { return std::make_unique<SdlClipboard>(); }

}  // namespace plat
