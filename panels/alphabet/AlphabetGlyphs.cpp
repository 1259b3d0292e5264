#include "panels/alphabet/AlphabetGlyphs.h"

#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/gfx/CapturePortPixels.h"
#include "engine/gfx/GfxBitmap.h"
#include "engine/gfx/GfxDraw.h"
#include "engine/gfx/GfxFont.h"
#include "engine/gfx/GfxOffscreenPort.h"
#include "engine/gfx/GfxPort.h"

namespace Ostrel {

namespace {

constexpr u16 kGlyphDepth = 16;
constexpr u16 kBold = 1;
constexpr u16 kCentredOnOneLine = 0x22;
constexpr u16 kMachineOrder16 = 0x1003;
constexpr u16 kWhite555 = 0x7FFF;
const GfxColor kWhite = GfxColor::rgb(255, 255, 255);

ScrollerPicture capture(GfxPort* port) {
    const memHandle handle = CapturePortPixels(port, false);
    if (handle == 0) return {};
    const auto* bytes = static_cast<const u8*>(memLockHandle(handle));
    ScrollerPicture picture;
    if (bytes) picture.assign(bytes, bytes + memGetHandleSize(handle));
    memUnlockHandle(handle);
    memFreeHandle(handle);
    return picture;
}

}  // namespace

ScrollerPicture BlankGlyph() {
    constexpr size_t kPixels = size_t(kAlphabetGlyphSide) * kAlphabetGlyphSide;
    ScrollerPicture picture(kGfxBitmapHeaderSize + 2 * kPixels);
    writeBE16(picture.data(), kAlphabetGlyphSide);
    writeBE16(picture.data() + 2, kAlphabetGlyphSide);
    writeBE16(picture.data() + 4, u16(2 * kAlphabetGlyphSide));
    writeBE16(picture.data() + 6, kMachineOrder16);
    for (size_t i = 0; i < kPixels; ++i) writeLE16(picture.data() + kGfxBitmapHeaderSize + 2 * i, kWhite555);
    return picture;
}

std::vector<ScrollerPicture> RenderAlphabet(const std::string& characters, const std::string& fontName, u16 fontSize,
                                            const GfxColor& colour, u16 side) {
    GfxPort* previous = gfxGetPort();
    GfxPenState pen{};
    if (previous) gfxGetPenState(&pen);
    GfxFont* previousFont = previous ? gfxGetFont() : nullptr;
    GfxPort* port = gfxNewOffscreenPort(side, side, kGlyphDepth, nullptr);
    if (port == nullptr) return {};
    gfxLockPort(port);
    gfxSetPort(port);
    GfxFont* font = gfxNewFont(fontName.c_str(), fontSize, kBold);
    const Rect16 box{0, 0, i16(side), i16(side)};
    std::vector<ScrollerPicture> pictures;
    pictures.reserve(characters.size());
    for (const char c : characters) {
        gfxSetPort(port);
        if (font) gfxSetFont(font);
        GfxColor ignored{};
        gfxSetForeColor(&ignored, colour);
        gfxFillRect(box, kWhite, 0);
        gfxDrawTextBox(box, kCentredOnOneLine, &c, 1);
        ScrollerPicture picture = capture(port);
        pictures.push_back(picture.empty() ? BlankGlyph() : std::move(picture));
    }
    gfxSetFont(gfxDefaultFont());
    gfxUnlockPort(port);
    gfxSetPort(previous);
    if (previous) {
        if (previousFont) gfxSetFont(previousFont);
        gfxSetPenState(pen);
    }
    gfxDisposePort(port);
    if (font) gfxDisposeFont(font);
    return pictures;
}

}  // namespace Ostrel
