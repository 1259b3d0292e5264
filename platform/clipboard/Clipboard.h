#pragma once
// The desktop's clipboard, as far as the program shares it with other programs: text. The
// SDL backend reaches the desktop's clipboard once SDL's video is running and keeps the text
// in the process until then; the headless backend keeps it in the process. Pictures and the
// program's own formats stay in the program's clip list. The text is cp1252 on both sides;
// the SDL backend converts it to and from the desktop's UTF-8. Which backend serves is chosen
// in platform/clipboard/choice/ClipboardChoice.h. User-interface thread only.
#include <memory>
#include <string>

namespace plat {

class ClipboardBackend {
public:
    virtual ~ClipboardBackend() = default;
    virtual bool setText(const std::string& text) = 0;
    virtual bool hasText() = 0;
    // Empty when the clipboard holds no text.
    virtual std::string text() = 0;
};

// Keeps the text in the process.
class LocalClipboard : public ClipboardBackend {
public:
    bool setText(const std::string& text) override {
        text_ = text;
        return true;
    }
    bool hasText() override { return !text_.empty(); }
    std::string text() override { return text_; }

private:
    std::string text_;
};

}  // namespace plat
