#include "platform/display/choice/DesktopMessage.h"

#include <cstdio>

#include "platform/charset/Conversion.h"
#include "platform/display/choice/DisplayChoice.h"

namespace plat {

void showDesktopMessage(const std::string& title, const std::string& text, bool stop) {
    const std::string heading = cp1252ToUtf8(title);
    const std::string body = cp1252ToUtf8(text);
    std::fprintf(stderr, "%s: %s\n", heading.c_str(), body.c_str());
    std::fflush(stderr);
    displayDriver().showMessageBox(heading, body, stop);
}

}  // namespace plat
