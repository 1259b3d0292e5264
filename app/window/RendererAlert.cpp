#include "app/window/RendererAlert.h"

#include <string>

#include "engine/gfx/gl/GlSharedRenderer.h"
#include "framework/dialogs/mfxAlert.h"
#include "framework/language/LanguageTexts.h"

namespace Ostrel {

void ShowRendererAlert() {
    GLBitmapRenderer* renderer = glSharedRenderer();
    const GlDescription gl = renderer ? renderer->Describe() : GlDescription{};
    std::string text = LookupLanguageText("GeneralStrings", "GlDescription").c_str();
    // Filled in turn, never read as a format: the strings are the driver's.
    size_t from = 0;
    for (const std::string* fill : {&gl.vendor, &gl.renderer, &gl.version}) {
        const size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, *fill);
        from = at + fill->size();
    }
    mfxAlert(kAlertOk, text, "Ostrel");
}

}  // namespace Ostrel
